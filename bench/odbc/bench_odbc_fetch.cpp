// Fetching a whole result through the ODBC driver into a RowSet, on SQLite's
// ODBC driver: what the per-cell reading costs for a dictionary-sized and a
// large result.
#include "../../tests/data/odbc/OdbcTestEnvironment.h"

#include "data/odbc/OdbcDriver.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zel::db;

namespace {

struct Database {
    QTemporaryDir dir;
    OdbcDriver driver;

    explicit Database(int rows)
    {
        odbctest::installTestOdbcConfiguration();
        driver.open(ConnectionParams::parse(odbctest::connectionStringFor(dir.filePath(QStringLiteral("bench.db")))));
        driver.execute(QStringLiteral("CREATE TABLE TEACHER (id_teacher integer PRIMARY KEY, t_fio nvarchar(100),"
                                      " born datetime, salary float, flag bit, notes text)"));
        driver.execute(QStringLiteral(
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO TEACHER SELECT i, 'Иванов Иван Иванович ' || i, '1980-01-01 00:00:00', "
                           "i * 1.5, i % 2, 'заметка' FROM n")
                           .arg(rows));
    }
};

void BM_FetchTeachers(benchmark::State& state)
{
    Database db(int(state.range(0)));
    for (auto _ : state) {
        RowSet rows;
        db.driver.query(QStringLiteral("SELECT * FROM TEACHER"), rows);
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FetchTeachers)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
