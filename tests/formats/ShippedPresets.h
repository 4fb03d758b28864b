#pragma once

#include <QHash>
#include <QString>

// What each shipped preset must make, keyed by category, label and extension.
namespace ShippedPresets {

extern const QString kMp4Format;
extern const QString kMatroskaFormat;

// Output rules beyond the codecs.
enum Rule : unsigned {
    kEightBit = 1,     // 8-bit 4:2:0 whatever the source
    kSquarePixels = 2, // the container or codec cannot carry a pixel aspect
    kStereo = 4,       // the audio codec takes at most two channels
    kNeedsVideo = 8,   // refuses an input without a picture
    kProgressive = 16, // deinterlaces a picture whose frames are marked interlaced
};

struct Expected {
    QString sFormat;     // ffprobe's format_name
    QString sVideoCodec; // empty: no picture
    QString sAudioCodec; // empty: no sound
    int iShortSide;      // the named size of the shorter side; 0: the source's size
    unsigned rules;
};

QString Key(const QString &sCategory, const QString &sLabel, const QString &sExtension);
const QHash<QString, Expected> &Table();

} // namespace ShippedPresets
