#include "server/demo/DemoDatabase.h"

#include "data/DbError.h"
#include "server/demo/DemoAccounts.h"
#include "server/demo/DemoCareerWriter.h"
#include "server/demo/DemoPersonWriter.h"
#include "server/demo/SeedWriter.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteSchemaWriter.h"
#include "server/schema/SqliteStatement.h"

#include <QFile>

namespace zel::server {

using schema::execute;

namespace {
// Photos make the file large; a benchmark database keeps them to the first employees.
constexpr int kPhotoLimit = 3000;

void writeSettings(sqlite3* db, const QString& databaseName)
{
    schema::SqliteStatement insert(db, QStringLiteral("INSERT INTO zel_settings (name, value) VALUES (?1, ?2)"));
    const std::pair<QString, QString> settings[] = {
        {QStringLiteral("database_name"), databaseName},
        {QStringLiteral("trace"), QStringLiteral("0")},
        {QStringLiteral("program_version"), QStringLiteral("2")},
    };
    for (const auto& [name, value] : settings) {
        insert.bind(1, name);
        insert.bind(2, value);
        insert.run();
    }
}

void writeEmployees(sqlite3* db, int employees, quint32 seed)
{
    demo::Dice dice(seed);
    demo::DemoPersonWriter persons(db, dice, kPhotoLimit);
    demo::DemoCareerWriter careers(db, dice);

    // Key 1 is a service row that the directory never lists.
    persons.writeMaster({QStringLiteral("Служебная запись"), QStringLiteral("не удалять"), QString()}, true, false);
    for (int i = 0; i < employees; ++i) {
        const bool male = dice.chance(0.45);
        const demo::DemoPerson person =
            persons.writeMaster(demo::DemoNames::random(dice.engine(), male), male, dice.chance(0.85));
        persons.writeSections(person);
        careers.writeSections(person);
        if (person.working && dice.chance(0.25))
            careers.writeWorkload(person);
    }
}
}  // namespace

DemoSummary fillDemoDatabase(sqlite3* db, int employees, quint32 seed)
{
    if (employees < 0)
        throw DbError(QStringLiteral("Число сотрудников не может быть отрицательным."));
    DemoSummary summary;
    summary.databaseName = QStringLiteral("ZEL");
    summary.employees = employees;

    execute(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (const QString& sql : schema::SqliteSchemaWriter::tableStatements())
            execute(db, sql);
        writeSettings(db, summary.databaseName);
        for (const demo::SeedTable& seedTable : demo::DemoReferenceData::tables())
            demo::SeedWriter::insert(db, seedTable);
        // The demo's cards come from the report server run beside the program.
        execute(db, QStringLiteral("UPDATE VuzDefaults SET n_field = '%1' WHERE id_vuz_defaults = 22")
                        .arg(QStringView(kDemoReportServer)));
        demo::DemoAccounts::write(db, summary);
        writeEmployees(db, employees, seed);
        for (const QString& sql : schema::SqliteSchemaWriter::indexAndViewStatements())
            execute(db, sql);
        execute(db, QStringLiteral("COMMIT"));
    } catch (...) {
        execute(db, QStringLiteral("ROLLBACK"));
        throw;
    }
    execute(db, QStringLiteral("ANALYZE"));
    return summary;
}

DemoSummary createDemoDatabase(const QString& path, int employees, quint32 seed)
{
    if (QFile::exists(path))
        throw DbError(QStringLiteral("Файл \"%1\" уже существует.").arg(path));
    try {
        schema::SqliteConnection connection(path, schema::SqliteConnection::Mode::CreateNew);
        // A new file has nothing to protect while it is loaded: no journal, no syncs,
        // a large page cache; the write-ahead log is switched on once it is complete.
        execute(connection.handle(), QStringLiteral("PRAGMA journal_mode=OFF"));
        execute(connection.handle(), QStringLiteral("PRAGMA synchronous=OFF"));
        execute(connection.handle(), QStringLiteral("PRAGMA cache_size=-262144"));
        DemoSummary summary = fillDemoDatabase(connection.handle(), employees, seed);
        execute(connection.handle(), QStringLiteral("PRAGMA journal_mode=WAL"));
        return summary;
    } catch (...) {
        // A half-written file would look like a database; leave nothing behind.
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        throw;
    }
}

}  // namespace zel::server
