#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Makes a widget take dropped files: it accepts drags that carry files and, right after the drop
// (from the event loop), raises Dropped with the dropped files' local paths, in the order the drop
// lists them. Drags without files are refused.
class FileDropTarget : public QObject {
    Q_OBJECT
public:
    // Watches objTarget (and lets it accept drops) for as long as both live.
    explicit FileDropTarget(QWidget *objTarget);

signals:
    void Dropped(const QStringList &lsFiles);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
