#include "support/MsgBoxRecorder.h"

MsgBoxRecorder::MsgBoxRecorder()
{
    SetMsgBoxHandler([this](const QString &sText, MsgIcon icon) { m_messages.append({sText, icon}); });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    SetMsgBoxHandler(nullptr);
}

QStringList MsgBoxRecorder::Texts() const
{
    QStringList texts;
    for (const Shown &shown : m_messages)
        texts << shown.sText;
    return texts;
}
