// What a clerk waits for in the directory on a 100,000-employee database: the
// search that re-opens ADO_TEACHER, and the 19-statement card load of the chosen
// employee. The database is built once (about 15 s) in the temporary folder and
// reused by later runs.
#include "directory/DirectorySearch.h"

#include "bench/BenchDemoDatabase.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/CardHost.h"
#include "data/modules/CardStatements.h"
#include "data/modules/TDM_PUM.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace zel::bench {
namespace {

constexpr int kEmployees = 100000;

/// The editor's connection string to the demo database, kept in the temporary folder.
QString connectionString()
{
    static const QString connection = [] {
        const QString folder = QDir::temp().filePath(QStringLiteral("zel-bench-directory"));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/demo%1.db").arg(kEmployees);
        return editorConnectionString(keptDemoDatabase(path, kEmployees), path);
    }();
    return connection;
}

/// The card window reduced to nothing: the load's own work is what is measured.
class SilentCardHost : public CardHost {
public:
    QString SignedInLogin() const override { return QStringLiteral("ivanova"); }
    QString Workstation() const override { return QStringLiteral("PC12\\10.0.0.7"); }
    void SetSaveEnabled(bool) override {}
    QVariant FamilyStatusKey() const override { return {}; }
    void SetFamilyStatusKey(const QVariant&) override {}
    void SetFamilyStatusLocked(bool) override {}
    void SetPensionerMark(bool) override {}
    void SetStatusText(const QString&) override {}
    bool DirectoryExists() const override { return false; }
    void ShowDirectoryRecord(const QString&, const QVariant&) override {}
    void SetDirectoryRecordCaption(const QString&) override {}
    void ReloadCard() override {}
    void ShowNoRightsWarning(const QString&, const QString&) override {}
};

void connect(TDM_PUM& dm)
{
    dm.ADO_PUM.SetConnectionString(connectionString());
    dm.ADO_PUM.Open();
}

/// Setting the statement (which closes the previous result) and opening it.
void BM_DirectorySearch(benchmark::State& state, DirectorySearch::Field field, const QString& text)
{
    TDM_PUM dm;
    connect(dm);
    const QString sql = DirectorySearch::SearchStatement(field, text);
    std::int64_t rows = 0;
    for (auto _ : state) {
        dm.ADO_TEACHER.SetSQL(sql);
        dm.ADO_TEACHER.Open();
        rows = dm.ADO_TEACHER.RecordCount();
    }
    state.counters["rows"] = double(rows);
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK_CAPTURE(BM_DirectorySearch, surname_ov, DirectorySearch::Field::Surname, QStringLiteral("ов"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DirectorySearch, everyone, DirectorySearch::Field::Surname, QString())
    ->Unit(benchmark::kMillisecond);

/// The 19 section statements for one employee in the middle of the table.
void BM_LoadCard(benchmark::State& state)
{
    TDM_PUM dm;
    connect(dm);
    SilentCardHost host;
    dm.ADO_TEACHER.SetSQL(QStringLiteral("select teacher.*, p26 as t_fio from teacher where id_teacher=")
                          + QString::number(kEmployees / 2));
    dm.ADO_TEACHER.Open();
    if (dm.ADO_TEACHER.IsEmpty()) {
        state.SkipWithError("no employee in the middle of the table");
        return;
    }
    int sectionRows = 0;
    for (auto _ : state) {
        CardStatements::LoadCard(dm, host);
        benchmark::DoNotOptimize(dm.ADOQ_Passport.RecordCount());
    }
    for (const CardStatements::Section& section : CardStatements::Sections(dm))
        sectionRows += section.query->RecordCount();
    state.counters["section_rows"] = sectionRows;
}
BENCHMARK(BM_LoadCard)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zel::bench
