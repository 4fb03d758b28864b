#include "common/Colour.h"
#include "common/RunTimeError.h"
#include "common/modFunctions.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
int ErrorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RunTimeError &error) {
        return error.Number();
    }
    return 0;
}
} // namespace

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundToInt(12.5), 12);
    EXPECT_EQ(RoundToInt(13.5), 14);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(2.4999), 2);
    EXPECT_EQ(RoundToInt(2.5001), 3);
    EXPECT_EQ(RoundToShort(32767.4), 32767);
}

TEST(Rounding, ResultsOutsideTheRangeOverflow)
{
    EXPECT_EQ(ErrorNumberOf([] { RoundToShort(32767.5); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { RoundToShort(-32769.0); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { RoundToInt(2147483648.0); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { RoundToInt(std::numeric_limits<double>::quiet_NaN()); }),
              RunTimeError::Overflow);
    EXPECT_EQ(RoundToInt(-2147483648.0), std::numeric_limits<int>::min());
}

TEST(TextToInt, ReadsNumbersWithBlanksAndRoundsDecimals)
{
    EXPECT_EQ(TextToInt(QStringLiteral("64")), 64);
    EXPECT_EQ(TextToInt(QStringLiteral("  320 ")), 320);
    EXPECT_EQ(TextToInt(QStringLiteral("12.5")), 12);
    EXPECT_EQ(TextToInt(QStringLiteral("-7")), -7);
    EXPECT_EQ(TextToShort(QStringLiteral("13.5")), 14);
}

TEST(TextToInt, EmptyOrNonNumericIsATypeMismatchAndBigIsAnOverflow)
{
    EXPECT_EQ(ErrorNumberOf([] { TextToInt(QString()); }), RunTimeError::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { TextToInt(QStringLiteral("   ")); }), RunTimeError::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { TextToInt(QStringLiteral("12abc")); }), RunTimeError::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { TextToInt(QStringLiteral("N/A")); }), RunTimeError::TypeMismatch);
    EXPECT_EQ(ErrorNumberOf([] { TextToInt(QStringLiteral("2147483648")); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([] { TextToShort(QStringLiteral("40000")); }), RunTimeError::Overflow);
}

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinueIt)
{
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("22.05 KHz")), 22.05);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("8 KHz")), 8.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("  44.1KHz")), 44.1);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("1.5.2")), 1.5);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("-3x")), -3.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("2e3Hz")), 2000.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("5e")), 5.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral("KHz")), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QString()), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(QStringLiteral(".")), 0.0);
}

TEST(CheckedArithmetic, FailsAtThe32BitLimits)
{
    const int iMax = std::numeric_limits<int>::max();
    const int iMin = std::numeric_limits<int>::min();
    EXPECT_EQ(CheckedAdd(iMax - 1, 1), iMax);
    EXPECT_EQ(ErrorNumberOf([&] { CheckedAdd(iMax, 1); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([&] { CheckedSub(iMin, 1); }), RunTimeError::Overflow);
    EXPECT_EQ(ErrorNumberOf([&] { CheckedSub(0, iMin); }), RunTimeError::Overflow);
    EXPECT_EQ(CheckedMul(2147483, 1000), 2147483000);
    EXPECT_EQ(ErrorNumberOf([] { CheckedMul(2147484, 1000); }), RunTimeError::Overflow);
}

TEST(FormatTime, HoursMinutesSecondsWithTwoDigitsAtLeast)
{
    EXPECT_EQ(FormatTime(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(FormatTime(65), QStringLiteral("00:01:05"));
    EXPECT_EQ(FormatTime(3599), QStringLiteral("00:59:59"));
    EXPECT_EQ(FormatTime(3600), QStringLiteral("01:00:00"));
    EXPECT_EQ(FormatTime(360000), QStringLiteral("100:00:00"));
    EXPECT_EQ(FormatTime(std::numeric_limits<int>::max()), QStringLiteral("596523:14:07"));
}
