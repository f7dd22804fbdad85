// One edited row posted with its audit row through the embedded server's driver:
// written in one transaction (the save road), against the row and the audit row
// written as two separate statements (the road before the transaction).

#include "bench/BenchDemoDatabase.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"

#include <benchmark/benchmark.h>


namespace zel::bench {
namespace {

BenchDemoDatabase& database()
{
    return sharedDemoDatabase<200>();
}

void BM_LoggedPost(benchmark::State& state, bool inOneTransaction)
{
    TADOConnection connection;
    connection.SetConnectionString(database().connectionString());
    TADOQuery awards(QStringLiteral("ADOQ_Nagrada"));
    awards.SetConnection(&connection);
    awards.SetSQL(QStringLiteral("select * from Nagrada where id_teacher = 2"));
    TADOQuery runner(QStringLiteral("ADOQ_Exec"));
    runner.SetConnection(&connection);
    awards.Open();
    if (awards.IsEmpty()) {
        awards.Append();
        awards.FieldByName(QStringLiteral("id_teacher"))->SetAsInteger(2);
        awards.FieldByName(QStringLiteral("nagrada"))->SetAsString(QStringLiteral("Грамота"));
        awards.Post();
    }
    const QString key = awards.FieldByName(QStringLiteral("id_nagrada"))->AsString();
    auto writeAudit = [&runner, &key](TDataSet&) {
        runner.SetSQL(QStringLiteral("INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) "
                                     "VALUES('Nagrada', %1, 'Поле \"nagrada\" изменило значение.', 'bench', 'PC')")
                          .arg(key));
        runner.ExecSQL();
    };
    if (inOneTransaction)
        awards.OnRowWritten = writeAudit;
    else
        awards.AfterPost = writeAudit;
    int n = 0;
    for (auto _ : state) {
        awards.Edit();
        awards.FieldByName(QStringLiteral("nagrada"))->SetAsString(QStringLiteral("Грамота %1").arg(++n));
        awards.Post();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_LoggedPost, audit_in_one_transaction, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoggedPost, audit_as_separate_statement, false)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench
