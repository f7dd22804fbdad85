// Copying and deleting employees from the directory's expanded part, against the
// embedded demo database; the server's statement trace shows what was sent.
#include "DirectorySession.h"

#include "directory/TForm4.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TDM_PUM.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/server/SqliteFirstValue.h"
#include "signin/ZelApplication.h"
#include "ui/DbGrid.h"
#include "ui/GroupBox.h"
#include "ui/ScriptedDialogService.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace zel;
using namespace zel::test;
using Dialogs = ui::DialogService;

namespace {

const QString kHyphens = QStringLiteral("---------------------------------------------------------------------");

/// The card host with a login and workstation of the test's choosing.
class AuthorCardHost : public FakeCardHost {
public:
    using FakeCardHost::FakeCardHost;
    QString login = QStringLiteral("ivanova");
    QString workstation = QStringLiteral("PC12\\10.0.0.7");
    QString SignedInLogin() const override { return login; }
    QString Workstation() const override { return workstation; }
};

}  // namespace

class TestCopyDelete : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    QString m_connectionString;
    std::unique_ptr<server::schema::SqliteConnection> m_db;  ///< a second connection, for checks
    qint64 m_traceMark = 0;

    /// Before the session's data module and window, so that it answers for both.
    struct WithDialogs {
        ui::ScriptedDialogService dialogs;
    };
    struct Session : WithDialogs, DirectorySession<AuthorCardHost> {
        explicit Session(const QString& connectionString) : DirectorySession(connectionString)
        {
            window->BitBtn2Click();  // expanded
        }

        /// Makes the employee with this key the only row and the current one.
        void select(int key)
        {
            dm.ADO_TEACHER.SetSQL(QStringLiteral("Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')"
                                                 "+' '+ISNULL(teacher.p28,'')) as t_fio from teacher where "
                                                 "teacher.id_teacher = %1")
                                      .arg(key));
            dm.ADO_TEACHER.Open();
        }
    };

    qint64 scalar(const QString& sql) const { return test::firstInteger(m_db->handle(), sql); }
    QString text(const QString& sql) const { return test::firstText(m_db->handle(), sql); }
    void markTrace() { m_traceMark = scalar(QStringLiteral("SELECT coalesce(max(id), 0) FROM zel_trace")); }
    /// The statements the server received since markTrace().
    QStringList traced() const
    {
        server::schema::SqliteStatement statement(
            m_db->handle(), QStringLiteral("SELECT statement FROM zel_trace WHERE id > ?1 ORDER BY id"));
        statement.bind(1, m_traceMark);
        QStringList texts;
        while (statement.step())
            texts << statement.text(0);
        return texts;
    }
    static QStringList procedureCalls(const QStringList& statements)
    {
        QStringList calls;
        for (const QString& s : statements)
            if (s.startsWith(QLatin1String("EXEC")))
                calls << s;
        return calls;
    }
    /// An employee with awards, listed (or not) among those with a workload.
    int employeeWithAwards(bool withWorkload, int skip = 0) const
    {
        return int(scalar(QStringLiteral("SELECT t.id_teacher FROM TEACHER t WHERE t.id_teacher > 1"
                                         " AND %1 EXISTS (SELECT 1 FROM Teacher_Del d WHERE d.id_teacher = t.id_teacher)"
                                         " AND EXISTS (SELECT 1 FROM Nagrada n WHERE n.id_teacher = t.id_teacher)"
                                         " ORDER BY t.id_teacher LIMIT 1 OFFSET %2")
                              .arg(withWorkload ? QString() : QStringLiteral("NOT"))
                              .arg(skip)));
    }
    int addBareEmployee(const QString& surname)
    {
        server::schema::execute(m_db->handle(), QStringLiteral("INSERT INTO TEACHER (p26, p27, p28) VALUES ('%1', "
                                                               "'Пётр', 'Ильич')")
                                                    .arg(surname));
        return int(scalar(QStringLiteral("SELECT max(id_teacher) FROM TEACHER")));
    }

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath(QStringLiteral("zel.db"));
        m_connectionString = editorConnectionString(createDirectoryDemo(m_path, 40), m_path);
        m_db = std::make_unique<server::schema::SqliteConnection>(m_path,
                                                                  server::schema::SqliteConnection::Mode::OpenExisting);
        server::schema::execute(m_db->handle(), QStringLiteral("INSERT OR REPLACE INTO zel_settings (name, value) VALUES ('trace', '1')"));
    }

    void cleanupTestCase() { m_db.reset(); }

    void expandedPartShowsItsControls()
    {
        Session s(m_connectionString);
        TForm4& w = *s.window;
        QCOMPARE(w.BitBtn3->parentWidget(), static_cast<QWidget*>(w.GroupBox2));
        QCOMPARE(w.BitBtn3->geometry(), QRect(195, 42, 64, 25));
        QCOMPARE(w.BitBtn3->text(), QStringLiteral("Удалить"));
        QCOMPARE(w.BitBtn5->geometry(), QRect(512, 8, 163, 25));
        QCOMPARE(w.BitBtn5->text(), QStringLiteral("Удалить принудительно"));
        QVERIFY(w.BitBtn5->font().bold());
        QCOMPARE(w.N1->text(),
                 QStringLiteral("Удалить выбранного  сотрудника(при удалении вся информация связанная с ним будет "
                                "потеряна)"));
        QCOMPARE(w.BitBtn4->geometry(), QRect(551, 133, 113, 25));
        QCOMPARE(w.BitBtn4->text(), QStringLiteral("Копировать"));
        QVERIFY(!w.BitBtn4->icon().isNull());
        QVERIFY(!w.BitBtn4->isEnabled());
        QCOMPARE(w.GroupBox3->geometry(), QRect(402, 163, 270, 49));
        QCOMPARE(w.GroupBox3->title(), QStringLiteral("Копировать на запись:"));
        QCOMPARE(w.GroupBox3->styleSheet(), QStringLiteral("QGroupBox { font-weight: bold; }"));
        QCOMPARE(w.Edit1->geometry(), QRect(8, 18, 257, 21));
        QCOMPARE(w.Edit1->text(), QStringLiteral(" "));
        QVERIFY(w.Edit1->isReadOnly());
        QCOMPARE(w.CopyTargetTag(), 0);
        QCOMPARE(w.SpeedButton3->text(), QStringLiteral("X"));
        QCOMPARE(w.SpeedButton3->toolTip(), QStringLiteral("Убрать..."));
        QVERIFY(w.SpeedButton3->isHidden());
    }

    void copyOntoTheSameEmployeeIsRefused()
    {
        Session s(m_connectionString);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window));
        s.searchSurname(QString());
        const int current = s.currentKey();
        ui::DbGrid* grid = s.window->DBGridEh2;
        const QPoint firstRow = grid->visualRect(grid->model()->index(0, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, firstRow);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, firstRow);
        QCOMPARE(s.currentKey(), current);
        QCOMPARE(s.window->GroupBox3->title(), QStringLiteral("Копировать на запись - %1").arg(current));
        QCOMPARE(s.window->Edit1->text(), s.currentFullName());
        QCOMPARE(s.window->CopyTargetTag(), current);
        QVERIFY(s.window->BitBtn4->isEnabled());

        markTrace();
        s.window->BitBtn4->click();
        QCOMPARE(s.dialogs.shown().size(), 1);
        const auto& box = s.dialogs.shown().first();
        QCOMPARE(box.caption, QStringLiteral("Уведомление"));
        QCOMPARE(box.text, QStringLiteral("Вы ни можете копировать одного и того же сотрудника на себя."));
        QCOMPARE(box.icon, Dialogs::Icon::Error);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QVERIFY(procedureCalls(traced()).isEmpty());
        QCOMPARE(s.window->CopyTargetTag(), current);  // target kept
        QVERIFY(s.window->BitBtn4->isEnabled());
    }

    void decliningTheCopyClearsTheTarget()
    {
        Session s(m_connectionString);
        s.searchSurname(QString());
        s.dm.ADO_TEACHER.Next();
        const QString target = s.currentFullName();
        s.window->DBGridEh2DblClick();
        s.dm.ADO_TEACHER.First();
        const QString from = s.currentFullName();
        markTrace();
        s.window->BitBtn4Click();  // the queue is empty: No
        QCOMPARE(s.dialogs.shown().size(), 1);
        const auto& box = s.dialogs.shown().first();
        QCOMPARE(box.text, QStringLiteral("Вы действительно хотите передать данные сотрудника:\r\"") + from
                               + QStringLiteral("\" \rна данные сотрудника:\r") + target + u'"');
        QCOMPARE(box.caption, QStringLiteral("Уведомление"));
        QCOMPARE(box.icon, Dialogs::Icon::Question);
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QVERIFY(procedureCalls(traced()).isEmpty());
        QCOMPARE(s.window->Edit1->text(), QString());
        QCOMPARE(s.window->CopyTargetTag(), 0);
        QVERIFY(!s.window->BitBtn4->isEnabled());
        QCOMPARE(s.window->GroupBox3->title(), QStringLiteral("Копировать на запись:"));
        QCOMPARE(s.window->Label9->text(), from);
    }

    void copyBringsTheSourceRowsOntoTheTarget()
    {
        const int from = employeeWithAwards(false);
        const int to = addBareEmployee(QStringLiteral("Копиров"));
        const qint64 awards = scalar(QStringLiteral("SELECT count(*) FROM Nagrada WHERE id_teacher = %1").arg(from));
        QVERIFY(awards > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Nagrada WHERE id_teacher = %1").arg(to)), 0);

        Session s(m_connectionString);
        s.select(to);
        s.window->DBGridEh2DblClick();
        s.select(from);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->BitBtn4->click();

        QCOMPARE(procedureCalls(traced()),
                 QStringList{QStringLiteral("EXEC CopyDataFromTeacher @id_teacherFrom = %1, @id_teacherTo = %2, "
                                            "@zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'")
                                 .arg(from)
                                 .arg(to)});
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(s.dialogs.shown().at(1).text, QStringLiteral("Данные скопированы."));
        QCOMPARE(s.dialogs.shown().at(1).icon, Dialogs::Icon::Information);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Nagrada WHERE id_teacher = %1").arg(to)), awards);
        QCOMPARE(s.window->CopyTargetTag(), 0);
        QVERIFY(!s.window->BitBtn4->isEnabled());
    }

    void aFailingCopyKeepsTheTargetAndShowsTheServerError()
    {
        const int from = employeeWithAwards(false);
        const int to = addBareEmployee(QStringLiteral("Исчезающий"));
        Session s(m_connectionString);
        s.select(to);
        s.window->DBGridEh2DblClick();
        server::schema::execute(m_db->handle(), QStringLiteral("DELETE FROM TEACHER WHERE id_teacher = %1").arg(to));
        s.select(from);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->BitBtn4->click();

        QCOMPARE(procedureCalls(traced()).size(), 1);
        QCOMPARE(s.dialogs.shown().size(), 2);  // the question, then the error; no success box
        QCOMPARE(s.dialogs.shown().at(1).icon, Dialogs::Icon::Error);
        QVERIFY(!s.dialogs.shown().at(1).text.isEmpty());
        QVERIFY(s.dialogs.shown().at(1).text != QStringLiteral("Данные скопированы."));
        QCOMPARE(s.window->CopyTargetTag(), to);
        QVERIFY(s.window->BitBtn4->isEnabled());
    }

    void deletingALinkedEmployeeWarnsWithoutTheHyphenLine()
    {
        const int key = employeeWithAwards(false, 1);
        Session s(m_connectionString);
        s.select(key);
        const QString name = s.window->Label9->text();
        QCOMPARE(name, s.currentFullName());
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->BitBtn3->click();

        QCOMPARE(procedureCalls(traced()),
                 QStringList{QStringLiteral("EXEC [DeleteTeacher] @id_teacher = %1, @zel_user = 'ivanova', "
                                            "@ip = 'PC12\\10.0.0.7'")
                                 .arg(key)});
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(s.dialogs.shown().at(0).text, QStringLiteral("Вы действительно хотите удалить сотрудника \"") + name
                                                   + QStringLiteral("\" без возможности востонавления?"));
        QCOMPARE(s.dialogs.shown().at(0).icon, Dialogs::Icon::Question);
        QCOMPARE(s.dialogs.shown().at(1).text, QStringLiteral("Сотрудник \"") + name + QStringLiteral("\" имеет связи."));
        QCOMPARE(s.dialogs.shown().at(1).icon, Dialogs::Icon::Warning);
        QCOMPARE(s.dialogs.shown().at(1).caption, QStringLiteral("Уведомление"));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(key)), 1);
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 1);  // the row stays listed
    }

    void deleteRemovesAnEmployeeAndSearchesAgain()
    {
        const int key = addBareEmployee(QStringLiteral("Удаляемов"));
        Session s(m_connectionString);
        s.searchSurname(QStringLiteral("Удаляемов"));
        QCOMPARE(s.currentKey(), key);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->BitBtn3Click();

        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(key)), 0);
        QCOMPARE(s.dialogs.shown().size(), 2);
        QCOMPARE(s.dialogs.shown().at(1).text, QStringLiteral("Сотрудник удалён.\rОбновить результат поиска?"));
        QCOMPARE(s.dialogs.shown().at(1).icon, Dialogs::Icon::Question);
        QCOMPARE(s.dialogs.shown().at(1).buttons, Dialogs::Buttons::YesNo);
        // The search ran again and no longer finds the employee.
        QVERIFY(s.dm.ADO_TEACHER.Active());
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 0);
        const QStringList sent = traced();
        qsizetype deleted = -1, searched = -1;
        for (qsizetype i = 0; i < sent.size(); ++i) {
            if (sent[i].startsWith(QLatin1String("EXEC [DeleteTeacher]")))
                deleted = i;
            if (sent[i].contains(QStringLiteral("LIKE '%Удаляемов%'")))
                searched = i;
        }
        QVERIFY(deleted >= 0);
        QVERIFY(searched > deleted);
    }

    void serverErrorsShowTheHyphenLineAndTheServerText()
    {
        // The service row 1 is refused by both procedures.
        Session s(m_connectionString);
        s.select(1);
        const QString name = s.window->Label9->text();
        QVERIFY(!name.trimmed().isEmpty());
        const QString head = QStringLiteral("Сотрудник \"") + name + QStringLiteral("\" имеет связи.\r") + kHyphens + u'\r';
        QCOMPARE(kHyphens.size(), 69);

        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        s.window->BitBtn3->click();
        QCOMPARE(s.dialogs.shown().size(), 2);
        const QString deleteText = s.dialogs.shown().at(1).text;
        QVERIFY2(deleteText.startsWith(head), qPrintable(deleteText));
        QVERIFY(deleteText.mid(head.size()).contains(QStringLiteral("служебная")));
        QCOMPARE(s.dialogs.shown().at(1).icon, Dialogs::Icon::Warning);

        s.dialogs.clear();
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        s.window->N1->trigger();
        QCOMPARE(s.dialogs.shown().size(), 2);
        QVERIFY(s.dialogs.shown().at(1).text.startsWith(head));
        QVERIFY(s.dialogs.shown().at(1).text.mid(head.size()).contains(QStringLiteral("служебная")));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = 1")), 1);
    }

    void forcedDeleteRemovesEverythingAfterOneQuestion()
    {
        const int key = employeeWithAwards(false, 2);
        Session s(m_connectionString);
        s.select(key);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);  // delete? then "search again?" answered No
        markTrace();
        s.window->N1->trigger();

        QCOMPARE(traced().first(),
                 QStringLiteral(" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = %1").arg(key));
        QCOMPARE(procedureCalls(traced()),
                 QStringList{QStringLiteral("EXEC DeleteTeacher2 @id_teacher=%1, @zel_user = 'ivanova', "
                                            "@ip = 'PC12\\10.0.0.7'")
                                 .arg(key)});
        QCOMPARE(s.dialogs.shown().size(), 2);
        QVERIFY(s.dialogs.shown().at(0).text.endsWith(QStringLiteral("\" без возможности востонавления?")));
        QCOMPARE(s.dialogs.shown().at(1).text, QStringLiteral("Сотрудник удалён.\rОбновить результат поиска?"));
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(key)), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Nagrada WHERE id_teacher = %1").arg(key)), 0);
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 1);  // declined: the deleted row stays until a search
    }

    void forcedDeleteIsRefusedForAnEmployeeWithAWorkload()
    {
        const int key = employeeWithAwards(true);
        QVERIFY(key > 1);
        Session s(m_connectionString);
        s.select(key);
        const QString name = s.window->Label9->text();
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->N1Click();

        QVERIFY(procedureCalls(traced()).isEmpty());
        QCOMPARE(s.dialogs.shown().size(), 2);
        const auto& box = s.dialogs.shown().at(1);
        QCOMPARE(box.caption, QStringLiteral("Внимание !!!"));
        QCOMPARE(box.text, QStringLiteral("Невозможно удалить сотрудника \"") + name + QStringLiteral("\" Составленна нагрузка"));
        QCOMPARE(box.icon, Dialogs::Icon::None);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(key)), 1);
    }

    void anEmptyResultDeletesNothing()
    {
        Session s(m_connectionString);
        s.searchSurname(QStringLiteral("Нетаковых"));
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 0);
        markTrace();
        s.window->BitBtn3->click();
        s.window->N1->trigger();
        QVERIFY(s.dialogs.shown().isEmpty());
        QCOMPARE(traced(),
                 QStringList{QStringLiteral(" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = 0")});
    }

    void aFailingProtectedListAsksNothing()
    {
        Session s(m_connectionString);
        s.select(employeeWithAwards(false));
        const QString view = text(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'Teacher_Del'"));
        QVERIFY(!view.isEmpty());
        server::schema::execute(m_db->handle(), QStringLiteral("DROP VIEW Teacher_Del"));
        markTrace();
        s.window->N1->trigger();
        server::schema::execute(m_db->handle(), view);
        QVERIFY(procedureCalls(traced()).isEmpty());
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown().first().icon, Dialogs::Icon::Error);
        QCOMPARE(s.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
        QVERIFY2(s.dialogs.shown().first().text.contains(QLatin1String("Teacher_Del"), Qt::CaseInsensitive),
                 qPrintable(s.dialogs.shown().first().text));
    }

    void apostrophesInLoginAndWorkstationStayInsideTheirLiterals()
    {
        const int key = addBareEmployee(QStringLiteral("Апострофов"));
        Session s(m_connectionString);
        s.card.login = QStringLiteral("o'neil");
        s.card.workstation = QStringLiteral("PC'12\\10.0.0.7");
        s.select(key);
        s.dialogs.queueAnswer(Dialogs::Answer::Yes);
        markTrace();
        s.window->N1Click();

        QCOMPARE(procedureCalls(traced()),
                 QStringList{QStringLiteral("EXEC DeleteTeacher2 @id_teacher=%1, @zel_user = 'o''neil', "
                                            "@ip = 'PC''12\\10.0.0.7'")
                                 .arg(key)});
        QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM TEACHER WHERE id_teacher = %1").arg(key)), 0);
        // The server received the names whole.
        QCOMPARE(text(QStringLiteral("SELECT ZEL_User || '|' || comp FROM ZEL_LOG WHERE row_id = %1 ORDER BY id_log DESC")
                          .arg(key)),
                 QStringLiteral("o'neil|PC'12\\10.0.0.7"));
    }

    void forcedDeleteMenuOpensBelowTheButton()
    {
        Session s(m_connectionString);
        s.window->move(120, 90);
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window));
        const QRect frame = s.window->frameGeometry();
        QCOMPARE(s.window->PopupPosition(), QPoint(512 + frame.left() + 2, 8 + frame.top() + 50));
        s.window->BitBtn5->click();
        QTRY_VERIFY(s.window->PopupMenu1->isVisible());
        s.window->PopupMenu1->hide();
        emit s.window->BitBtn5->customContextMenuRequested(QPoint(3, 3));
        QTRY_VERIFY(s.window->PopupMenu1->isVisible());
        s.window->PopupMenu1->hide();
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestCopyDelete test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tform4_copydelete.moc"
