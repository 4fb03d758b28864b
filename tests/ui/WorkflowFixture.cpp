#include "WorkflowFixture.h"

#include "slider/Slider.h"
#include "platform/modChildProcesses.h"
#include "support/TestMedia.h"
#include "preview/MpvPreview.h"
#include "widgets/MyButton.h"
#include "widgets/PictureBox.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <unistd.h>

namespace {
QTemporaryDir &ClipFolder()
{
    static QTemporaryDir folder;
    return folder;
}

QByteArray ReadSourceFile(const QString &sRelative)
{
    QFile file(TestMedia::SourceDir() + QLatin1Char('/') + sRelative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

WorkflowFixture::WorkflowFixture()
    : m_openDialog(SetOpenDialogForTests,
                   [this](QWidget *, const QList<FileFilter> &filters, const QString &sTitle) {
                       m_lsDialogTitles << sTitle;
                       m_lastFilters = filters;
                       return m_sDialogAnswer;
                   }),
      m_browseDialog(SetBrowseDialogForTests,
                     [this](QWidget *, const QString &sTitle) {
                         m_lsDialogTitles << sTitle;
                         return m_sBrowseAnswer;
                     }),
      // Silent under test, even where there is a sound card.
      m_mpvOptions(MpvPreview::SetOptionsForTests, QList<QPair<QByteArray, QByteArray>>{{"ao", "null"}})
{
}

void WorkflowFixture::SetUp()
{
    WindowFixture::SetUp();
    ASSERT_TRUE(m_work.isValid());
    WriteProgramFile(QStringLiteral("presets.xml"), ReadSourceFile(QStringLiteral("catalog/presets.xml")));
    WriteProgramFile(QStringLiteral("codecs.xml"), ReadSourceFile(QStringLiteral("catalog/codecs.xml")));
    ASSERT_TRUE(QFile::link(TestMedia::FfmpegPath(), m_overrides.ProgramFile(QStringLiteral("ffmpeg"))));
}

QString WorkflowFixture::Clip(const QString &sName, double dSeconds, const QStringList &extraArgs)
{
    QTemporaryDir &folder = ClipFolder();
    if (!folder.isValid())
        return QString();
    const QString sPath = folder.filePath(sName);
    if (!QFileInfo::exists(sPath) && !TestMedia::MakeClip(sPath, dSeconds, QStringLiteral("320x240"), extraArgs))
        return QString();
    return sPath;
}

void WorkflowFixture::DropFiles(frmMain &w, const QStringList &lsFiles)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &sFile : lsFiles)
        urls << QUrl::fromLocalFile(sFile);
    data.setUrls(urls);
    const QPoint centre = w.picVideoWindow->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.picVideoWindow, &enter);
    if (!enter.isAccepted())
        return; // the system does not drop what the target refused
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.picVideoWindow, &drop);
    // The window takes the files up right after the drop.
    QCoreApplication::processEvents();
}

void WorkflowFixture::AddThroughDialog(frmMain &w, const QString &sFile)
{
    m_sDialogAnswer = sFile;
    QTest::mouseClick(w.cmdAddVideoFile, Qt::LeftButton);
}

void WorkflowFixture::DragSliderTo(frmMain &w, int iValue)
{
    ::Slider *slider = w.Slider;
    const qreal y = slider->height() / 2.0;
    // Take the thumb where it is, then move right or left until it shows the value.
    qreal x = 0;
    SendMouse(slider, QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton);
    SendMouse(slider, QEvent::MouseButtonPress, QPointF(x, y), Qt::LeftButton, Qt::LeftButton);
    while (slider->Value() < iValue && x < slider->width()) {
        x += 1;
        SendMouse(slider, QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(slider, QEvent::MouseButtonRelease, QPointF(x, y), Qt::LeftButton, Qt::NoButton);
}

bool WorkflowFixture::WaitUntil(const std::function<bool()> &condition, int iTimeoutMs)
{
    const QDeadlineTimer deadline(iTimeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void WorkflowFixture::Pump(int iMs)
{
    const QDeadlineTimer deadline(iMs);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

void WorkflowFixture::UseFakeEncoder(const QByteArray &script)
{
    RemoveProgramFile(QStringLiteral("ffmpeg"));
    WriteProgramFile(QStringLiteral("ffmpeg"), "#!/bin/sh\n" + script + '\n');
    ASSERT_TRUE(QFile::setPermissions(m_overrides.ProgramFile(QStringLiteral("ffmpeg")),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

int WorkflowFixture::ChildProcesses()
{
    return static_cast<int>(ChildPids().size());
}

void WorkflowFixture::OutputToWorkFolder(frmMain &w)
{
    w.optOtherFolder->setChecked(true);
    w.txtOutPath->setText(m_work.path());
}
