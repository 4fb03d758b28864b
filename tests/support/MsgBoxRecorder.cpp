#include "support/MsgBoxRecorder.h"

MsgBoxRecorder::MsgBoxRecorder()
    : m_handler(SetMsgBoxHandler,
                [this](const QString &sText, MsgIcon icon) { m_messages.append({sText, icon}); })
{
}

QStringList MsgBoxRecorder::Texts() const
{
    QStringList texts;
    for (const Shown &shown : m_messages)
        texts << shown.sText;
    return texts;
}
