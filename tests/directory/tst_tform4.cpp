// The employee directory against the embedded demo database, with the data
// module's rules installed so that moving ADO_TEACHER fills the record panel.
#include "DirectorySession.h"

#include "directory/TForm4.h"

#include "data/DbError.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TDM_PUM.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/demo/DemoDatabase.h"
#include "server/procedures/ServerModules.h"
#include "signin/ZelApplication.h"
#include "ui/ScriptedDialogService.h"
#include "ui/DbGrid.h"
#include "ui/GroupBox.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <set>

using namespace zel;
using namespace zel::test;

namespace {

void type(QWidget* target, const QString& text)
{
    for (QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

/// The server's collation as the clerk expects it: letter case ignored, "ё" as "е",
/// trailing blanks ignored.
QString sortKey(const QString& text)
{
    QString key = text.toLower();
    key.replace(u'ё', u'е');
    while (key.endsWith(u' '))
        key.chop(1);
    return key;
}

struct Employee {
    QString p26, p27, p28;
};

}  // namespace

class TestTForm4 : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_connectionString;
    QString m_wrongPassword;
    std::map<int, Employee> m_employees;  ///< every TEACHER row, read once

    /// One run of the directory, shown and closed as the clerk does.
    struct Session : DirectorySession<> {
        using DirectorySession::DirectorySession;

        void showWindow()
        {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        /// Closes the window and lets it be destroyed.
        void close()
        {
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    };

    /// Keys whose name part (1 = p26, 2 = p27, 3 = p28) matches, worked out here
    /// from the rows read once; never the service row 1.
    std::set<int> expectedKeys(int part, const std::function<bool(const QString&)>& matches) const
    {
        std::set<int> keys;
        for (const auto& [key, e] : m_employees) {
            const QString& value = part == 1 ? e.p26 : part == 2 ? e.p27 : e.p28;
            if (key != 1 && !value.isNull() && matches(value))
                keys.insert(key);
        }
        return keys;
    }
    static std::set<int> asSet(const QList<int>& keys) { return {keys.begin(), keys.end()}; }

    void verifyFullNameOrder(Session& s)
    {
        TADOQuery& master = s.dm.ADO_TEACHER;
        const TField& fio = *master.FieldByName(QStringLiteral("t_fio"));
        for (int recNo = 2; recNo <= master.RecordCount(); ++recNo) {
            const QString before = master.fieldValueAt(fio, recNo - 1).toString();
            const QString after = master.fieldValueAt(fio, recNo).toString();
            QVERIFY2(sortKey(before) <= sortKey(after), qPrintable(before + QStringLiteral(" > ") + after));
        }
    }

    int count(Session& s, const QString& sql)
    {
        TADOQuery query(QStringLiteral("check"));
        query.SetConnection(&s.dm.ADO_PUM);
        query.SetSQL(sql);
        query.Open();
        return query.Field(0)->AsInteger();
    }

private slots:
    void initTestCase()
    {
        const QString path = m_dir.filePath(QStringLiteral("zel.db"));
        const server::DemoSummary demo = createDirectoryDemo(path, 60);
        m_connectionString = editorConnectionString(demo, path);
        m_wrongPassword = editorConnectionString(demo, path, demo.databaseAccounts.at(1).password + u'x');

        TADOConnection setup;
        setup.SetConnectionString(m_connectionString);
        // Names that a plain binary sort or an unquoted literal would get wrong.
        for (const char* values : {"'Д''Арк', 'Жанна', NULL", "'O''Brien', 'Patrick', 'Sean'",
                                   "'Ёлкинова', 'Анна', 'Петровна'", "'ОВЧИННИКОВ', 'Пётр', 'Ильич'",
                                   "'Овсянникова', 'Ольга', 'Ивановна'", "'Ивашов', 'Юрий', 'Олегович'"})
            setup.Execute(QStringLiteral("insert into TEACHER(p26, p27, p28) values(") + QString::fromUtf8(values)
                          + u')');

        TADOQuery all(QStringLiteral("all"));
        all.SetConnection(&setup);
        all.SetSQL(QStringLiteral("select id_teacher, p26, p27, p28 from TEACHER"));
        all.Open();
        for (; !all.Eof(); all.Next())
            m_employees[all.FieldByName(QStringLiteral("id_teacher"))->AsInteger()] = {
                all.FieldByName(QStringLiteral("p26"))->Value().toString(),
                all.FieldByName(QStringLiteral("p27"))->Value().toString(),
                all.FieldByName(QStringLiteral("p28"))->Value().toString()};
        QVERIFY(m_employees.size() > 60);
        QVERIFY(m_employees.count(1));
    }

    void layoutOfANewWindow()
    {
        QWidget owner;
        owner.setGeometry(100, 100, 900, 700);
        owner.show();
        Session s(m_connectionString);
        delete s.window.data();
        s.window = new TForm4(s.dm, s.host, &owner);
        TForm4& w = *s.window;
        s.showWindow();

        QCOMPARE(w.windowTitle(), QStringLiteral("Поиск"));
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(w.windowType(), Qt::Tool);
        QVERIFY(!w.isModal());
        QVERIFY(owner.isEnabled());
        QCOMPARE(w.size(), QSize(401, 441));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.FormWidth(), 408);
        QVERIFY(!w.Expanded());
        QCOMPARE(w.RecordTag(), 0);
        QVERIFY(qAbs(w.frameGeometry().center().x() - owner.frameGeometry().center().x()) <= 1);
        QVERIFY(qAbs(w.frameGeometry().center().y() - owner.frameGeometry().center().y()) <= 1);

        const auto geometry = [&w](const char* name) {
            auto* child = w.findChild<QWidget*>(QLatin1String(name));
            return child ? child->geometry() : QRect();
        };
        QCOMPARE(geometry("GroupBox1"), QRect(6, 4, 393, 433));
        QCOMPARE(w.GroupBox1->title(), QStringLiteral("Введите ФИО для поиска:"));
        QCOMPARE(geometry("RadioButton1").topLeft(), QPoint(2, 31));
        QCOMPARE(geometry("RadioButton2").topLeft(), QPoint(2, 62));
        QCOMPARE(geometry("RadioButton3").topLeft(), QPoint(2, 94));
        QCOMPARE(w.RadioButton1->text(), QStringLiteral("Фамилия:"));
        QCOMPARE(w.RadioButton2->text(), QStringLiteral("Имя:"));
        QCOMPARE(w.RadioButton3->text(), QStringLiteral("Отчество:"));
        QVERIFY(w.RadioButton1->isChecked());
        QCOMPARE(geometry("p26"), QRect(80, 27, 235, 21));
        QCOMPARE(geometry("p27"), QRect(80, 60, 300, 21));
        QCOMPARE(geometry("p28"), QRect(80, 92, 300, 21));
        for (QLineEdit* box : {w.p26, w.p27, w.p28})
            QVERIFY(box->text().isEmpty());
        QCOMPARE(w.focusWidget(), w.p26);

        QCOMPARE(geometry("BitBtn1"), QRect(318, 24, 30, 23));
        QCOMPARE(w.BitBtn1->toolTip(), QStringLiteral("Найти"));
        QVERIFY(w.BitBtn1->isDefault());
        QVERIFY(!w.BitBtn1->icon().isNull());

        QCOMPARE(geometry("DBGridEh2"), QRect(8, 128, 372, 265));
        QVERIFY(w.DBGridEh2->isReadOnly());
        QCOMPARE(w.DBGridEh2->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(w.DBGridEh2->dataSource(), &s.dm.DS_TEACHER);
        QCOMPARE(w.DBGridEh2->model()->columnCount(), 1);
        QCOMPARE(w.DBGridEh2->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ФИО сотрудника"));
        // Fitted: the one column fills the grid's width.
        QVERIFY(w.DBGridEh2->horizontalHeader()->sectionSize(0) > 240);

        QCOMPARE(geometry("Button1"), QRect(303, 403, 75, 23));
        QCOMPARE(w.Button1->text(), QStringLiteral("Закрыть"));
        QVERIFY(w.Button1->font().bold());
        QCOMPARE(geometry("BitBtn2"), QRect(365, 14, 27, 25));
        QCOMPARE(w.BitBtn2->text(), QStringLiteral(">>"));
        QCOMPARE(w.BitBtn2->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(w.BitBtn2->focusPolicy(), Qt::NoFocus);

        QCOMPARE(geometry("GroupBox2"), QRect(402, 43, 270, 79));
        QCOMPARE(w.GroupBox2->title(), QStringLiteral("Запись:"));
        QCOMPARE(geometry("Label9"), QRect(2, 22, 266, 15));
        QVERIFY(w.Label9->alignment() & Qt::AlignHCenter);
        // The record panel lies beyond the collapsed client area.
        QVERIFY(w.GroupBox2->geometry().left() >= w.width());
    }

    void clickInSurnameBoxSelectsItsText()
    {
        Session s(m_connectionString);
        s.showWindow();
        s.window->p26->setText(QStringLiteral("Иванов"));
        s.window->p26->deselect();
        QTest::mouseClick(s.window->p26, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(s.window->p26->selectedText(), QStringLiteral("Иванов"));
        s.window->p27->setText(QStringLiteral("Иван"));
        QTest::mouseClick(s.window->p27, Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(s.window->p27->selectedText().isEmpty());
    }

    void surnameSearchListsMatchesInFullNameOrder()
    {
        Session s(m_connectionString);
        s.showWindow();
        QCOMPARE(s.window->GroupBox2->title(), QStringLiteral("Запись:"));
        s.window->p26->setFocus();
        type(s.window->p26, QStringLiteral("ов"));
        QTest::keyClick(s.window->p26, Qt::Key_Return);  // the default button runs the search

        const QList<int> keys = s.listedKeys();
        const auto expected =
            expectedKeys(1, [](const QString& v) { return v.contains(QStringLiteral("ов"), Qt::CaseInsensitive); });
        QVERIFY(expected.size() > 5);
        QCOMPARE(asSet(keys), expected);
        QCOMPARE(keys.size(), int(expected.size()));
        QCOMPARE(s.window->DBGridEh2->model()->rowCount(), keys.size());
        QVERIFY(!keys.contains(1));
        verifyFullNameOrder(s);

        QCOMPARE(s.host.calls, (QStringList{"LoadCard", "ShowFirstTab"}));
        QCOMPARE(s.dm.ADO_TEACHER.RecNo(), 1);
        // The opening moved to the first row: the rule filled the panel and reloaded the card.
        QCOMPARE(s.card.reloads, 1);
        QCOMPARE(s.window->RecordTag(), keys.first());
        QCOMPARE(s.window->Label9->text(), s.currentFullName());
        QCOMPARE(s.window->GroupBox2->title(), QStringLiteral("Запись - %1").arg(keys.first()));
        const Employee& first = m_employees.at(keys.first());
        QCOMPARE(s.currentFullName().trimmed(), (first.p26 + u' ' + first.p27 + u' ' + first.p28).trimmed());
        QVERIFY(s.dm.ADOQ_Passport.SQL().endsWith(QString::number(keys.first())));
    }

    void emptyTextListsEveryoneButTheServiceRow()
    {
        Session s(m_connectionString);
        s.search(s.window->p26, QString());
        const QList<int> keys = s.listedKeys();
        QCOMPARE(asSet(keys), expectedKeys(1, [](const QString&) { return true; }));
        QCOMPARE(keys.size(), int(m_employees.size()) - 1);
        QVERIFY(!keys.contains(1));
        verifyFullNameOrder(s);
    }

    void percentAndUnderscoreActAsWildcards()
    {
        Session s(m_connectionString);
        const struct {
            QString typed;
            QString pattern;
        } cases[] = {
            {QStringLiteral("И_а"), QStringLiteral("и.а")},
            {QStringLiteral("в%ов"), QStringLiteral("в.*ов")},
            {QStringLiteral("%"), QStringLiteral("")},
        };
        for (const auto& c : cases) {
            s.search(s.window->p26, c.typed);
            const QRegularExpression re(c.pattern, QRegularExpression::CaseInsensitiveOption);
            const auto expected = expectedKeys(1, [&re](const QString& v) { return re.match(v).hasMatch(); });
            QVERIFY2(!expected.empty(), qPrintable(c.typed));
            QCOMPARE(asSet(s.listedKeys()), expected);
        }
    }

    void apostrophesAreSearchedForAndNeverEndTheLiteral()
    {
        Session s(m_connectionString);
        const int teachers = count(s, QStringLiteral("select count(*) from TEACHER"));
        for (const QString& typed : {QStringLiteral("Д'Арк"), QStringLiteral("o'b"), QStringLiteral("'")}) {
            s.search(s.window->p26, typed);
            const auto expected =
                expectedKeys(1, [&typed](const QString& v) { return v.contains(typed, Qt::CaseInsensitive); });
            QVERIFY2(!expected.empty(), qPrintable(typed));
            QCOMPARE(asSet(s.listedKeys()), expected);
            QVERIFY(s.currentFullName().contains(typed, Qt::CaseInsensitive));
            QCOMPARE(s.window->Label9->text(), s.currentFullName());
        }
        // A name without a patronymic: the full name ends with the blank.
        s.search(s.window->p26, QStringLiteral("Д'Арк"));
        QVERIFY(s.dm.ADO_TEACHER.Locate(QStringLiteral("t_fio"), QStringLiteral("Д'Арк Жанна ")));

        s.host.calls.clear();
        s.search(s.window->p26, QStringLiteral("'; DROP TABLE TEACHER--"));
        QVERIFY(s.dm.ADO_TEACHER.Active());
        QCOMPARE(s.dm.ADO_TEACHER.RecordCount(), 0);
        QCOMPARE(s.host.calls, QStringList{"OpenEmptyCard"});
        QCOMPARE(count(s, QStringLiteral("select count(*) from TEACHER")), teachers);
    }

    void choiceEmptiesTheOtherBoxesAndTheSearchUsesItsOwn()
    {
        Session s(m_connectionString);
        s.showWindow();
        TForm4& w = *s.window;
        const struct {
            QRadioButton* choice;
            QLineEdit* kept;
            int part;
            QString text;
        } cases[] = {
            {w.RadioButton2, w.p27, 2, QStringLiteral("анна")},
            {w.RadioButton3, w.p28, 3, QStringLiteral("ович")},
            {w.RadioButton1, w.p26, 1, QStringLiteral("ова")},
        };
        for (const auto& c : cases) {
            w.p26->setText(QStringLiteral("Ив"));
            w.p27->setText(QStringLiteral("Ол"));
            w.p28->setText(QStringLiteral("Пе"));
            c.kept->setText(c.text);
            QTest::mouseClick(c.choice, Qt::LeftButton, {}, QPoint(5, c.choice->height() / 2));
            QVERIFY(c.choice->isChecked());
            for (QLineEdit* box : {w.p26, w.p27, w.p28})
                QCOMPARE(box->text(), box == c.kept ? c.text : QString());
            w.BitBtn1->click();
            const auto expected = expectedKeys(c.part, [&c](const QString& v) {
                return v.contains(c.text, Qt::CaseInsensitive);
            });
            QVERIFY2(!expected.empty(), qPrintable(c.text));
            QCOMPARE(asSet(s.listedKeys()), expected);
        }
    }

    void emptyResultShowsAnEmptyCard()
    {
        Session s(m_connectionString);
        s.search(s.window->p26, QStringLiteral("Ива"));
        const int tag = s.window->RecordTag();
        QVERIFY(tag > 1);
        const int reloads = s.card.reloads;
        s.host.calls.clear();

        s.search(s.window->p26, QStringLiteral("Щщщщ"));
        QCOMPARE(s.host.calls, QStringList{"OpenEmptyCard"});
        QCOMPARE(s.window->DBGridEh2->model()->rowCount(), 0);
        QCOMPARE(s.card.reloads, reloads);
        QCOMPARE(s.window->RecordTag(), tag);  // nothing to show: the panel keeps its employee
        QVERIFY(s.dm.ADOQ_Passport.Active());
        QVERIFY(s.dm.ADOQ_Passport.IsEmpty());
        QVERIFY(s.dm.ADOQ_Passport.SQL().startsWith(QStringLiteral("SELECT  TOP (0)")));
    }

    void theCardSettlesBeforeASearchAndMayKeepTheEmployees()
    {
        Session s(m_connectionString);
        s.search(s.window->p26, QStringLiteral("Ива"));
        const QString statement = s.dm.ADO_TEACHER.SQL();
        const QList<int> listed = s.listedKeys();
        s.host.calls.clear();
        s.host.settle = [] { return false; };
        s.search(s.window->p26, QStringLiteral("ов"));
        QCOMPARE(s.host.calls, QStringList{"SettlePendingEdits"});
        QCOMPARE(s.dm.ADO_TEACHER.SQL(), statement);
        QCOMPARE(s.listedKeys(), listed);

        s.host.calls.clear();
        s.host.settle = [] { return true; };
        s.search(s.window->p26, QStringLiteral("ов"));
        QCOMPARE(s.host.calls, (QStringList{"SettlePendingEdits", "LoadCard", "ShowFirstTab"}));
        QVERIFY(s.dm.ADO_TEACHER.SQL().contains(QStringLiteral("'%ов%'")));
    }

    void rowChangeRefillsThePanelAndClickDisablesSave()
    {
        Session s(m_connectionString);
        s.showWindow();
        s.search(s.window->p26, QStringLiteral("ов"));
        QVERIFY(s.dm.ADO_TEACHER.RecordCount() >= 2);
        const int reloads = s.card.reloads;
        s.host.calls.clear();

        ui::DbGrid* grid = s.window->DBGridEh2;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
        QCOMPARE(s.dm.ADO_TEACHER.RecNo(), 2);
        QCOMPARE(s.host.calls, QStringList{"SetSaveEnabled false"});
        QCOMPARE(s.card.reloads, reloads + 1);
        QCOMPARE(s.window->RecordTag(), s.currentKey());
        QCOMPARE(s.window->Label9->text(), s.currentFullName());
        QCOMPARE(s.window->GroupBox2->title(), QStringLiteral("Запись - %1").arg(s.currentKey()));
        QVERIFY(s.dm.ADOQ_Passport.SQL().endsWith(QStringLiteral("=%1").arg(s.currentKey())));

        QSignalSpy doubleClicks(s.window.data(), &TForm4::GridRowDoubleClicked);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
        QCOMPARE(doubleClicks.count(), 1);
        QVERIFY(!grid->isEditing());
    }

    void searchErrorLeavesTheMasterClosedAndTheWindowOpen()
    {
        ui::ScriptedDialogService dialogs;
        Session s(m_connectionString);
        s.showWindow();
        s.search(s.window->p26, QStringLiteral("ов"));
        s.dm.ADO_PUM.Close();
        s.dm.ADO_PUM.SetConnectionString(m_wrongPassword);
        s.host.calls.clear();
        QTest::mouseClick(s.window->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown().front().icon, ui::DialogService::Icon::Error);
        QVERIFY(!dialogs.shown().front().text.isEmpty());
        QVERIFY(!s.dm.ADO_TEACHER.Active());
        QVERIFY(s.window->isVisible());
        QVERIFY(s.host.calls.isEmpty());
        // Escape does not hide the window either: only closing it ends the directory.
        QTest::keyClick(s.window->p26, Qt::Key_Escape);
        QVERIFY(s.window->isVisible());
    }

    void failingExaminationListRefusesTheClose()
    {
        ui::ScriptedDialogService dialogs;
        Session s(m_connectionString);
        s.showWindow();
        s.search(s.window->p26, QStringLiteral("ов"));
        TADOConnection broken;
        broken.SetConnectionString(m_wrongPassword);
        s.dm.ADOQ_teacher_medosmotr.SetConnection(&broken);
        s.host.calls.clear();

        QTest::mouseClick(s.window->Button1, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(dialogs.shown().size(), 1);
        QVERIFY(!s.window.isNull());
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.host.calls.contains(QStringLiteral("DirectoryClosed")));
        QVERIFY(s.card.DirectoryExists());

        // Once the list can be read, the same window closes normally.
        s.dm.ADOQ_teacher_medosmotr.SetConnection(&s.dm.ADO_PUM);
        s.host.calls.clear();
        s.close();
        QVERIFY(s.window.isNull());
        QCOMPARE(s.host.calls.count(QStringLiteral("DirectoryClosed")), 1);
        QVERIFY(s.dm.ADOQ_teacher_medosmotr.Active());
        QCOMPARE(dialogs.shown().size(), 1);
    }

    void closeWithRowsHandsTheEmployeeOver()
    {
        Session s(m_connectionString);
        TADOQuery examined(QStringLiteral("examined"));
        examined.SetConnection(&s.dm.ADO_PUM);
        examined.SetSQL(QStringLiteral("select id_teacher, count(*) as n from teacher_medosmotr group by id_teacher "
                                       "order by count(*) desc"));
        examined.Open();
        QVERIFY(!examined.IsEmpty());
        const int key = examined.Field(0)->AsInteger();
        const int examinations = examined.Field(1)->AsInteger();
        QVERIFY(examinations >= 2);

        s.showWindow();
        s.search(s.window->p26, m_employees.at(key).p26);
        QVERIFY(s.dm.ADO_TEACHER.Locate(QStringLiteral("id_teacher"), key));
        QCOMPARE(s.window->RecordTag(), key);
        s.host.calls.clear();

        const QDateTime before = QDateTime::currentDateTime();
        QTest::mouseClick(s.window->Button1, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(s.window.isNull());
        QVERIFY(!s.card.DirectoryExists());
        QCOMPARE(s.host.calls, (QStringList{"EnableNewRecordAndSearch", "ResetFormerSurname", "SetCardSaved",
                                            "SetStatusText", "SetExaminationDate", "ShowFirstTab",
                                            "DirectoryClosed"}));
        const Employee& e = m_employees.at(key);
        QCOMPARE(s.host.statusText, e.p26 + u' ' + e.p27 + u' ' + e.p28);
        QVERIFY(s.host.examinationDate >= before && s.host.examinationDate <= QDateTime::currentDateTime());

        TADOQuery& list = s.dm.ADOQ_teacher_medosmotr;
        QCOMPARE(list.SQL(), QStringLiteral("Select * From teacher_medosmotr WHERE id_teacher =%1 ORDER BY "
                                            "id_teacher_medosmotr")
                                 .arg(key));
        QVERIFY(list.Active());
        QCOMPARE(list.RecordCount(), examinations);
        int previous = 0;
        for (list.First(); !list.Eof(); list.Next()) {
            QCOMPARE(list.FieldByName(QStringLiteral("id_teacher"))->AsInteger(), key);
            QVERIFY(list.FieldByName(QStringLiteral("id_teacher_medosmotr"))->AsInteger() > previous);
            previous = list.FieldByName(QStringLiteral("id_teacher_medosmotr"))->AsInteger();
        }

        // With the directory gone, moving the master no longer touches it.
        const int reloads = s.card.reloads;
        s.dm.ADO_TEACHER.First();
        QCOMPARE(s.card.reloads, reloads);
    }

    void closeOnEmptyResultOnlyRestoresTheCardButtons()
    {
        Session s(m_connectionString);
        s.showWindow();
        const QString examinations = s.dm.ADOQ_teacher_medosmotr.SQL();
        s.search(s.window->p26, QStringLiteral("Щщщщ"));
        s.host.calls.clear();
        s.close();
        QVERIFY(s.window.isNull());
        QCOMPARE(s.host.calls,
                 (QStringList{"EnableNewRecordAndSearch", "ResetFormerSurname", "ShowFirstTab", "DirectoryClosed"}));
        QCOMPARE(s.dm.ADOQ_teacher_medosmotr.SQL(), examinations);
        QVERIFY(s.host.statusText.isNull());
    }

    void reopenedWindowStartsAfreshAndExpandShowsTheCurrentEmployee()
    {
        Session s(m_connectionString);
        s.showWindow();
        s.window->RadioButton2->click();
        s.search(s.window->p27, QStringLiteral("Ольга"));
        s.window->BitBtn2Click();
        QVERIFY(s.dm.ADO_TEACHER.RecordCount() >= 2);
        s.dm.ADO_TEACHER.Last();
        s.close();

        s.open();
        s.showWindow();
        TForm4& w = *s.window;
        QVERIFY(w.RadioButton1->isChecked());
        for (QLineEdit* box : {w.p26, w.p27, w.p28})
            QVERIFY(box->text().isEmpty());
        QVERIFY(!w.Expanded());
        QCOMPARE(w.FormWidth(), TForm4::kCollapsedWidth);
        QCOMPARE(w.DBGridEh2->model()->rowCount(), s.dm.ADO_TEACHER.RecordCount());
        QCOMPARE(w.RecordTag(), 0);
        QCOMPARE(w.GroupBox2->title(), QStringLiteral("Запись:"));

        QTest::mouseClick(w.BitBtn2, Qt::LeftButton);
        QVERIFY(w.Expanded());
        QCOMPARE(w.FormWidth(), 685);
        QCOMPARE(w.BitBtn2->text(), QStringLiteral("<<"));
        QCOMPARE(w.RecordTag(), s.currentKey());
        QCOMPARE(w.Label9->text(), s.currentFullName());
        QVERIFY(w.GroupBox2->geometry().right() < w.width());
        QVERIFY(w.GroupBox2->isVisible());

        w.BitBtn2Click();
        QVERIFY(!w.Expanded());
        QCOMPARE(w.FormWidth(), 408);
        QCOMPARE(w.width(), 401);
        QCOMPARE(w.BitBtn2->text(), QStringLiteral(">>"));
    }
};

int main(int argc, char** argv)
{
    // The program's application object: errors leaving an event handler go to its display.
    ZelApplication app(argc, argv);
    TestTForm4 test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tform4.moc"
