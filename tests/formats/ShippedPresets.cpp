#include "ShippedPresets.h"

namespace ShippedPresets {

const QString kMp4Format = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2");
const QString kMatroskaFormat = QStringLiteral("matroska,webm");

QString Key(const QString &sCategory, const QString &sLabel, const QString &sExtension)
{
    return sCategory + QLatin1Char('|') + sLabel + QLatin1Char('|') + sExtension;
}

const QHash<QString, Expected> &Table()
{
    static const QHash<QString, Expected> table{
        {Key("Everyday", "H.264/AAC 1080p (Full HD)", "mp4"), {kMp4Format, "h264", "aac", 1080, kEightBit | kProgressive}},
        {Key("Everyday", "H.264/AAC 720p (HD)", "mp4"), {kMp4Format, "h264", "aac", 720, kEightBit | kProgressive}},
        {Key("Everyday", "H.264/AAC 480p (SD)", "mp4"), {kMp4Format, "h264", "aac", 480, kEightBit | kProgressive}},
        {Key("Everyday", "H.264/AAC, original size", "mp4"), {kMp4Format, "h264", "aac", 0, kEightBit | kProgressive}},
        {Key("Everyday", "H.264/AAC, original size", "mkv"), {kMatroskaFormat, "h264", "aac", 0, kEightBit | kProgressive}},
        {Key("Web and Devices", "Messaging, small file 480p", "mp4"),
         {kMp4Format, "h264", "aac", 480, kEightBit | kStereo | kProgressive}},
        {Key("Web and Devices", "Phones and tablets 720p", "mp4"),
         {kMp4Format, "h264", "aac", 720, kEightBit | kStereo | kProgressive}},
        {Key("Web and Devices", "Animated GIF 360p, no sound", "gif"),
         {"gif", "gif", "", 360, kSquarePixels | kNeedsVideo | kProgressive}},
        {Key("High Efficiency", "H.265/AAC 1080p (HEVC)", "mp4"), {kMp4Format, "hevc", "aac", 1080, kEightBit | kProgressive}},
        {Key("High Efficiency", "H.265/AAC 720p (HEVC)", "mp4"), {kMp4Format, "hevc", "aac", 720, kEightBit | kProgressive}},
        {Key("High Efficiency", "VP9/Opus 1080p", "webm"), {kMatroskaFormat, "vp9", "opus", 1080, kEightBit | kProgressive}},
        {Key("High Efficiency", "VP9/Opus 720p", "webm"), {kMatroskaFormat, "vp9", "opus", 720, kEightBit | kProgressive}},
        {Key("High Efficiency", "AV1/Opus 1080p (SVT-AV1)", "webm"), {kMatroskaFormat, "av1", "opus", 1080, kEightBit | kProgressive}},
        {Key("High Efficiency", "AV1/AAC 720p (SVT-AV1)", "mp4"), {kMp4Format, "av1", "aac", 720, kEightBit | kProgressive}},
        {Key("Classic Formats", "AVI, MPEG-4 Part 2 (Xvid) / MP3", "avi"), {"avi", "mpeg4", "mp3", 0, kStereo | kProgressive}},
        {Key("Classic Formats", "WMV, Windows Media Video 8 / WMA", "wmv"),
         {"asf", "wmv2", "wmav2", 0, kStereo | kProgressive}},
        {Key("Classic Formats", "FLV, Flash Video / MP3", "flv"), {"flv", "flv1", "mp3", 0, kSquarePixels | kStereo | kProgressive}},
        {Key("Classic Formats", "MPEG-2 program stream (DVD quality)", "mpg"),
         {"mpeg", "mpeg2video", "mp2", 0, kStereo | kProgressive}},
        {Key("Classic Formats", "MOV, H.264/AAC (QuickTime)", "mov"), {kMp4Format, "h264", "aac", 0, kEightBit | kProgressive}},
        {Key("Classic Formats", "AVI, Motion JPEG / PCM (for editing)", "avi"), {"avi", "mjpeg", "pcm_s16le", 0, kProgressive}},
        {Key("Audio Only", "MP3, 192 kbps", "mp3"), {"mp3", "", "mp3", 0, kStereo}},
        {Key("Audio Only", "AAC, 192 kbps", "m4a"), {kMp4Format, "", "aac", 0, 0}},
        {Key("Audio Only", "Opus, 128 kbps", "opus"), {"ogg", "", "opus", 0, 0}},
        {Key("Audio Only", "FLAC, lossless", "flac"), {"flac", "", "flac", 0, 0}},
        {Key("Audio Only", "WAV, 16-bit PCM", "wav"), {"wav", "", "pcm_s16le", 0, 0}},
    };
    return table;
}

} // namespace ShippedPresets
