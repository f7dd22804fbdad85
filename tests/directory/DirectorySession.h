// The part of the program the directory needs, over a demo database on the
// embedded server: the data module after sign-in with its rules, the two hosts
// and a directory window.
#pragma once

#include "FakeHosts.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/PostingRules.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"

#include <QLineEdit>
#include <QList>
#include <QPointer>

namespace zel::test {

/// A demo database of this many employees at path, with the embedded server
/// registered to open it.
inline server::DemoSummary createDirectoryDemo(const QString& path, int employees)
{
    server::installServerModules();
    server::registerEmbeddedDriver();
    return server::createDemoDatabase(path, employees);
}

/// The program's connection string for the demo's editor account, with the
/// editor's own password or the one given.
inline QString editorConnectionString(const server::DemoSummary& demo, const QString& path,
                                      const QString& password = QString())
{
    const auto& editor = demo.databaseAccounts.at(1);
    return "Provider=SQLOLEDB.1;Password=" + (password.isNull() ? editor.password : password) + ";User ID="
        + editor.login + ";Initial Catalog=" + demo.databaseName + ";Data Source=" + path;
}

/// One run of the directory: signed in, rules installed, a window open.
template <typename Card = FakeCardHost>
struct DirectorySession {
    TDM_PUM dm;
    Card card{dm};
    FakeDirectoryHost host{dm, card};
    QPointer<TForm4> window;

    explicit DirectorySession(const QString& connectionString)
    {
        dm.ADO_PUM.SetConnectionString(connectionString);
        dm.ADO_PUM.Open();
        dm.OpenSignInDataSets();
        PostingRules::Install(dm, card);
        open();
    }
    ~DirectorySession() { delete window.data(); }
    DirectorySession(const DirectorySession&) = delete;
    DirectorySession& operator=(const DirectorySession&) = delete;

    /// A new directory window, as the card's search button creates it.
    void open()
    {
        window = new TForm4(dm, host);
        card.directory = window;
    }

    /// Types into one of the search boxes and presses the search button.
    void search(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        window->BitBtn1Click();
    }
    void searchSurname(const QString& text) { search(window->p26, text); }

    /// The keys listed, in grid order.
    QList<int> listedKeys()
    {
        QList<int> keys;
        TADOQuery& master = dm.ADO_TEACHER;
        for (int recNo = 1; recNo <= master.RecordCount(); ++recNo)
            keys << master.fieldValueAt(*master.FieldByName(QStringLiteral("id_teacher")), recNo).toInt();
        return keys;
    }
    int currentKey() { return dm.ADO_TEACHER.FieldByName(QStringLiteral("id_teacher"))->AsInteger(); }
    QString currentFullName() { return dm.ADO_TEACHER.FieldByName(QStringLiteral("t_fio"))->AsString(); }
};

}  // namespace zel::test
