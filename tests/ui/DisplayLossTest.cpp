// The program on a display that breaks under it during a task: the window killed by another
// client (XKillClient, as `xdotool windowkill` does) and the X server going away. Each runs
// ui_display_loss_app on an X server of the test's own, with the real encoder slowed down to a
// quarter of real time, and breaks the display once the output is being written.
#include "support/TestMedia.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace {

bool WaitUntil(const std::function<bool()> &condition, int iTimeoutMs)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

// The processes whose parent is iParent.
QList<qint64> ChildrenOf(qint64 iParent)
{
    QList<qint64> children;
    for (const QString &sPid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(sPid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == iParent)
            children.append(sPid.toLongLong());
    }
    return children;
}

// Gone, or a zombie that runs no more.
bool HasEnded(qint64 iPid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(iPid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).startsWith('Z');
}

class DisplayLoss : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_work.isValid());
        for (const char *sFolder : {"program", "registry", "lock", "output"})
            ASSERT_TRUE(QDir(m_work.path()).mkdir(sFolder));
        for (const char *sCatalogue : {"presets.xml", "codecs.xml"})
            ASSERT_TRUE(QFile::copy(TestMedia::BinDir() + "/" + sCatalogue,
                                    Work("program/") + sCatalogue));
        // The real encoder, reading its input at a quarter of real time: 8 s of video take 32 s.
        QFile encoder(Work("program/ffmpeg"));
        ASSERT_TRUE(encoder.open(QIODevice::WriteOnly));
        encoder.write("#!/bin/sh\nexec '" + QFile::encodeName(TestMedia::FfmpegPath()) +
                      "' -readrate 0.25 \"$@\"\n");
        encoder.close();
        ASSERT_TRUE(encoder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        ASSERT_TRUE(TestMedia::MakeClip(Work("clip.mp4"), 10.0));

        m_server.setProgram(QStringLiteral("Xvfb"));
        m_server.setArguments({"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        m_server.start();
        ASSERT_TRUE(m_server.waitForStarted(10000));
        // The server names its display once it is ready.
        ASSERT_TRUE(WaitUntil(
            [this] {
                m_server.waitForReadyRead(100);
                return m_server.canReadLine();
            },
            20000));
        m_sDisplay = ":" + QString::fromLatin1(m_server.readLine()).trimmed();
    }

    void TearDown() override
    {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.kill();
            m_app.waitForFinished(5000);
        }
        m_server.kill();
        m_server.waitForFinished(5000);
    }

    QString Work(const QString &sRelative) const { return m_work.filePath(sRelative); }

    QTemporaryDir m_work;
    QProcess m_server;
    QProcess m_app;
    QString m_sDisplay;
};

TEST_P(DisplayLoss, TheTasksOutputIsRemovedTheSettingsSavedAndNoEncoderOutlivesTheProgram)
{
    const bool bServerGoes = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", m_sDisplay);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    m_app.setProcessEnvironment(environment);
    m_app.setProcessChannelMode(QProcess::SeparateChannels);
    m_app.start(TestMedia::BinDir() + "/ui_display_loss_app",
                {Work("program"), Work("registry"), Work("lock"), Work("clip.mp4"), Work("output")});
    ASSERT_TRUE(m_app.waitForStarted(10000));
    ASSERT_TRUE(m_app.waitForReadyRead(60000)) << m_app.readAllStandardError().constData();
    const QByteArray sWindow = m_app.readLine().trimmed();
    ASSERT_TRUE(sWindow.startsWith("window ")) << sWindow.constData();

    // The encoder runs and has written part of the output.
    const auto OutputWritten = [this] {
        const QFileInfoList files = QDir(Work("output")).entryInfoList(QDir::Files);
        return !files.isEmpty() && files.first().size() > 0;
    };
    ASSERT_TRUE(WaitUntil(OutputWritten, 60000)) << m_app.readAllStandardError().constData();
    const QList<qint64> encoders = ChildrenOf(m_app.processId());
    ASSERT_FALSE(encoders.isEmpty());

    if (bServerGoes) {
        m_server.terminate();
    } else {
        QProcess xdotool;
        xdotool.setProcessEnvironment(environment);
        xdotool.start(QStringLiteral("xdotool"), {"windowkill", QString::fromLatin1(sWindow.mid(7))});
        ASSERT_TRUE(xdotool.waitForFinished(10000));
        ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().constData();
    }
    ASSERT_TRUE(m_app.waitForFinished(30000));
    const QByteArray errors = m_app.readAllStandardError();

    EXPECT_TRUE(QDir(Work("output")).entryList(QDir::Files).isEmpty()) << errors.constData();
    QFile store(Work("registry/HKEY_LOCAL_MACHINE.ini"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly)) << errors.constData();
    const QByteArray stored = store.readAll();
    EXPECT_TRUE(stored.contains("txtCVBitrate=sz:4:777")) << stored.constData();
    EXPECT_TRUE(stored.contains(QFile::encodeName(Work("output")))) << stored.constData();
    for (const qint64 iEncoder : encoders)
        EXPECT_TRUE(WaitUntil([iEncoder] { return HasEnded(iEncoder); }, 10000)) << iEncoder;
}

INSTANTIATE_TEST_SUITE_P(, DisplayLoss, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "ServerGoes" : "WindowKilled";
                         });

} // namespace
