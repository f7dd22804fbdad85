// What the clerk reads for a failure: the server's own words, led by a Russian
// sentence where they speak of the server's disk, locks or connection.

#include "data/DbError.h"
#include "data/ErrorText.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zel {
namespace {

TEST(ErrorTextForUser, FailuresOfTheServerItselfAreExplainedInRussianAboveItsWords)
{
    const QString diskFull = "The database file cannot be used: database or disk is full";
    const struct {
        DbError::Kind kind;
        const char* lead;
    } cases[] = {
        {DbError::Kind::Storage, "Сервер базы данных не смог записать или прочитать свой файл"},
        {DbError::Kind::Timeout, "Сервер базы данных не ответил вовремя"},
        {DbError::Kind::Deadlock, "Действие столкнулось с действием другого пользователя"},
        {DbError::Kind::ConnectionLost, "Связь с сервером базы данных нарушена"},
    };
    for (const auto& c : cases) {
        const QString text = errorTextForUser(DbError(diskFull, c.kind));
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.lead))) << text.toStdString();
        EXPECT_TRUE(text.endsWith("\n\n" + diskFull)) << text.toStdString();
    }
}

TEST(ErrorTextForUser, RefusalsAndRussianTextsAreShownAsTheyAre)
{
    const QString constraint = "The INSERT statement conflicted with the FOREIGN KEY constraint \"FK_1\".";
    EXPECT_EQ(errorTextForUser(DbError(constraint, DbError::Kind::Constraint)), constraint);
    EXPECT_EQ(errorTextForUser(DbError("Incorrect syntax near 'x'.", DbError::Kind::Syntax)),
              "Incorrect syntax near 'x'.");
    const QString russian = "Не удалось подключиться к базе данных.";
    EXPECT_EQ(errorTextForUser(DbError(russian, DbError::Kind::ConnectionLost)), russian);
    EXPECT_EQ(errorTextForUser(DataError("Поле 'p26' должно иметь значение.")), "Поле 'p26' должно иметь значение.");
    EXPECT_EQ(errorTextForUser(std::runtime_error("plain")), "plain");
}

}  // namespace
}  // namespace zel
