// Two waits of a clerk beyond the card, on the embedded server's driver:
// - the change history of an employee with 1,000 log rows in a 1,000,000-row ZEL_LOG
//   (one call of ZEL_EmployeeHistory, rows taken apart for the window, the keys of
//   dictionary fields named: one statement per dictionary in the rows);
// - "Экспорт в Excel" of 100,000 employees: reading their details and writing .xlsx.
// The databases are built once in the temporary folder and reused by later runs.
#include "data/dataset/TADOQuery.h"
#include "data/modules/TDM_PUM.h"
#include "directory/DirectorySearch.h"
#include "directory/SearchResultExporter.h"
#include "directory/SearchResultRows.h"
#include "directory/SpreadsheetExport.h"
#include "history/EmployeeHistoryReader.h"
#include "history/HistoryLookups.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QProgressDialog>
#include <QWidget>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <random>

namespace zel::bench {
namespace {

constexpr int kLogRows = 1000000;
constexpr int kEmployeeRows = 1000;
constexpr int kLogEmployees = 2000;
constexpr int kExportEmployees = 100000;

QString editorConnection(const server::DemoSummary& summary, const QString& path)
{
    const auto& editor = summary.databaseAccounts.at(1);
    return "Provider=SQLOLEDB.1;Password=" + editor.password + ";User ID=" + editor.login
        + ";Initial Catalog=" + summary.databaseName + ";Data Source=" + path;
}

/// A demo database of the given size, built once and kept; prepare runs on a new one.
QString cachedDatabase(const QString& name, int employees, const std::function<void(const QString&)>& prepare,
                       server::DemoSummary& summary)
{
    server::registerEmbeddedDriver();
    server::installServerModules();
    const QString folder = QDir::temp().filePath(QStringLiteral("zel-bench-history"));
    QDir().mkpath(folder);
    const QString path = folder + u'/' + name;
    const QString complete = path + QStringLiteral(".complete");
    if (QFile::exists(path) && QFile::exists(complete)) {
        QTemporaryDir scratch;
        summary = server::createDemoDatabase(scratch.filePath(QStringLiteral("accounts.db")), 0);
    } else {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        summary = server::createDemoDatabase(path, employees);
        if (prepare)
            prepare(path);
        QFile marker(complete);
        marker.open(QIODevice::WriteOnly);
    }
    return path;
}

struct SectionRows {
    const char* label;
    const char* select;  ///< key, employee
};

/// A change of the employee's own rows: dictionary fields (a key now and then
/// missing from its dictionary) and plain text, about half each.
QString mineChange(const QString& label, int i, std::mt19937& dice)
{
    const QString change = QStringLiteral("Поле \"%1\" изменило значение \"%2\" на \"%3\".");
    auto key = [&dice](int count) { return dice() % 40 == 0 ? 99 : int(dice() % count) + 1; };
    if (dice() % 2 == 0)
        return change.arg(QStringLiteral("Phone")).arg(i).arg(i + 1);
    if (label == QLatin1String("Teacher_info"))
        return dice() % 2 ? change.arg(QStringLiteral("id_nationality")).arg(key(18)).arg(key(18))
                          : change.arg(QStringLiteral("id_pol")).arg(key(2)).arg(key(2));
    if (label == QLatin1String("Family"))
        return change.arg(QStringLiteral("id_family_s")).arg(key(16)).arg(key(16));
    if (label == QLatin1String("Educ"))
        return dice() % 2 ? change.arg(QStringLiteral("id_edu")).arg(key(8)).arg(key(8))
                          : change.arg(QStringLiteral("id_educ_t")).arg(key(5)).arg(key(5));
    return change.arg(QStringLiteral("Phone")).arg(i).arg(i + 1);
}

/// Fills ZEL_LOG with kLogRows rows: kEmployeeRows of them belong to the employee
/// with the smallest key (changes of its section rows and deletions of rows it had),
/// the rest to every other employee's sections and to dictionaries, about 1% of
/// them deletions.
qint64 fillLog(const QString& path)
{
    server::schema::SqliteConnection db(path, server::schema::SqliteConnection::Mode::OpenExisting);
    const SectionRows sections[] = {
        {"Teacher_info", "SELECT id_teacher_info, id_teacher FROM TEACHER_info"},
        {"Family", "SELECT id_family, id_teacher FROM family_"},
        {"Nagrada", "SELECT id_nagrada, id_teacher FROM Nagrada"},
        {"Work", "SELECT id_Work, ID_TEACHER FROM Work"},
        {"Educ", "SELECT id_educ, id_teacher FROM Educ"},
        {"Pasport", "SELECT id_pasport, id_teacher FROM Passport"},
    };
    struct Row {
        QString label;
        qint64 key;
        qint64 employee;
    };
    std::vector<Row> rows;
    for (const SectionRows& s : sections) {
        server::schema::SqliteStatement select(db.handle(), QString::fromLatin1(s.select));
        while (select.step())
            rows.push_back({QString::fromLatin1(s.label), select.integer(0), select.integer(1)});
    }
    qint64 target = std::numeric_limits<qint64>::max();
    for (const Row& r : rows)
        target = std::min(target, r.employee);
    std::vector<Row> mine;
    std::vector<Row> others;
    for (const Row& r : rows)
        (r.employee == target ? mine : others).push_back(r);

    std::mt19937 dice(2026);
    server::schema::execute(db.handle(), QStringLiteral("BEGIN"));
    server::schema::SqliteStatement insert(db.handle(), QStringLiteral(
        "INSERT INTO ZEL_LOG (\"table\", row_id, descr, ZEL_User, comp, date_log) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"));
    const QDateTime start(QDate(2020, 1, 1), QTime(8, 0));
    qint64 deletedKey = 10000000;
    auto write = [&](const QString& label, qint64 key, const QString& descr, int i) {
        insert.bind(1, label);
        insert.bind(2, key);
        insert.bind(3, descr);
        insert.bind(4, QStringLiteral("ivanova"));
        insert.bind(5, QStringLiteral("PC12\\10.0.0.7"));
        insert.bind(6, start.addSecs(qint64(i) * 150).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
        insert.run();
    };
    auto deletion = [&](const QString& label, qint64 employee, int i) {
        const qint64 key = ++deletedKey;
        write(label, key,
              QStringLiteral("Запись с уникальным номером - '%1' была удалена - (id_teacher[%2], By_who['Президент'], "
                             "id_nagrada[%1], nagrada['Орден \"Манас\"'], date_get['01.02.2003'])."
                             ).arg(key).arg(employee),
              i);
    };
    const int stride = kLogRows / kEmployeeRows;
    for (int i = 0; i < kLogRows; ++i) {
        if (i % stride == 0) {
            if (i % (stride * 50) == 0) {
                deletion(QStringLiteral("Nagrada"), target, i);
            } else {
                const Row& r = mine[dice() % mine.size()];
                write(r.label, r.key, mineChange(r.label, i, dice), i);
            }
        } else if (dice() % 100 == 0) {
            deletion(QStringLiteral("Nagrada"), others[dice() % others.size()].employee, i);
        } else if (dice() % 10 == 0) {
            write(QStringLiteral("Nationality"), qint64(dice() % 50 + 1),
                  QStringLiteral("Поле \"Nationality\" изменило значение \"a\" на \"b\"."), i);
        } else {
            const Row& r = others[dice() % others.size()];
            write(r.label, r.key, QStringLiteral("Поле \"p27\" изменило значение \"Иван\" на \"Пётр\"."), i);
        }
    }
    server::schema::execute(db.handle(), QStringLiteral("COMMIT"));
    server::schema::execute(db.handle(), QStringLiteral("ANALYZE"));
    return target;
}

struct HistoryDatabase {
    QString connectionString;
    qint64 employee = 0;

    static HistoryDatabase& instance()
    {
        static HistoryDatabase db;
        return db;
    }

private:
    HistoryDatabase()
    {
        server::DemoSummary summary;
        const QString path = cachedDatabase(QStringLiteral("log%1-names.db").arg(kLogRows), kLogEmployees,
                                            [](const QString& p) { fillLog(p); }, summary);
        connectionString = editorConnection(summary, path);
        server::schema::SqliteConnection db(path, server::schema::SqliteConnection::Mode::OpenExisting);
        server::schema::SqliteStatement first(db.handle(), QStringLiteral(
            "SELECT min(id_teacher) FROM (SELECT id_teacher FROM TEACHER_info UNION SELECT id_teacher FROM family_ "
            "UNION SELECT id_teacher FROM Nagrada UNION SELECT ID_TEACHER FROM Work UNION SELECT id_teacher FROM Educ "
            "UNION SELECT id_teacher FROM Passport)"));
        first.step();
        employee = first.integer(0);
    }
};

/// The lookups the card hands the history: the data module's lookup fields and the
/// selectors of the rows this log changes, declared as the card's tabs declare them.
HistoryLookups cardLookups(TDM_PUM& dm)
{
    return HistoryLookups::FromDeclarations(
        dm, {{&dm.DS_Teacher_2, QStringLiteral("id_nationality"), &dm.DS_nationality, QStringLiteral("IDNationality"),
              QStringLiteral("Nationality")},
             {&dm.DS_Teacher_2, QStringLiteral("id_pol"), &dm.DS_pol, QStringLiteral("id_pol"), QStringLiteral("p17")},
             {&dm.DS_Education, QStringLiteral("id_edu"), &dm.DS_Edu, QStringLiteral("id_edu"),
              QStringLiteral("education")},
             {&dm.DS_Education, QStringLiteral("id_educ_t"), &dm.DS_Educ_T, QStringLiteral("id_educ_t"),
              QStringLiteral("Educ_type")}});
}

/// The card's data module signed in to the history database.
struct HistoryModule {
    TDM_PUM dm;
    HistoryModule()
    {
        dm.ADO_PUM.SetConnectionString(HistoryDatabase::instance().connectionString);
        dm.ADO_PUM.Open();
    }
};

/// The card's data module over the export database with every employee found, as
/// the directory holds them before "Экспорт в Excel", and the file to export to.
struct EveryoneFound {
    TDM_PUM dm;
    QTemporaryDir out;
    QString file;
    explicit EveryoneFound(const QString& fileName) : file(out.filePath(fileName))
    {
        server::DemoSummary summary;
        const QString path =
            cachedDatabase(QStringLiteral("demo%1.db").arg(kExportEmployees), kExportEmployees, {}, summary);
        dm.ADO_PUM.SetConnectionString(editorConnection(summary, path));
        dm.ADO_PUM.Open();
        dm.ADO_TEACHER.SetSQL(DirectorySearch::SearchStatement(DirectorySearch::Field::Surname, QString()));
        dm.ADO_TEACHER.Open();
    }
};

/// The window's one request: the whole history of the employee, rows taken apart,
/// dictionary keys named.
void BM_EmployeeHistory(benchmark::State& state)
{
    HistoryDatabase& db = HistoryDatabase::instance();
    HistoryModule module;
    TDM_PUM& dm = module.dm;
    EmployeeHistoryReader reader(dm.ADO_PUM, cardLookups(dm));
    HistoryRequest request;
    request.employee = db.employee;
    std::vector<HistoryEntry> entries;
    for (auto _ : state) {
        entries = reader.Read(request);
        benchmark::DoNotOptimize(entries.size());
    }
    if (entries.size() != std::size_t(kEmployeeRows))
        state.SkipWithError("the employee's history does not hold its 1,000 rows");
    int named = 0;
    for (const HistoryEntry& e : entries)
        named += !e.newKey.isEmpty();
    if (named == 0)
        state.SkipWithError("no dictionary key was named");
    state.counters["rows"] = double(entries.size());
    state.counters["named"] = double(named);
}
BENCHMARK(BM_EmployeeHistory)->Unit(benchmark::kMillisecond)->MinTime(2.0);

/// The same request with the keys left as logged: what naming them costs.
void BM_EmployeeHistoryKeysAsLogged(benchmark::State& state)
{
    HistoryDatabase& db = HistoryDatabase::instance();
    HistoryModule module;
    TDM_PUM& dm = module.dm;
    EmployeeHistoryReader reader(dm.ADO_PUM);
    HistoryRequest request;
    request.employee = db.employee;
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.Read(request).size());
}
BENCHMARK(BM_EmployeeHistoryKeysAsLogged)->Unit(benchmark::kMillisecond)->MinTime(2.0);

/// One section over a date range: the filtered request.
void BM_EmployeeHistoryFiltered(benchmark::State& state)
{
    HistoryDatabase& db = HistoryDatabase::instance();
    HistoryModule module;
    TDM_PUM& dm = module.dm;
    EmployeeHistoryReader reader(dm.ADO_PUM, cardLookups(dm));
    HistoryRequest request;
    request.employee = db.employee;
    request.section = QStringLiteral("Nagrada");
    request.from = QDate(2021, 1, 1);
    request.to = QDate(2022, 12, 31);
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.Read(request).size());
}
BENCHMARK(BM_EmployeeHistoryFiltered)->Unit(benchmark::kMillisecond)->MinTime(2.0);

/// "Экспорт в Excel" of every one of 100,000 employees, as the exporter does it:
/// the details read in groups, then the .xlsx written, progress asked as the dialog would.
void BM_ExportXlsx(benchmark::State& state)
{
    EveryoneFound found(QStringLiteral("Сотрудники.xlsx"));
    TDM_PUM& dm = found.dm;
    const QString& file = found.file;
    int steps = 0;
    qint64 longestGap = 0;  // the longest the progress dialog would go without events
    QElapsedTimer sinceLast;
    auto progress = [&](int, int) {
        ++steps;
        longestGap = std::max(longestGap, sinceLast.restart());
        return true;
    };
    for (auto _ : state) {
        sinceLast.start();
        const std::optional<std::vector<ExportRow>> rows = SearchResultRows::Collect(dm, progress);
        const SpreadsheetExport::Result result = SpreadsheetExport::Write(file, *rows, progress);
        if (result.outcome != SpreadsheetExport::Outcome::Written)
            state.SkipWithError("the export failed");
    }
    state.counters["employees"] = double(dm.ADO_TEACHER.RecordCount());
    state.counters["bytes"] = double(QFile(file).size());
    state.counters["progress_steps"] = double(steps) / double(state.iterations());
    state.counters["longest_gap_ms"] = double(longestGap);
}
BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);

