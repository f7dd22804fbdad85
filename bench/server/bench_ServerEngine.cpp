// Cost of the dialect layer of the embedded server against the same work
// written directly for SQLite, on a 100,000-row personnel-like database.
#include "data/ConnectionParams.h"
#include "data/RowSet.h"
#include "server/ServerHooks.h"
#include "server/engine/BatchRunner.h"
#include "server/engine/DialectTranslator.h"
#include "server/engine/EmbeddedDriver.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/ResultReader.h"
#include "server/engine/SqliteFunctions.h"
#include "server/engine/StatementCache.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <random>

using namespace zel;

namespace {

constexpr int kTeachers = 100000;
constexpr int kSections = 19;
constexpr int kCardTeachers = 10000;  // employees that have rows in the sections

std::optional<server::Account> benchAccount(sqlite3*, const QString& login, const QString&)
{
    return server::Account{login, server::AccountRole::Editor};
}

class BenchDatabase {
public:
    static BenchDatabase& instance()
    {
        static BenchDatabase db;
        return db;
    }
    QString path() const { return m_dir.filePath(QStringLiteral("bench.db")); }

private:
    BenchDatabase()
    {
        sqlite3* db = nullptr;
        sqlite3_open(path().toUtf8().constData(), &db);
        server::registerServerFunctions(db);
        auto exec = [&](const QString& sql) { sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); };
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("CREATE TABLE zel_settings(name TEXT PRIMARY KEY, value TEXT);"
                            "INSERT INTO zel_settings VALUES('database_name','ZEL');"
                            "CREATE TABLE TEACHER(id_teacher INTEGER PRIMARY KEY AUTOINCREMENT, p26 varchar(50) COLLATE ZEL_CI,"
                            " p27 varchar(50) COLLATE ZEL_CI, p28 varchar(50) COLLATE ZEL_CI, birth date, ZEL_User varchar(30),"
                            " ZEL_Update date, tab_no int)"));
        for (int s = 1; s <= kSections; ++s)
            exec(QStringLiteral("CREATE TABLE Section%1(id_section INTEGER PRIMARY KEY AUTOINCREMENT, id_teacher int,"
                                " name varchar(100) COLLATE ZEL_CI, date_1 date, note nvarchar(200) COLLATE ZEL_CI, amount int);"
                                "CREATE INDEX Section%1_teacher ON Section%1(id_teacher)")
                     .arg(s));
        exec(QStringLiteral("BEGIN"));
        static const char* const stems[] = {"Иван", "Петр", "Сидор", "Кузнец", "Смирн", "Попов", "Васильев",
                                            "Соколов", "Михайл", "Новик", "Фёдор", "Морозов", "Волк", "Алексеев",
                                            "Лебед", "Семён", "Егор", "Павл", "Козл", "Степан", "Никола", "Орл",
                                            "Андреев", "Макар", "Ёлк", "Захар", "Зайц", "Соловьёв", "Борис", "Яковлев"};
        static const char* const endings[] = {"ов", "ова", "ин", "ина", "ский", "ская", "ев", "енко", "ук", "ых"};
        static const char* const names[] = {"Иван", "Мария", "Пётр", "Анна", "Олег", "Елена", "Юрий", "Ольга"};
        std::mt19937 random(42);
        sqlite3_stmt* teacher = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO TEACHER(p26, p27, p28, birth, tab_no) VALUES (?1, ?2, ?3, ?4, ?5)", -1, &teacher, nullptr);
        for (int i = 0; i < kTeachers; ++i) {
            const QByteArray surname = QByteArray(stems[random() % 30]) + endings[random() % 10];
            const QByteArray name = names[random() % 8];
            sqlite3_bind_text(teacher, 1, surname.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(teacher, 2, name.constData(), -1, SQLITE_TRANSIENT);
            if (random() % 4)
                sqlite3_bind_text(teacher, 3, (name + "ович").constData(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(teacher, 3);
            const QByteArray birth = QStringLiteral("19%1-%2-%3")
                                         .arg(50 + random() % 50)
                                         .arg(1 + random() % 12, 2, 10, QLatin1Char('0'))
                                         .arg(1 + random() % 28, 2, 10, QLatin1Char('0'))
                                         .toLatin1();
            sqlite3_bind_text(teacher, 4, birth.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(teacher, 5, i);
            sqlite3_step(teacher);
            sqlite3_reset(teacher);
        }
        sqlite3_finalize(teacher);
        for (int s = 1; s <= kSections; ++s) {
            sqlite3_stmt* row = nullptr;
            const QByteArray sql = QStringLiteral("INSERT INTO Section%1(id_teacher, name, date_1, note, amount) VALUES (?1, ?2, '2001-02-03', 'примечание', ?3)")
                                       .arg(s)
                                       .toUtf8();
            sqlite3_prepare_v2(db, sql.constData(), -1, &row, nullptr);
            for (int t = 1; t <= kCardTeachers; ++t)
                for (int k = 0; k < 2; ++k) {
                    sqlite3_bind_int(row, 1, t);
                    sqlite3_bind_text(row, 2, "запись раздела", -1, SQLITE_STATIC);
                    sqlite3_bind_int(row, 3, k);
                    sqlite3_step(row);
                    sqlite3_reset(row);
                }
            sqlite3_finalize(row);
        }
        exec(QStringLiteral("COMMIT"));
        sqlite3_close(db);
    }

    QTemporaryDir m_dir;
};

std::unique_ptr<server::EmbeddedDriver> connectDriver()
{
    server::setAccountVerifier(benchAccount);
    auto driver = std::make_unique<server::EmbeddedDriver>();
    driver->open(db::ConnectionParams::parse(QStringLiteral("User ID=bench;Password=x;Initial Catalog=ZEL;Data Source=")
                                             + BenchDatabase::instance().path()));
    return driver;
}

// The plain route: one SQLite connection with the same functions, statements
// prepared once and rebound, rows read into the same snapshot.
class PlainConnection {
public:
    PlainConnection()
    {
        sqlite3_open_v2(BenchDatabase::instance().path().toUtf8().constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        server::registerServerFunctions(m_db);
        m_cache = std::make_unique<server::StatementCache>(m_db);
        m_catalog = std::make_unique<server::SchemaCatalog>(m_db);
        m_catalog->refreshIfChanged();
    }
    ~PlainConnection()
    {
        m_cache.reset();
        sqlite3_close_v2(m_db);
    }
    void query(const QString& sql, db::RowSet& out, const QStringList& tables, std::optional<qint64> key = {})
    {
        sqlite3_stmt* st = m_cache->prepare(sql);
        if (key)
            sqlite3_bind_int64(st, 1, *key);
        server::StatementReset reset(st);
        out.clear();
        server::ResultReader::read(st, *m_catalog, tables, out);
    }

private:
    sqlite3* m_db = nullptr;
    std::unique_ptr<server::StatementCache> m_cache;
    std::unique_ptr<server::SchemaCatalog> m_catalog;
};

const QString kSearch = QStringLiteral(
    "Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+ISNULL(teacher.p28,'')) as t_fio "
    "from teacher where teacher.id_teacher <> 1 AND teacher.p26 LIKE '%ов%' Order by t_fio");
const QString kPlainSearch = QStringLiteral(
    "SELECT TEACHER.*, (ifnull(p26,'')||' '||ifnull(p27,'')||' '||ifnull(p28,'')) AS t_fio FROM TEACHER "
    "WHERE id_teacher <> 1 AND p26 LIKE '%ов%' ORDER BY t_fio COLLATE ZEL_CI");

void BM_SearchDialect(benchmark::State& state)
{
    auto driver = connectDriver();
    db::RowSet rows;
    for (auto _ : state) {
        driver->query(kSearch, rows);
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["rows"] = rows.rowCount();
}
BENCHMARK(BM_SearchDialect)->Unit(benchmark::kMillisecond);

void BM_SearchPlainSqlite(benchmark::State& state)
{
    PlainConnection plain;
    db::RowSet rows;
    for (auto _ : state) {
        plain.query(kPlainSearch, rows, {QStringLiteral("TEACHER")});
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["rows"] = rows.rowCount();
}
BENCHMARK(BM_SearchPlainSqlite)->Unit(benchmark::kMillisecond);

void BM_CardLoadDialect(benchmark::State& state)
{
    auto driver = connectDriver();
    db::RowSet rows;
    qint64 employee = 1;
    for (auto _ : state) {
        // A new employee each time: the texts differ, as on a real card load.
        employee = employee % kCardTeachers + 1;
        for (int s = 1; s <= kSections; ++s) {
            driver->query(QStringLiteral("select * from Section%1 where id_teacher=").arg(s) + QString::number(employee), rows);
            benchmark::DoNotOptimize(rows.rowCount());
        }
    }
}
BENCHMARK(BM_CardLoadDialect)->Unit(benchmark::kMicrosecond);

void BM_CardLoadPlainSqlite(benchmark::State& state)
{
    PlainConnection plain;
    db::RowSet rows;
    QStringList sql, tables;
    for (int s = 1; s <= kSections; ++s) {
        sql << QStringLiteral("SELECT * FROM Section%1 WHERE id_teacher = ?1").arg(s);
        tables << QStringLiteral("Section%1").arg(s);
    }
    qint64 employee = 1;
    for (auto _ : state) {
        employee = employee % kCardTeachers + 1;
        for (int s = 0; s < kSections; ++s) {
            plain.query(sql[s], rows, {tables[s]}, employee);
            benchmark::DoNotOptimize(rows.rowCount());
        }
    }
}
BENCHMARK(BM_CardLoadPlainSqlite)->Unit(benchmark::kMicrosecond);

// Translation alone against execution alone, for one card statement.
void BM_TranslateCardStatement(benchmark::State& state)
{
    auto driver = connectDriver();
    server::EmbeddedSession& session = driver->session();
    server::DialectTranslator translator(session.catalog(), session.policy());
    qint64 employee = 1;
    for (auto _ : state) {
        employee = employee % kCardTeachers + 1;
        auto translated = translator.translate(QStringLiteral("Select * from Section7 where id_teacher=") + QString::number(employee),
                                               session.dateFormat());
        benchmark::DoNotOptimize(translated.size());
    }
}
BENCHMARK(BM_TranslateCardStatement)->Unit(benchmark::kMicrosecond);

// The same through the session's translation cache: a card statement of another
// employee reuses the translation of the first one.
void BM_TranslateCardStatementCached(benchmark::State& state)
{
    auto driver = connectDriver();
    server::EmbeddedSession& session = driver->session();
    qint64 employee = 1;
    for (auto _ : state) {
        employee = employee % kCardTeachers + 1;
        const auto& translated = session.translate(QStringLiteral("Select * from Section7 where id_teacher=") + QString::number(employee));
        benchmark::DoNotOptimize(translated.size());
    }
}
BENCHMARK(BM_TranslateCardStatementCached)->Unit(benchmark::kMicrosecond);

void BM_ExecuteCardStatement(benchmark::State& state)
{
    PlainConnection plain;
    db::RowSet rows;
    qint64 employee = 1;
    const QString sql = QStringLiteral("SELECT * FROM Section7 WHERE id_teacher = ?1");
    for (auto _ : state) {
        employee = employee % kCardTeachers + 1;
        plain.query(sql, rows, {QStringLiteral("Section7")}, employee);
        benchmark::DoNotOptimize(rows.rowCount());
    }
}
BENCHMARK(BM_ExecuteCardStatement)->Unit(benchmark::kMicrosecond);

// Both halves of one card statement through the session, timed apart: the
// counters give the translation's share of the work.
void BM_TranslationShareOfCardStatement(benchmark::State& state)
{
    auto driver = connectDriver();
    server::EmbeddedSession& session = driver->session();
    db::RowSet rows;
    qint64 employee = 1;
    double translating = 0, running = 0;
    for (auto _ : state) {
        employee = employee % kCardTeachers + 1;
        const QString sql = QStringLiteral("Select * from Section7 where id_teacher=") + QString::number(employee);
        const auto t0 = std::chrono::steady_clock::now();
        const auto& translated = session.translate(sql);
        const auto t1 = std::chrono::steady_clock::now();
        rows.clear();
        server::BatchRunner::run(session, sql, &rows);  // translates again from the cache, then runs
        const auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(translated.size());
        translating += std::chrono::duration<double, std::micro>(t1 - t0).count();
        running += std::chrono::duration<double, std::micro>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["translate_us"] = translating / n;
    state.counters["run_us"] = running / n;
    state.counters["translate_share"] = translating / running;
}
BENCHMARK(BM_TranslationShareOfCardStatement)->Unit(benchmark::kMicrosecond);

void BM_TranslateSearchStatement(benchmark::State& state)
{
    auto driver = connectDriver();
    server::EmbeddedSession& session = driver->session();
    server::DialectTranslator translator(session.catalog(), session.policy());
    for (auto _ : state) {
        auto translated = translator.translate(kSearch, session.dateFormat());
        benchmark::DoNotOptimize(translated.size());
    }
}
BENCHMARK(BM_TranslateSearchStatement)->Unit(benchmark::kMicrosecond);

}  // namespace
