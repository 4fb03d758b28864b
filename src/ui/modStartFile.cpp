#include "ui/modStartFile.h"

#include "ui/frmMain.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>

void LoadWhenShown(frmMain &window, const QString &sFile)
{
    const QUrl url(sFile);
    const QString sPath = QFileInfo(url.isLocalFile() ? url.toLocalFile() : sFile).absoluteFilePath();
    QPointer<frmMain> pWindow(&window);
    QTimer::singleShot(0, &window, [pWindow, sPath] {
        if (pWindow)
            pWindow->picVideoWindow_OLEDragDrop({sPath});
    });
}
