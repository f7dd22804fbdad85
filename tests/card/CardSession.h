#pragma once
// A signed-in card window over the embedded demo database, for the scenario tests.

#include "card/PersonalDataTab.h"
#include "card/TForm1.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "directory/TForm4.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "signin/BootstrapSettings.h"
#include "signin/TForm8.h"
#include "signin/ZelApplication.h"
#include "ui/ScriptedDialogService.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace cardtest {

/// The demo database in the Data folder beside the test executable, where the
/// program looks for its bootstrap file. Created once per process.
struct DemoDatabase {
    QString folder;
    QString server;
    zel::server::DemoSummary summary;

    static DemoDatabase& instance()
    {
        static DemoDatabase db;
        return db;
    }

    void create()
    {
        if (!server.isEmpty())
            return;
        zel::server::installServerModules();
        zel::server::registerEmbeddedDriver();
        folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Data");
        QDir().mkpath(folder);
        server = QStringLiteral("cw%1.db").arg(QCoreApplication::applicationPid());
        summary = zel::server::createDemoDatabase(folder + u'/' + server, 40);
        const auto& boot = summary.databaseAccounts.front();
        zel::bootstrap::write(folder + QStringLiteral("/ZEL"), {boot.login, boot.password, summary.databaseName, server});
    }

    void remove()
    {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(folder + u'/' + server + suffix);
        QFile::remove(folder + QStringLiteral("/ZEL"));
    }

    QString passwordOf(const QString& login) const
    {
        for (const auto& clerk : summary.clerks)
            if (clerk.login == login)
                return clerk.password;
        return {};
    }
};

/// Types text into a widget key by key (QTest::keyClicks cannot send Cyrillic here).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), {});
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), {});
    }
}

inline void pressEnter(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Return);
}

/// One run of the card window: data module, dialog recorder, signed-in window.
struct CardSession {
    zel::ui::ScriptedDialogService dialogs;
    zel::TDM_PUM dm;
    std::unique_ptr<zel::TForm1> window;

    explicit CardSession(const QString& login = QStringLiteral("ivanova"))
    {
        zel::ZelApplication::instance()->Initialize();
        // A window closed by an earlier test requested termination, which ends every
        // event loop started afterwards (the sign-in's) until the application's loop ran.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        const QString password = DemoDatabase::instance().passwordOf(login);
        window = std::make_unique<zel::TForm1>(dm, [login, password](zel::SignInBackend& backend) {
            auto signIn = std::make_unique<zel::TForm8>(backend);
            zel::TForm8* form = signIn.get();
            // Runs inside the sign-in window's modal loop.
            QTimer::singleShot(0, form, [form, login, password] {
                form->Login_Edit->setText(login);
                form->Password_Edit->setText(password);
                form->SignInArea->click();
            });
            return signIn;
        });
    }

    zel::PersonalDataTab& tab() const { return *window->TabSheet1; }
    zel::TForm4* directory() const { return window->Directory(); }

    /// Searches the directory for a surname part; the first match is loaded.
    void search(const QString& text) const
    {
        directory()->p26->setText(text);
        directory()->BitBtn1Click();
    }

    /// Loads the employee with this key as the directory's only row.
    void loadEmployee(int key)
    {
        dm.ADO_TEACHER.SetSQL(QStringLiteral("Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '"
                                             "+ISNULL(teacher.p28,'')) as t_fio from teacher where id_teacher = %1")
                                  .arg(key));
        dm.ADO_TEACHER.Open();
    }

    /// Rows of a statement, as text, through a query of the window's connection.
    QList<QStringList> rows(const QString& statement)
    {
        zel::TADOQuery query;
        query.SetConnection(&dm.ADO_PUM);
        query.SetSQL(statement);
        query.Open();
        QList<QStringList> result;
        for (query.First(); !query.Eof(); query.Next()) {
            QStringList row;
            for (const auto& field : query.Fields())
                row << (field->IsNull() ? QStringLiteral("NULL") : field->AsString());
            result << row;
        }
        return result;
    }

    int scalar(const QString& statement) { return rows(statement).value(0).value(0).toInt(); }

    /// The texts of the message boxes shown so far.
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& shown : dialogs.shown())
            texts << shown.text;
        return texts;
    }
};

/// One test class run on its own object.
template <typename Test>
int runCardTest(int argc, char** argv)
{
    Test test;
    return QTest::qExec(&test, argc, argv);
}

/// The main() of a test program over the card window: the application, the demo
/// database for the whole process, and each test class run in turn. Returns the
/// failures of all of them.
template <typename... Tests>
int runCardTests(int argc, char** argv)
{
    zel::ZelApplication app(argc, argv);
    DemoDatabase::instance().create();
    int failures = 0;
    ((failures += runCardTest<Tests>(argc, argv)), ...);
    DemoDatabase::instance().remove();
    return failures;
}

}  // namespace cardtest
