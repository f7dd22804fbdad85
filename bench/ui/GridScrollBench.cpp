// Scrolling a grid over 100,000 employees of the embedded server: the cost of
// the cells of one screen, read on demand from the dataset's snapshot, and of
// painting the grid at a random position.
#include "ui/DataSetTableModel.h"
#include "ui/DbGrid.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TDataSource.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int employees = 100000;

struct Fixture {
    std::unique_ptr<QApplication> app;
    QTemporaryDir dir;
    zel::TADOConnection connection;
    zel::TADOQuery teacher{"ADO_TEACHER"};
    zel::TDataSource source{&teacher};
    std::unique_ptr<zel::ui::DbGrid> grid;

    Fixture()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_ui_grid";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);

        zel::server::registerEmbeddedDriver();
        zel::server::installServerModules();
        const QString path = dir.filePath("zel.db");
        const auto summary = zel::server::createDemoDatabase(path, employees);
        const auto& login = summary.databaseAccounts.at(1);
        connection.SetConnectionString("Provider=SQLOLEDB.1;Password=" + login.password + ";User ID=" + login.login
                                       + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path);
        teacher.SetConnection(&connection);
        teacher.SetSQL("Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+"
                       "ISNULL(teacher.p28,'')) as t_fio from teacher where teacher.id_teacher <> 1 "
                       "AND teacher.p26 LIKE '%%' Order by t_fio");
        teacher.Open();

        grid = std::make_unique<zel::ui::DbGrid>();
        std::vector<zel::ui::GridColumn> columns(4);
        const char* fields[] = {"t_fio", "p26", "p27", "id_teacher"};
        for (std::size_t i = 0; i < columns.size(); ++i)
            columns[i].fieldName = QString::fromLatin1(fields[i]);
        columns[0].title = "ФИО сотрудника";
        columns[0].width = 240;
        grid->setColumns(columns);
        grid->setDataSource(&source);
        grid->setReadOnly(true);
        grid->setRowSelect(true);
        grid->resize(600, 400);
        grid->show();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// The cells one screen shows (30 rows x 4 columns), at a random position.
void BM_ScreenOfCells(benchmark::State& state)
{
    Fixture& f = fixture();
    const QAbstractItemModel* model = f.grid->model();
    const int rows = model->rowCount();
    auto* random = QRandomGenerator::global();
    for (auto _ : state) {
        const int top = random->bounded(rows - 30);
        qsizetype chars = 0;
        for (int r = top; r < top + 30; ++r)
            for (int c = 0; c < 4; ++c)
                chars += model->index(r, c).data().toString().size();
        benchmark::DoNotOptimize(chars);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ScreenOfCells);

// Scroll to a random row and paint the grid's viewport.
void BM_ScrollAndPaint(benchmark::State& state)
{
    Fixture& f = fixture();
    QScrollBar* bar = f.grid->verticalScrollBar();
    QPixmap target(f.grid->viewport()->size());
    auto* random = QRandomGenerator::global();
    for (auto _ : state) {
        bar->setValue(random->bounded(bar->maximum() + 1));
        f.grid->viewport()->render(&target);
        benchmark::DoNotOptimize(target.cacheKey());
    }
}
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond);

// Moving the dataset's row (as a click does) and letting the grid follow it.
void BM_CurrentRowFollow(benchmark::State& state)
{
    Fixture& f = fixture();
    auto* random = QRandomGenerator::global();
    const int rows = f.teacher.RecordCount();
    for (auto _ : state)
        f.teacher.SetRecNo(1 + random->bounded(rows));
    benchmark::DoNotOptimize(f.grid->currentIndex().row());
}
BENCHMARK(BM_CurrentRowFollow);

}  // namespace
