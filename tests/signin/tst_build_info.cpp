#include "signin/BuildInfo.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(BuildInfo, ProgramIdentity)
{
    EXPECT_EQ(program::name(), QStringLiteral("ZEL 4"));
    EXPECT_EQ(program::title(), QStringLiteral("ZEL 4 Личная карточка сотрудника"));
    EXPECT_EQ(program::kVersion, 2);
}

TEST(BuildInfo, TimestampIsTheValueFixedAtBuildTime)
{
    EXPECT_EQ(program::buildTimestamp().toSecsSinceEpoch(), qint64(ZEL_BUILD_EPOCH));
}

TEST(BuildInfo, ShortDateAndLongTimeWithoutTimeAtMidnight)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    EXPECT_EQ(program::formatTimestamp(QDateTime(QDate(2017, 6, 12), QTime(11, 14, 0)), russian),
              QStringLiteral("12.06.2017 11:14:00"));
    EXPECT_EQ(program::formatTimestamp(QDateTime(QDate(2017, 6, 12), QTime(0, 0, 0)), russian),
              QStringLiteral("12.06.2017"));
    // One second after midnight is not midnight.
    EXPECT_EQ(program::formatTimestamp(QDateTime(QDate(2017, 6, 12), QTime(0, 0, 1)), russian),
              QStringLiteral("12.06.2017 00:00:01"));
}
