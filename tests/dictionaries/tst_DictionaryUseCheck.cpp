// The server refuses to delete a dictionary entry that employee rows still use.
#include "server/engine/DictionaryUseCheck.h"
#include "tests/server/DemoDatabaseFixture.h"

#include <QFile>

#include <sqlite3.h>

using zel::server::DictionaryUseCheck;

namespace {

class DictionaryUseCheckTest : public DemoDatabaseFixture {
protected:
    static void SetUpTestSuite()
    {
        DemoDatabaseFixture::SetUpTestSuite();
        DictionaryUseCheck::install(db());
    }

    // The error text of a statement that must fail; empty when it succeeded.
    static QString failureOf(const QString& sql, int* code = nullptr)
    {
        char* error = nullptr;
        const int rc = sqlite3_exec(db(), sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString message = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        if (code)
            *code = sqlite3_extended_errcode(db());
        return rc == SQLITE_OK ? QString() : message;
    }
};

TEST_F(DictionaryUseCheckTest, AnIssuerUsedByPassportsIsKeptWithTheCountInTheMessage)
{
    const qint64 key = scalar(QStringLiteral("SELECT id_passport_organ FROM Passport WHERE id_passport_organ IS NOT NULL"
                                             " GROUP BY id_passport_organ ORDER BY count(*) DESC LIMIT 1"));
    ASSERT_GT(key, 0);
    const qint64 uses = scalar(QStringLiteral("SELECT count(*) FROM Passport WHERE id_passport_organ = %1").arg(key));
    int code = 0;
    const QString message = failureOf(QStringLiteral("DELETE FROM MVD_pasport WHERE IDMVD = %1").arg(key), &code);
    EXPECT_EQ(message.toStdString(),
              QStringLiteral("Запись справочника \"Орган выдачи пасспорта\" используется в карточках сотрудников "
                             "(записей: %1) и не может быть удалена.")
                  .arg(uses)
                  .toStdString());
    EXPECT_EQ(code, SQLITE_CONSTRAINT_TRIGGER);
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM MVD_pasport WHERE IDMVD = %1").arg(key)), 1);
}

TEST_F(DictionaryUseCheckTest, AnUnusedEntryIsDeletedAndAKeyWithoutEntryStaysWritable)
{
    exec(QStringLiteral("INSERT INTO nationality (Nationality) VALUES ('Никем не занятая')"));
    const qint64 key = scalar(QStringLiteral("SELECT IDNationality FROM nationality WHERE Nationality = 'Никем не занятая'"));
    EXPECT_TRUE(failureOf(QStringLiteral("DELETE FROM nationality WHERE IDNationality = %1").arg(key)).isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM nationality WHERE IDNationality = %1").arg(key)), 0);
    // No foreign key: an employee row may still name a key that has no entry.
    EXPECT_TRUE(failureOf(QStringLiteral("UPDATE TEACHER_info SET id_nationality = %1 WHERE id_teacher_info ="
                                         " (SELECT min(id_teacher_info) FROM TEACHER_info)")
                              .arg(key))
                    .isEmpty());
}

TEST_F(DictionaryUseCheckTest, EveryCheckedDictionaryRefusesAUsedEntry)
{
    for (const auto& use : DictionaryUseCheck::dictionaries()) {
        const auto& ref = use.references.front();
        // An entry used once, made here so that every dictionary has one.
        exec(QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (987654)").arg(QLatin1String(use.dictionary),
                                                                           QLatin1String(use.key)));
        exec(QStringLiteral("UPDATE \"%1\" SET \"%2\" = 987654 WHERE rowid = (SELECT min(rowid) FROM \"%1\")")
                 .arg(QLatin1String(ref.table), QLatin1String(ref.column)));
        const QString message = failureOf(
            QStringLiteral("DELETE FROM \"%1\" WHERE \"%2\" = 987654").arg(QLatin1String(use.dictionary),
                                                                        QLatin1String(use.key)));
        EXPECT_TRUE(message.contains(QStringLiteral("\"%1\"").arg(QString::fromUtf8(use.name)))) << use.dictionary;
        EXPECT_TRUE(message.contains(QStringLiteral("(записей: 1)"))) << use.dictionary << " " << message.toStdString();
    }
}

TEST(DictionaryUseScript, TheSqlServerTriggersCheckTheSameDictionariesWithTheSameText)
{
    QFile file(qEnvironmentVariable("ZEL_SOURCE_DIR") + QStringLiteral("/sql/mssql/05_dictionary_checks.sql"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString script = QString::fromUtf8(file.readAll());
    for (const auto& use : DictionaryUseCheck::dictionaries()) {
        const QString table = QString::fromLatin1(use.dictionary);
        EXPECT_TRUE(script.contains(QStringLiteral("ON [dbo].[%1] AFTER DELETE").arg(table))) << use.dictionary;
        for (const auto& ref : use.references)
            EXPECT_TRUE(script.contains(QStringLiteral("FROM [dbo].[%1] r JOIN deleted d ON r.[%2] = d.[%3]")
                                            .arg(QLatin1String(ref.table), QLatin1String(ref.column),
                                                 QLatin1String(use.key))))
                << use.dictionary;
        EXPECT_TRUE(script.contains(QStringLiteral("N'Запись справочника \"%1\" используется в карточках сотрудников "
                                                   "(записей: '")
                                        .arg(QString::fromUtf8(use.name))))
            << use.dictionary;
    }
    EXPECT_FALSE(script.contains(QStringLiteral("FOREIGN KEY")));
}

}  // namespace
