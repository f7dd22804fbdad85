#include "signin/BuildInfo.h"
#include "signin/SignInStep.h"
#include "signin/StartupSequence.h"
#include "signin/ZelApplication.h"

#include "data/DbError.h"
#include "tests/signin/RecordingDialogService.h"
#include "ui/DialogService.h"

#include <QTimer>
#include <QtTest>

using namespace zel;

namespace {

QStringList g_events;

// Stands in for the sign-in window: answers from inside its own modal loop.
class SignInDouble : public QDialog {
public:
    enum class Outcome { Accept, ExitControl, CloseWindow };
    explicit SignInDouble(Outcome outcome) : m_outcome(outcome) {}

protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        g_events << QStringLiteral("sign-in shown");
        QTimer::singleShot(0, this, [this] {
            switch (m_outcome) {
            case Outcome::Accept:
                ZelApplication::instance()->SetShowMainForm(true);
                accept();
                break;
            case Outcome::ExitControl:
                ZelApplication::instance()->Terminate();
                break;
            case Outcome::CloseWindow:
                close();
                break;
            }
        });
    }

private:
    Outcome m_outcome;
};

class MainWindowDouble : public QWidget {
public:
    explicit MainWindowDouble(SignInDouble::Outcome outcome)
    {
        g_events << QStringLiteral("main window");
        runSignIn(
            *ZelApplication::instance(), [outcome] { return std::make_unique<SignInDouble>(outcome); },
            [] { g_events << QStringLiteral("card set-up"); });
        g_events << QStringLiteral("rest of main window");
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        g_events << QStringLiteral("main window shown");
        QTimer::singleShot(0, qApp, [] { qApp->quit(); });
    }
};

StartupParts parts(SignInDouble::Outcome outcome)
{
    StartupParts p;
    p.createMainDataModule = [] {
        g_events << QStringLiteral("DM_PUM");
        return std::make_unique<QObject>();
    };
    p.createMainWindow = [outcome] { return std::make_unique<MainWindowDouble>(outcome); };
    p.createDictionaryWindow = [] {
        g_events << QStringLiteral("TForm5");
        return std::make_unique<QWidget>();
    };
    p.createTitleWindow = [] {
        g_events << QStringLiteral("TForm15");
        return std::make_unique<QWidget>();
    };
    p.createDataModule = [] {
        g_events << (signInWindow() ? QStringLiteral("DM during sign-in") : QStringLiteral("DM"));
        return std::make_unique<QObject>();
    };
    return p;
}

class ThrowingObject : public QObject {
public:
    enum class What { Error, Abort, Std };
    explicit ThrowingObject(What what) : m_what(what) {}
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (m_what == What::Error)
            throw DbError(QStringLiteral("Нет прав на изменение"));
        if (m_what == What::Std)
            throw std::runtime_error("plain failure");
        throw AbortSignal();
    }

private:
    What m_what;
};


}  // namespace

class TestStartupSequence : public QObject {
    Q_OBJECT
private slots:
    void init() { g_events.clear(); }

    void acceptedSignInShowsTheMainWindowWhenTheLoopStarts()
    {
        auto& app = *ZelApplication::instance();
        runProgram(app, parts(SignInDouble::Outcome::Accept));
        const QStringList expected = {
            QStringLiteral("DM_PUM"),        QStringLiteral("main window"),
            QStringLiteral("sign-in shown"), QStringLiteral("card set-up"),
            QStringLiteral("rest of main window"), QStringLiteral("TForm5"),
            QStringLiteral("TForm15"),       QStringLiteral("DM"),
            QStringLiteral("main window shown"),
        };
        QCOMPARE(g_events, expected);
        QCOMPARE(app.Title(), program::title());
        QVERIFY(signInWindow() == nullptr);
    }

    void exitControlEndsTheProgramWithoutTheMainWindow()
    {
        auto& app = *ZelApplication::instance();
        QCOMPARE(runProgram(app, parts(SignInDouble::Outcome::ExitControl)), 0);
        QVERIFY(!g_events.contains(QStringLiteral("main window shown")));
        QVERIFY(!g_events.contains(QStringLiteral("card set-up")));
        // The rest of the creation still runs; the loop then ends at once.
        QVERIFY(g_events.contains(QStringLiteral("rest of main window")));
        QVERIFY(g_events.contains(QStringLiteral("DM")));
        QVERIFY(app.Terminated());
    }

    void closingTheSignInWindowCountsAsCancelled()
    {
        auto& app = *ZelApplication::instance();
        runProgram(app, parts(SignInDouble::Outcome::CloseWindow));
        QVERIFY(!g_events.contains(QStringLiteral("main window shown")));
        QVERIFY(app.Terminated());
    }

    void errorsLeavingEventHandlersAreShownAndTheProgramGoesOn()
    {
        auto& app = *ZelApplication::instance();
        app.SetTitle(program::title());
        zel::testing::RecordingDialogService dialogs;
        ui::DialogService::setCurrent(&dialogs);

        ThrowingObject error(ThrowingObject::What::Error), abort(ThrowingObject::What::Abort),
            plain(ThrowingObject::What::Std);
        QEvent e1(QEvent::User), e2(QEvent::User), e3(QEvent::User);
        QCoreApplication::sendEvent(&error, &e1);
        QCoreApplication::sendEvent(&abort, &e2);
        QCoreApplication::sendEvent(&plain, &e3);
        ui::DialogService::setCurrent(nullptr);

        QCOMPARE(dialogs.texts, (QStringList{QStringLiteral("Нет прав на изменение"), QStringLiteral("plain failure")}));
        QCOMPARE(dialogs.captions, (QStringList{program::title(), program::title()}));
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestStartupSequence test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup_sequence.moc"
