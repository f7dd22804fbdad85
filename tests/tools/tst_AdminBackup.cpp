// zel4-admin backup while another process keeps writing to the database.
#include "AdminCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using admintest::admin;
using admintest::CommandResult;

void exec(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

sqlite3* open(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_busy_timeout(db, 30000);
    return db;
}

long long scalar(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    long long value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// Each transaction adds a card row and its audit row and raises the counter: in any
// consistent state the three agree.
void writeForever(const QString& path)
{
    sqlite3* db = open(path);
    for (long long i = 0;; ++i) {
        exec(db, "BEGIN IMMEDIATE");
        exec(db, "INSERT INTO card(name) VALUES (printf('Сотрудник %d', random() % 1000))");
        exec(db, "INSERT INTO log(card_id, text) VALUES (last_insert_rowid(), 'создан')");
        exec(db, "UPDATE counter SET n = n + 1");
        exec(db, "COMMIT");
    }
}

class AdminBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = dir.filePath(QStringLiteral("zel.db"));
        sqlite3* db = open(source);
        exec(db, "PRAGMA journal_mode=WAL");
        exec(db, "CREATE TABLE card(id INTEGER PRIMARY KEY, name TEXT);"
                 "CREATE TABLE log(id INTEGER PRIMARY KEY, card_id INTEGER, text TEXT);"
                 "CREATE TABLE counter(n INTEGER); INSERT INTO counter VALUES (0);");
        sqlite3_close(db);
    }

    QTemporaryDir dir;
    QString source;
};

TEST_F(AdminBackupTest, CopyTakenWhileAnotherProcessWritesIsConsistent)
{
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        try {
            writeForever(source);
        } catch (...) {
        }
        _exit(3);
    }
    // Let the writer get going, then take several copies under its feet.
    sqlite3* watch = open(source);
    while (scalar(watch, "SELECT n FROM counter") < 200)
        usleep(2000);
    sqlite3_close(watch);

    long long previous = -1;
    for (int round = 0; round < 3; ++round) {
        const QString copy = dir.filePath(QStringLiteral("copy%1.db").arg(round));
        const CommandResult result = admin({QStringLiteral("backup"), QStringLiteral("--db"), source,
                                            QStringLiteral("--out"), copy});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QStringLiteral("проверка целостности: ok"))) << result.out.toStdString();
        EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".partial")));

        sqlite3* db = open(copy);
        const long long cards = scalar(db, "SELECT count(*) FROM card");
        EXPECT_EQ(scalar(db, "SELECT n FROM counter"), cards);
        EXPECT_EQ(scalar(db, "SELECT count(*) FROM log"), cards);
        EXPECT_EQ(scalar(db, "SELECT count(*) FROM log WHERE card_id NOT IN (SELECT id FROM card)"), 0);
        EXPECT_GE(cards, previous);
        previous = cards;
        sqlite3_close(db);
    }

    // The writer never stopped because of the copies.
    int status = 0;
    EXPECT_EQ(waitpid(writer, &status, WNOHANG), 0) << "the writer ended during the backup";
    kill(writer, SIGKILL);
    waitpid(writer, &status, 0);
}

TEST_F(AdminBackupTest, RefusesMissingDatabaseAndOverwritingItself)
{
    const CommandResult missing = admin({QStringLiteral("backup"), QStringLiteral("--db"),
                                         dir.filePath(QStringLiteral("nowhere.db")), QStringLiteral("--out"),
                                         dir.filePath(QStringLiteral("x.db"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Нет файла базы данных"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.db"))));

    const CommandResult self = admin({QStringLiteral("backup"), QStringLiteral("--db"), source,
                                      QStringLiteral("--out"), source});
    EXPECT_EQ(self.exitCode, 2);
    sqlite3* db = open(source);
    EXPECT_EQ(scalar(db, "SELECT count(*) FROM counter"), 1);
    sqlite3_close(db);

    const CommandResult usage = admin({QStringLiteral("backup"), QStringLiteral("--db"), source});
    EXPECT_EQ(usage.exitCode, 2);
}

TEST_F(AdminBackupTest, TargetThatCannotBeCreatedLeavesNothingBehind)
{
    const QString target = dir.filePath(QStringLiteral("no-such-folder/copy.db"));
    const CommandResult result = admin({QStringLiteral("backup"), QStringLiteral("--db"), source,
                                        QStringLiteral("--out"), target});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Копия не сделана"))) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".partial")));
}

}  // namespace
