// Opening a large query, the memory of its snapshot, and lookup resolution.

#include "SqliteBenchDriver.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace zel::bench {
namespace {

constexpr int kRows = 100000;
constexpr int kDictionaryRows = 10000;

const char* const kSurnames[] = {"Иванов", "Петрова", "Сидоренко", "Абдыкадыров", "Ким",
                                 "Жумабекова", "Ёлкин", "Бондаренко"};
const char* const kNames[] = {"Александр", "Мария", "Нурлан", "Айгуль", "Сергей", "Елена"};

/// An in-memory database with a TEACHER-like table of kRows rows and a dictionary.
sqlite3* database()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open_v2(":memory:", &d, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_exec(d,
                     "create table TEACHER (id_teacher int primary key, p26 varchar(50), p27 varchar(50),"
                     " p28 varchar(50), t_fio varchar(150), ZEL_User varchar(20), ZEL_Update datetime,"
                     " status bit);"
                     "create table Dict (id_dict int primary key, name nvarchar(50));"
                     "begin;",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(d, "insert into TEACHER values (?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
        for (int i = 1; i <= kRows; ++i) {
            const std::string surname = kSurnames[i % 8];
            const std::string name = kNames[i % 6];
            const std::string patronymic = std::string(kNames[(i / 6) % 6]) + "ович";
            const std::string fio = surname + " " + name + " " + patronymic;
            sqlite3_bind_int(insert, 1, i);
            sqlite3_bind_text(insert, 2, surname.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, patronymic.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 5, fio.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 6, "kadry01", -1, SQLITE_STATIC);
            sqlite3_bind_int64(insert, 7, 63700000000000LL + std::int64_t(i) * 86400000LL);
            sqlite3_bind_int(insert, 8, i % 3 != 0);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_prepare_v2(d, "insert into Dict values (?,?)", -1, &insert, nullptr);
        for (int i = 1; i <= kDictionaryRows; ++i) {
            const std::string name = "Справочное значение " + std::to_string(i);
            sqlite3_bind_int(insert, 1, i);
            sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(d, "commit;", nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

/// A connection whose driver is the benchmark's SQLite driver.
TADOConnection& connection()
{
    static TADOConnection* c = [] {
        db::DriverRegistry::add(
            "bench-sqlite", [](const db::ConnectionParams& p) { return p.server() == u"bench"; },
            []() -> std::unique_ptr<db::Driver> { return std::make_unique<SqliteBenchDriver>(database()); });
        auto* conn = new TADOConnection;
        conn->SetConnectionString(QStringLiteral("Data Source=bench"));
        conn->Open();
        return conn;
    }();
    return *c;
}

const char* const kTeacherSql = "select * from TEACHER";

/// The baseline: a plain step loop copying every value into per-column vectors.
void BM_SqliteStepLoopCopy(benchmark::State& state)
{
    sqlite3* db = database();
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kTeacherSql, -1, &stmt, nullptr);
        std::vector<std::int64_t> ints[3];
        std::vector<std::string> texts[5];
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            ints[0].push_back(sqlite3_column_int64(stmt, 0));
            for (int c = 1; c <= 5; ++c)
                texts[c - 1].emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                          std::size_t(sqlite3_column_bytes(stmt, c)));
            ints[1].push_back(sqlite3_column_int64(stmt, 6));
            ints[2].push_back(sqlite3_column_int64(stmt, 7));
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(texts[0].data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SqliteStepLoopCopy)->Unit(benchmark::kMillisecond);

/// Opens the query once per iteration; closing it is not timed.
void measureOpen(benchmark::State& state, TADOQuery& query)
{
    for (auto _ : state) {
        query.Open();
        benchmark::DoNotOptimize(query.RecordCount());
        state.PauseTiming();
        query.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_DataSetOpen(benchmark::State& state)
{
    TADOQuery query(QStringLiteral("ADO_TEACHER"));
    query.SetConnection(&connection());
    query.SetSQL(QString::fromLatin1(kTeacherSql));
    measureOpen(state, query);
}
BENCHMARK(BM_DataSetOpen)->Unit(benchmark::kMillisecond);

void BM_DataSetOpenPersistentFields(benchmark::State& state)
{
    TADOQuery query(QStringLiteral("ADO_TEACHER"));
    query.SetConnection(&connection());
    query.SetSQL(QString::fromLatin1(kTeacherSql));
    query.DeclareFields({{.name = "id_teacher", .type = ftAutoInc, .readOnly = true},
                         {.name = "p26", .type = ftString, .size = 50},
                         {.name = "p27", .type = ftString, .size = 50},
                         {.name = "p28", .type = ftString, .size = 50},
                         {.name = "t_fio", .type = ftString, .size = 50},
                         {.name = "ZEL_User", .type = ftString, .size = 20},
                         {.name = "ZEL_Update", .type = ftDate},
                         {.name = "status", .type = ftBoolean}});
    measureOpen(state, query);
}
BENCHMARK(BM_DataSetOpenPersistentFields)->Unit(benchmark::kMillisecond);

/// Bytes the open dataset holds for its rows (snapshot, row order, deletion marks).
void BM_SnapshotMemory(benchmark::State& state)
{
    TADOQuery query(QStringLiteral("ADO_TEACHER"));
    query.SetConnection(&connection());
    query.SetSQL(QString::fromLatin1(kTeacherSql));
    query.Open();
    for (auto _ : state)
        benchmark::DoNotOptimize(query.rowSet().memoryUsage());
    const double snapshot = double(query.rowSet().memoryUsage());
    const double total = snapshot + double(query.RecordCount()) * (sizeof(int) + 1.0 / 8);
    state.counters["snapshot_MB"] = snapshot / 1e6;
    state.counters["total_MB"] = total / 1e6;
    state.counters["bytes_per_row"] = total / kRows;
}
BENCHMARK(BM_SnapshotMemory);

/// Reading a lookup field of every row of a 100,000-row dataset over a 10,000-row dictionary.
void BM_LookupResolution(benchmark::State& state)
{
    TADOQuery dictionary(QStringLiteral("ADOQ_Dict"));
    dictionary.SetConnection(&connection());
    dictionary.SetSQL(QStringLiteral("select * from Dict"));
    TADOQuery detail(QStringLiteral("ADOQ_Detail"));
    detail.SetConnection(&connection());
    detail.SetSQL(QStringLiteral("select id_teacher, (id_teacher % 10007) + 1 as id_dict from TEACHER"));
    detail.DeclareFields({{.name = "id_teacher", .type = ftInteger},
                          {.name = "id_dict", .type = ftInteger},
                          {.name = "dict", .type = ftWideString, .size = 50, .kind = fkLookup,
                           .keyFields = "id_dict", .lookupDataSet = &dictionary,
                           .lookupKeyFields = "id_dict", .lookupResultField = "name"}});
    detail.Open();
    TField* lookup = detail.FieldByName(QStringLiteral("dict"));
    std::int64_t found = 0;
    for (auto _ : state) {
        for (int r = 1; r <= kRows; ++r)
            found += lookup->ValueAt(r).isNull() ? 0 : 1;
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["ns_per_row"] =
        benchmark::Counter(double(state.iterations()) * kRows, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LookupResolution)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench
