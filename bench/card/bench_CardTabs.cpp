// What a clerk waits for on the full card window over a 100,000-employee database:
// a tab change (Save with nothing pending, LoadCard, every bound control of the
// eight tabs refreshed) and a move to the next employee in the directory with the
// card following. The window is signed in through its own sign-in window over the
// embedded server's driver; the database is built once (about 15 s) in the Data
// folder beside the executable and reused by later runs.
#include "bench/BenchDemoDatabase.h"
#include "card/TForm1.h"
#include "data/dataset/TADOQuery.h"
#include "data/modules/TDM.h"
#include "data/modules/TDM_PUM.h"
#include "directory/TForm4.h"
#include "signin/BootstrapSettings.h"
#include "signin/TForm8.h"
#include "signin/ZelApplication.h"
#include "ui/PageControl.h"
#include "ui/ScriptedDialogService.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace zel::bench {
namespace {

constexpr int kEmployees = 100000;
constexpr int kLeaveTab = 4;
constexpr int kMilitaryTab = 5;

/// The signed-in card window over the 100,000-employee demo, made once per run.
class CardBench {
public:
    static CardBench& instance()
    {
        if (!s_instance)
            s_instance.reset(new CardBench);
        return *s_instance;
    }
    /// The window goes before the application object does.
    static void release() { s_instance.reset(); }

    TDM_PUM dm;
    std::unique_ptr<TForm1> window;
    std::unique_ptr<TDM> documents;
    QString failure;

    /// The text of the last message box the window showed.
    QString lastMessage() const { return m_dialogs.shown().isEmpty() ? QString() : m_dialogs.shown().back().text; }

    ~CardBench()
    {
        documents.reset();
        window.reset();
    }

private:
    CardBench()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
        QDir().mkpath(folder);
        const QString name = QStringLiteral("card%1.db").arg(kEmployees);
        const server::DemoSummary summary = keptDemoDatabase(folder + u'/' + name, kEmployees);
        const auto& boot = summary.databaseAccounts.front();
        bootstrap::write(folder + QStringLiteral("/ZEL"), {boot.login, boot.password, summary.databaseName, name});

        const QString login = summary.clerks.front().login;
        const QString password = summary.clerks.front().password;
        window = std::make_unique<TForm1>(dm, [login, password](SignInBackend& backend) {
            auto signIn = std::make_unique<TForm8>(backend);
            TForm8* form = signIn.get();
            QTimer::singleShot(0, form, [form, login, password] {
                form->Login_Edit->setText(login);
                form->Password_Edit->setText(password);
                form->SignInArea->click();
            });
            return signIn;
        });
        documents = std::make_unique<TDM>(dm);
        window->SetDocumentsModule(documents.get());
        if (!window->Directory()) {
            failure = QStringLiteral("the sign-in did not open the directory");
            return;
        }
        window->show();
        // Everyone whose surname has "ов": 57 % of the table, the card of the first one loaded.
        window->Directory()->p26->setText(QStringLiteral("ов"));
        window->Directory()->BitBtn1Click();
        QCoreApplication::processEvents();
        if (dm.ADO_TEACHER.RecordCount() < 2)
            failure = QStringLiteral("the search found fewer than two employees");
    }
    ui::ScriptedDialogService m_dialogs;
    static std::unique_ptr<CardBench> s_instance;
};

std::unique_ptr<CardBench> CardBench::s_instance;

/// A user's tab change between two tabs; with painting, the event loop also
/// repaints the window before the next change.
void BM_TabChange(benchmark::State& state, bool paint)
{
    CardBench& b = CardBench::instance();
    if (!b.failure.isEmpty()) {
        state.SkipWithError(b.failure.toStdString().c_str());
        return;
    }
    // With the directory open, the guard never asks; close it to hand the employee over.
    if (b.window->Directory())
        b.window->Directory()->close();
    int tab = b.window->PageControl1->currentIndex() == kMilitaryTab ? kMilitaryTab : kLeaveTab;
    for (auto _ : state) {
        tab = tab == kLeaveTab ? kMilitaryTab : kLeaveTab;
        if (!b.window->PageControl1->userSelect(tab) || b.window->PageControl1->currentIndex() != tab) {
            const QString why = QStringLiteral("the tab change was refused: ") + b.lastMessage();
            state.SkipWithError(why.toStdString().c_str());
            break;
        }
        if (paint)
            QCoreApplication::processEvents();
    }
}
BENCHMARK_CAPTURE(BM_TabChange, handlers, false)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_TabChange, with_painting, true)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

/// One row down (then up) in the directory's list; the card follows on every move.
void BM_DirectoryMove(benchmark::State& state, bool paint)
{
    CardBench& b = CardBench::instance();
    if (!b.failure.isEmpty()) {
        state.SkipWithError(b.failure.toStdString().c_str());
        return;
    }
    if (!b.window->Directory()) {
        b.window->SpeedButton1Click();
        b.window->Directory()->p26->setText(QStringLiteral("ов"));
        b.window->Directory()->BitBtn1Click();
    }
    b.window->PageControl1->showPage(0);
    TADOQuery& master = b.dm.ADO_TEACHER;
    master.SetRecNo(master.RecordCount() / 2);
    bool down = true;
    for (auto _ : state) {
        if (down)
            master.Next();
        else
            master.Prior();
        down = !down;
        if (paint)
            QCoreApplication::processEvents();
    }
    state.counters["employees_listed"] = master.RecordCount();
}
BENCHMARK_CAPTURE(BM_DirectoryMove, handlers, false)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_DirectoryMove, with_painting, true)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
}  // namespace zel::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    zel::ZelApplication app(argc, argv);
    app.Initialize();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zel::bench::CardBench::release();
    return 0;
}
