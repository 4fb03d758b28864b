#include "common/RunTimeError.h"

namespace {
const QString kOverflowText = QStringLiteral("Overflow");
const QString kTypeMismatchText = QStringLiteral("Type mismatch");
} // namespace

RunTimeError::RunTimeError(int iNumber, const QString &sDescription, const QString &sSource)
    : m_iNumber(iNumber), m_sDescription(sDescription), m_sSource(sSource),
      m_utf8(sDescription.toUtf8())
{
}

RunTimeError RunTimeError::MakeOverflow(const QString &sSource)
{
    return RunTimeError(Overflow, kOverflowText, sSource);
}

RunTimeError RunTimeError::MakeTypeMismatch(const QString &sSource)
{
    return RunTimeError(TypeMismatch, kTypeMismatchText, sSource);
}
