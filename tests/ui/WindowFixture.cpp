#include "WindowFixture.h"

#include <QFile>
#include <QStringList>
#include <QTimer>

namespace {
// The catalogue files are line-oriented with CR LF line ends.
QByteArray CrLf(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QStringList Preset(const char *szLabel, const char *szExtension, const char *szCategory)
{
    return {QStringLiteral("  <preset>"),
            QStringLiteral("    <label>%1</label>").arg(QString::fromUtf8(szLabel)),
            QStringLiteral("    <params>-c copy</params>"),
            QStringLiteral("    <extension>%1</extension>").arg(QString::fromUtf8(szExtension)),
            QStringLiteral("    <category>%1</category>").arg(QString::fromUtf8(szCategory)),
            QStringLiteral("  </preset>")};
}

QStringList Codec(const char *szName, const char *szDescription, const char *szType)
{
    return {QStringLiteral("  <codec>"), QStringLiteral("    <name>%1</name>").arg(QString::fromUtf8(szName)),
            QStringLiteral("    <description>%1</description>").arg(QString::fromUtf8(szDescription)),
            QStringLiteral("    <type>%1</type>").arg(QString::fromUtf8(szType)), QStringLiteral("  </codec>")};
}

// Three categories; "H.264 small" is a label of two of them, with containers of its own in each.
QByteArray TestPresets()
{
    QStringList lines{QStringLiteral("<?xml version=\"1.0\"?>"), QStringLiteral("<presets>")};
    lines << Preset("H.264 small", "mp4", "Web") << Preset("H.264 small", "mkv", "Web")
          << Preset("VP9", "webm", "Web") << Preset("H.264 small", "mp4", "Web")
          << Preset("3GP", "3gp", "Phone") << Preset(" MPEG-4 (small) ", "3gp", "Phone")
          << Preset("H.264 small", "mov", "Phone") << Preset("MP3", "mp3", "Audio");
    lines << QStringLiteral("</presets>");
    return CrLf(lines);
}

QByteArray TestCodecs()
{
    QStringList lines{QStringLiteral("<?xml version=\"1.0\"?>"), QStringLiteral("<codecs>")};
    lines << Codec("libx264", "H.264 / AVC", "video codec") << Codec("mpeg4", "MPEG-4 Part 2", "video codec")
          << Codec("aac", "AAC", "audio codec") << Codec("libmp3lame", "MP3", "audio codec")
          << Codec("copy", "Copy (no re-encoding)", "general");
    lines << QStringLiteral("</codecs>");
    return CrLf(lines);
}
} // namespace

void WindowFixture::SetUp()
{
    ASSERT_TRUE(m_overrides.IsValid());
    WriteProgramFile(QStringLiteral("presets.xml"), TestPresets());
    WriteProgramFile(QStringLiteral("codecs.xml"), TestCodecs());
}

void WindowFixture::TearDown()
{
    m_window.reset();
}

void WindowFixture::WriteProgramFile(const QString &sName, const QByteArray &content)
{
    QFile file(m_overrides.ProgramFile(sName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void WindowFixture::RemoveProgramFile(const QString &sName)
{
    ASSERT_TRUE(QFile::remove(m_overrides.ProgramFile(sName)));
}

frmMain &WindowFixture::Start()
{
    m_window = std::make_unique<frmMain>();
    return *m_window;
}

int WindowFixture::RunSlide(int iMaxTicks)
{
    int iTicks = 0;
    while (m_window->tmrAnimate->isActive() && iTicks < iMaxTicks) {
        m_window->tmrAnimate_Timer();
        ++iTicks;
    }
    return iTicks;
}
