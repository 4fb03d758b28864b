#pragma once

#include "common/MessageBox.h"
#include "common/ScopedOverride.h"

#include <QList>
#include <QString>

// Records every message box shown while it lives, instead of showing it.
class MsgBoxRecorder {
public:
    struct Shown {
        QString sText;
        MsgIcon icon;
    };

    MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder &) = delete;
    MsgBoxRecorder &operator=(const MsgBoxRecorder &) = delete;

    const QList<Shown> &Messages() const { return m_messages; }
    QStringList Texts() const;
    void Clear() { m_messages.clear(); }

private:
    QList<Shown> m_messages;
    ScopedOverride m_handler;
};
