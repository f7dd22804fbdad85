// Opening the directory's 100,000-row statement through the embedded server,
// against a plain SQLite step loop over the same file.

#include "bench/BenchDemoDatabase.h"
#include "data/Driver.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace zel::bench {
namespace {

constexpr int kEmployees = 100000;

BenchDemoDatabase& database()
{
    return sharedDemoDatabase<kEmployees>();
}

void BM_EmbeddedSqliteStepLoop(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database().path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const char* sql = "select TEACHER.*, p26 || ' ' || p27 || ' ' || p28 as t_fio from TEACHER where id_teacher <> 1";
    std::int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        const int columns = sqlite3_column_count(stmt);
        std::vector<std::vector<std::string>> texts(static_cast<std::size_t>(columns));
        std::vector<std::vector<std::int64_t>> numbers(static_cast<std::size_t>(columns));
        rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                    texts[std::size_t(c)].emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                                       std::size_t(sqlite3_column_bytes(stmt, c)));
                else
                    numbers[std::size_t(c)].push_back(sqlite3_column_int64(stmt, c));
            }
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(texts.data());
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_EmbeddedSqliteStepLoop)->Unit(benchmark::kMillisecond);

void BM_EmbeddedDataSetOpen(benchmark::State& state)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    TADOQuery query(QStringLiteral("ADO_TEACHER"));
    query.SetConnection(&connection);
    query.SetSQL(QStringLiteral("select teacher.*, p26 + ' ' + p27 + ' ' + p28 as t_fio from teacher "
                                "where id_teacher <> 1"));
    std::int64_t rows = 0;
    for (auto _ : state) {
        query.Open();
        rows = query.RecordCount();
        state.PauseTiming();
        query.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_EmbeddedDataSetOpen)->Unit(benchmark::kMillisecond);

/// The driver alone filling a snapshot: what the dataset adds is the difference.
void BM_EmbeddedDriverQueryOnly(benchmark::State& state)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    connection.Open();
    std::int64_t rows = 0;
    for (auto _ : state) {
        db::RowSet result;
        connection.driver().query(QStringLiteral("select teacher.*, p26 + ' ' + p27 + ' ' + p28 as t_fio "
                                                 "from teacher where id_teacher <> 1"),
                                  result);
        rows = result.rowCount();
        state.PauseTiming();
        result.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_EmbeddedDriverQueryOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench
