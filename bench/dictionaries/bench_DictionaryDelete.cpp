// What the dictionary entries' use check costs on 100,000 employees, through the
// embedded server's driver: a connection open (the check is installed on each), a
// refused deletion of a passport issuer, and an allowed deletion of an unused one.

#include "bench/BenchDemoDatabase.h"
#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "server/engine/DictionaryUseCheck.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace zel::bench {
namespace {

constexpr int kEmployees = 100000;

BenchDemoDatabase& database()
{
    return sharedDemoDatabase<kEmployees>();
}

void BM_ConnectionOpen(benchmark::State& state)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    for (auto _ : state) {
        connection.Open();
        state.PauseTiming();
        connection.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConnectionOpen)->Unit(benchmark::kMillisecond);

/// The share of an open that installs the check.
void BM_InstallOnOneConnection(benchmark::State& state)
{
    const QByteArray file = database().path.toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        state.ResumeTiming();
        server::DictionaryUseCheck::install(db);
        state.PauseTiming();
        sqlite3_close_v2(db);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InstallOnOneConnection)->Unit(benchmark::kMillisecond);

void BM_RefusedDeletionOfAnIssuerInUse(benchmark::State& state)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    connection.Open();
    TADOQuery used(QStringLiteral("used"));
    used.SetConnection(&connection);
    used.SetSQL(QStringLiteral("select top 1 id_passport_organ from Passport where id_passport_organ is not null"));
    used.Open();
    const QString key = used.Fields().front()->AsString();
    TADOQuery exec(QStringLiteral("ADOQ_Exec"));
    exec.SetConnection(&connection);
    exec.SetSQL(QStringLiteral("delete from MVD_pasport where IDMVD = ") + key);
    std::int64_t refused = 0;
    for (auto _ : state) {
        try {
            exec.ExecSQL();
        } catch (const DbError&) {
            ++refused;
        }
    }
    if (refused != std::int64_t(state.iterations()))
        state.SkipWithError("a deletion that should have been refused went through");
}
BENCHMARK(BM_RefusedDeletionOfAnIssuerInUse)->Unit(benchmark::kMillisecond);

void BM_InsertAndDeleteOfAnUnusedIssuer(benchmark::State& state)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    connection.Open();
    TADOQuery exec(QStringLiteral("ADOQ_Exec"));
    exec.SetConnection(&connection);
    for (auto _ : state) {
        exec.SetSQL(QStringLiteral("insert into MVD_pasport (CodeMVD) values ('bench')"));
        exec.ExecSQL();
        exec.SetSQL(QStringLiteral("delete from MVD_pasport where CodeMVD = 'bench'"));
        exec.ExecSQL();
    }
}
BENCHMARK(BM_InsertAndDeleteOfAnUnusedIssuer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench
