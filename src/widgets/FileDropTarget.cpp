#include "widgets/FileDropTarget.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {
QStringList LocalFiles(const QMimeData *data)
{
    QStringList lsFiles;
    if (!data || !data->hasUrls())
        return lsFiles;
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            lsFiles << url.toLocalFile();
    }
    return lsFiles;
}
} // namespace

FileDropTarget::FileDropTarget(QWidget *objTarget) : QObject(objTarget)
{
    objTarget->setAcceptDrops(true);
    objTarget->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (LocalFiles(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList lsFiles = LocalFiles(drop->mimeData());
        if (lsFiles.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Raised once the drop is over, so that the program the files came from is not kept
        // waiting while they load (or while a message about them is shown).
        QMetaObject::invokeMethod(
            this, [this, lsFiles] { emit Dropped(lsFiles); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
