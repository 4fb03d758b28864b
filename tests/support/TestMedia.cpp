#include "support/TestMedia.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace TestMedia {

QString FfmpegPath() { return QStringLiteral(CLIPWRIGHT_FFMPEG); }
QString FfprobePath() { return QStringLiteral(CLIPWRIGHT_FFPROBE); }
QString BinDir() { return QStringLiteral(CLIPWRIGHT_BIN_DIR); }
QString SourceDir() { return QStringLiteral(CLIPWRIGHT_SOURCE_DIR); }

int Run(const QString &sProgram, const QStringList &args, QString *sOutput, int iTimeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(sProgram, args);
    if (!process.waitForStarted())
        return -1;
    if (!process.waitForFinished(iTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (sOutput)
        *sOutput = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool MakeClip(const QString &sPath, double dSeconds, const QString &sSize, const QStringList &extraArgs)
{
    const QString sLength = QString::number(dSeconds, 'f', 3);
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                     QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("testsrc2=size=%1:rate=25:duration=%2").arg(sSize, sLength),
                     QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(sLength)};
    args << extraArgs;
    args << QStringLiteral("-y") << sPath;
    return Run(FfmpegPath(), args) == 0;
}

ProbeResult Probe(const QString &sPath)
{
    ProbeResult result;
    QProcess process;
    process.start(FfprobePath(), {QStringLiteral("-v"), QStringLiteral("error"),
                                  QStringLiteral("-print_format"), QStringLiteral("json"),
                                  QStringLiteral("-show_format"), QStringLiteral("-show_streams"), sPath});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return result;
    const QJsonObject root = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    const QJsonObject format = root.value(QStringLiteral("format")).toObject();
    result.sFormatName = format.value(QStringLiteral("format_name")).toString();
    result.dDuration = format.value(QStringLiteral("duration")).toString().toDouble();
    for (const QJsonValue &value : root.value(QStringLiteral("streams")).toArray()) {
        const QJsonObject stream = value.toObject();
        const QString sType = stream.value(QStringLiteral("codec_type")).toString();
        if (sType == QLatin1String("video") && result.sVideoCodec.isEmpty()) {
            result.sVideoCodec = stream.value(QStringLiteral("codec_name")).toString();
            result.iWidth = stream.value(QStringLiteral("width")).toInt();
            result.iHeight = stream.value(QStringLiteral("height")).toInt();
        } else if (sType == QLatin1String("audio") && result.sAudioCodec.isEmpty()) {
            result.sAudioCodec = stream.value(QStringLiteral("codec_name")).toString();
            result.iAudioChannels = stream.value(QStringLiteral("channels")).toInt();
            result.iAudioSampleRate = stream.value(QStringLiteral("sample_rate")).toString().toInt();
        }
    }
    result.bOk = true;
    return result;
}

} // namespace TestMedia
