#include "signin/BuildInfo.h"
#include "signin/SignInController.h"

#include <ctime>

#include <gtest/gtest.h>

using namespace zel;

TEST(BuildInfo, ProgramIdentity)
{
    EXPECT_EQ(program::name(), QStringLiteral("ZEL 4"));
    EXPECT_EQ(program::title(), QStringLiteral("ZEL 4 Личная карточка сотрудника"));
    EXPECT_EQ(program::kVersion, 2);
}

// This program's build stamp is 12 June 2017 11:14:00 UTC (KnownBuildStamp.cpp).
TEST(BuildInfo, TheStampOfTheProgramFileIsShownInLocalTime)
{
    const QByteArray oldZone = qgetenv("TZ");
    const QLocale oldLocale;
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(program::buildTimestampText(), QStringLiteral("12.06.2017 11:14:00"));
    EXPECT_EQ(SignInController::mainCaption(),
              QStringLiteral("ZEL 4 Личная карточка сотрудника V2 [ 12.06.2017 11:14:00 ] - Учебное управление"));

    // Six hours east the same moment reads 17:14.
    qputenv("TZ", "UTC-6");
    tzset();
    EXPECT_EQ(program::buildTimestampText(), QStringLiteral("12.06.2017 17:14:00"));

    QLocale::setDefault(oldLocale);
    if (oldZone.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldZone);
    tzset();
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