/// The exporter as the button runs it, with its progress dialog (offscreen): the
/// whole wait, and the longest the dialog goes without handling events.
void BM_ExportXlsxWithProgressDialog(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "bench_history";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    EveryoneFound found(QStringLiteral("Сотрудники.xlsx"));
    TDM_PUM& dm = found.dm;
    const QString& file = found.file;
    QWidget window;
    SearchResultExporter exporter(dm, &window);
    exporter.ChooseFile = [file](QWidget*) { return file; };
    qint64 longestGap = 0;
    QElapsedTimer sinceLast;
    exporter.ProgressShown = [&](QProgressDialog&) { longestGap = std::max(longestGap, sinceLast.restart()); };
    for (auto _ : state) {
        sinceLast.start();
        if (exporter.Run() != file)
            state.SkipWithError("the export failed");
    }
    state.counters["longest_gap_ms"] = double(longestGap);
}
BENCHMARK(BM_ExportXlsxWithProgressDialog)->Unit(benchmark::kMillisecond)->Iterations(2);

/// The same into .csv.
void BM_ExportCsv(benchmark::State& state)
{
    EveryoneFound found(QStringLiteral("Сотрудники.csv"));
    TDM_PUM& dm = found.dm;
    const QString& file = found.file;
    for (auto _ : state) {
        const std::optional<std::vector<ExportRow>> rows = SearchResultRows::Collect(dm, {});
        SpreadsheetExport::Write(file, *rows, {});
    }
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace zel::bench
