#include "common/RunTimeError.h"
#include "slider/PropertyBag.h"

#include <gtest/gtest.h>

TEST(PropertyBag, LeavesOutEntriesEqualToTheirDefaultAndReadsThemBack)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Value"), 50, 50);
    EXPECT_EQ(bag.Count(), 0);
    EXPECT_EQ(bag.ReadInt(QStringLiteral("Value"), 50), 50);

    bag.WriteProperty(QStringLiteral("Max"), 1000, 100);
    bag.WriteProperty(QStringLiteral("Enabled"), false, true);
    bag.WriteProperty(QStringLiteral("Min"), 0, -100);
    EXPECT_EQ(bag.Names(), (QStringList{"Max", "Enabled", "Min"}));
    EXPECT_EQ(bag.ReadInt(QStringLiteral("Max"), 100), 1000);
    EXPECT_EQ(bag.ReadInt(QStringLiteral("Min"), -100), 0);
    EXPECT_FALSE(bag.ReadBool(QStringLiteral("Enabled"), true));
    EXPECT_TRUE(bag.ReadBool(QStringLiteral("Snap"), true));

    // Writing the default again removes the entry; writing a new value replaces it in place.
    bag.WriteProperty(QStringLiteral("Max"), 100, 100);
    EXPECT_FALSE(bag.Contains(QStringLiteral("Max")));
    bag.WriteProperty(QStringLiteral("Enabled"), true, false);
    EXPECT_EQ(bag.Names(), (QStringList{"Enabled", "Min"}));
    EXPECT_TRUE(bag.ReadBool(QStringLiteral("Enabled"), false));
}

TEST(PropertyBag, TypedReadsRefuseWhatTheyCannotHold)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Text"), QStringLiteral("abc"), QVariant());
    bag.WriteProperty(QStringLiteral("Huge"), qlonglong(1) << 40, QVariant());
    bag.WriteProperty(QStringLiteral("Digits"), QStringLiteral("42"), QVariant());
    try {
        bag.ReadInt(QStringLiteral("Text"), 0);
        FAIL() << "no type mismatch";
    } catch (const RunTimeError &e) {
        EXPECT_EQ(e.Number(), RunTimeError::TypeMismatch);
    }
    EXPECT_THROW(bag.ReadBool(QStringLiteral("Text"), false), RunTimeError);
    try {
        bag.ReadInt(QStringLiteral("Huge"), 0);
        FAIL() << "no overflow";
    } catch (const RunTimeError &e) {
        EXPECT_EQ(e.Number(), RunTimeError::Overflow);
    }
    EXPECT_EQ(bag.ReadInt(QStringLiteral("Digits"), 0), 42);
}
