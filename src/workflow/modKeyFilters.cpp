#include "workflow/modKeyFilters.h"

#include <QLocale>

namespace {
constexpr int kBitrateLength = 4;
constexpr int kChannelsLength = 1;
constexpr int kFrameRateLength = 9;

bool IsDigit(char16_t iKey, char16_t iLowest)
{
    return iKey >= iLowest && iKey <= u'9';
}

bool IsEditKey(char16_t iKey)
{
    return iKey == kKeyReturn || iKey == kKeyBack;
}
} // namespace

bool BitrateKeyAllowed(char16_t iKey, const QString &sText)
{
    // The length rule looks for exactly the limit: a longer text set from code can still grow.
    if (sText.size() == kBitrateLength)
        return iKey == kKeyBack;
    return IsDigit(iKey, u'0') || IsEditKey(iKey);
}

bool ChannelsKeyAllowed(char16_t iKey, const QString &sText)
{
    if (sText.size() == kChannelsLength)
        return iKey == kKeyBack;
    return IsDigit(iKey, u'1') || IsEditKey(iKey);
}

bool FrameRateKeyAllowed(char16_t iKey, const QString &sText)
{
    if (sText.size() == kFrameRateLength)
        return iKey == kKeyBack;
    if (sText.contains(QLatin1Char('.')) && (iKey == u'.' || iKey == u'0'))
        return false;
    return IsDigit(iKey, u'0') || iKey == u'.' || IsEditKey(iKey);
}

bool TextObeysKeyRule(const KeyRule &rule, const QString &sText)
{
    for (int i = 0; i < sText.size(); ++i) {
        const char16_t iKey = sText.at(i).unicode();
        if (IsEditKey(iKey) || !rule(iKey, sText.left(i)))
            return false;
    }
    return true;
}

bool FrameRateGiven(const QString &sText)
{
    // The rules let only digits and one point in; "." alone reads as no number, which is none.
    return QLocale::c().toDouble(sText) > 0.0;
}
