// The card's "Трудовая деятельность" tab over the embedded demo database: years of
// service with their Enter chain, qualification courses and the work history.
#include "TabChecks.h"

#include "card/WorkTab.h"
#include "ui/DbLabel.h"
#include "ui/PageControl.h"

#include <QLineEdit>
#include <QPointer>

using namespace zel;
using cardtest::CardSession;
using Kind = ui::GridColumn::Kind;

namespace {

int employeeWithWork(CardSession& s)
{
    return s.scalar(QStringLiteral(
        "select top 1 w.id_teacher from Work w join Kvalifikation k on k.id_teacher = w.id_teacher"
        " join Experience e on e.id_teacher = w.id_teacher where w.id_teacher <> 1 order by w.id_teacher"));
}

void showActive(CardSession& s)
{
    s.window->show();
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
}

}  // namespace

class WorkTabTest : public QObject {
    Q_OBJECT
private slots:
    void aDemoEmployeeFillsTheTab()
    {
        CardSession s;
        const int key = cardtest::showRichestEmployee(s);
        QVERIFY(s.window->PageControl1->userSelect(2));
        QCOMPARE(s.window->PageControl1->currentIndex(), 2);
        const int jobs = s.scalar(QStringLiteral("select count(*) from Work where id_teacher = %1").arg(key));
        const int courses = s.scalar(QStringLiteral("select count(*) from Kvalifikation where id_teacher = %1").arg(key));
        QVERIFY(jobs > 0);
        QCOMPARE(s.window->TabSheet3->DBGridEh1->tableModel()->rowCount(), jobs);
        QCOMPARE(s.window->TabSheet3->DBGridEh3->tableModel()->rowCount(), courses);
        QCOMPARE(s.window->TabSheet3->DBEdit5->text(),
                 s.rows(QStringLiteral("select specialty from Experience where id_teacher = %1").arg(key)).value(0).value(0));
        QVERIFY(s.messages().isEmpty());
        cardtest::screenshot(s.window.get(), QStringLiteral("tab3-work"));
    }

    void yearsOfServiceControlsAndCaptions()
    {
        CardSession s;
        s.loadEmployee(employeeWithWork(s));
        WorkTab& tab = *s.window->TabSheet3;
        QCOMPARE(tab.objectName(), QStringLiteral("TabSheet3"));
        QCOMPARE(s.window->PageControl1->tabText(2), QStringLiteral("Трудовая деятельность"));
        const QStringList groups = cardtest::groupTitles(&tab);
        for (const char* title : {"Стаж. Опыт работы (укажите количество лет)", "Повышение квалификации:",
                                  "Выполняемая работа с начала трудовой деятельности."})
            QVERIFY2(groups.contains(QString::fromUtf8(title)), title);

        const TDataSource* years = &s.dm.DS_Experience;
        cardtest::checkBindings(&tab, {
                                          {"DBEdit5", years, "specialty", "Основная профессия (специальность):"},
                                          {"DBEdit7", years, "Gov_Service", "На государственной службе:"},
                                          {"DBEdit9", years, "On_Owners", "В частных структурах:"},
                                          {"DBEdit10", years, "specialty_s", "Стаж по специальности"},
                                          {"DBEdit13", years, "Total_s", "Общий стаж"},
                                          {"DBDateTimeEditEh1", years, "Total_sDate", "с "},
                                          {"DBEdit14", years, "teacher_s", "Педагогический стаж"},
                                          {"DBDateTimeEditEh3", years, "teacher_sDate", "с "},
                                          {"DBEdit15", years, "Unbreakable", "Непрерывный стаж "},
                                      });
        // The years of the loaded employee are shown.
        QCOMPARE(tab.DBEdit5->text(), s.dm.ADOQ_Experience.FieldByName(QStringLiteral("specialty"))->AsString());
        QVERIFY(!tab.DBEdit5->text().isEmpty());
    }

    void gridColumnsAndTitles()
    {
        CardSession s;
        s.loadEmployee(employeeWithWork(s));
        WorkTab& tab = *s.window->TabSheet3;
        QCOMPARE(tab.DBGridEh3->objectName(), QStringLiteral("DBGridEh3"));
        cardtest::checkGrid(tab.DBGridEh3, &s.dm.DS_Kvalification,
                            {
                                {"date_1", "Месяц, год|Начала", Kind::Date, "dd.MM.yyyy"},
                                {"date_2", "Месяц, год|Окончания", Kind::Date, "dd.MM.yyyy"},
                                {"Qualification", "Вид повышения квалификации", Kind::Lookup},
                                {"theme", "Тема"},
                                {"Trudoem", "Трудоёмкость, час", Kind::Lookup},
                                {"place", "Место повышения квалификации (в том числе за рубежом)"},
                                {"sertifikate", "Свидетельство, удостоверение"},
                            });
        QCOMPARE(tab.DBGridEh1->objectName(), QStringLiteral("DBGridEh1"));
        cardtest::checkGrid(tab.DBGridEh1, &s.dm.DS_Work,
                            {
                                {"Doljnost", "Занимаемая должность"},
                                {"Name_org", "Наименование организации"},
                                {"Adress", "Адрес учреждения"},
                                {"FIO_Dir", "ФИО руководителя"},
                                {"First_Check", "Поступление| ", Kind::CheckBox},
                                {"Date_Enter", "Поступление|Дата", Kind::Date, "dd.MM.yyyy"},
                                {"Enter_numPrikaz", "Поступление|№ Приказа"},
                                {"base", "Основн./по совм.", Kind::Lookup},
                                {"Date_Quit", "Увольнение|Дата", Kind::Date, "dd.MM.yyyy"},
                                {"Quit_numPrikaz", "Увольнение|№ Приказа"},
                                {"Phone", "Телефон"},
                                {"descr", "Причина увольнения"},
                            });
        // "Поступление" spans its three columns in the header; the dates show the day alone.
        QCOMPARE(s.dm.ADOQ_Work.RecordCount(),
                 s.scalar(QStringLiteral("select count(*) from Work where id_teacher = ")
                          + s.tab().DBText4->text()));
        const QString shown = tab.DBGridEh1->tableModel()->data(cardtest::cell(tab.DBGridEh1, 0, "Date_Enter")).toString();
        s.dm.ADOQ_Work.First();
        const TField* entered = s.dm.ADOQ_Work.FieldByName(QStringLiteral("Date_Enter"));
        QCOMPARE(shown, entered->IsNull() ? QString() : entered->AsDateTime().date().toString(QStringLiteral("dd.MM.yyyy")));
    }

    void enterGoesRoundTheYearsAndTheDatesNameAControlOfTheFirstTab()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithWork(s));
        s.window->PageControl1->showPage(2);
        WorkTab& t = *s.window->TabSheet3;
        const QList<std::pair<QWidget*, QWidget*>> steps = {
            {t.DBEdit5, t.DBEdit7},   {t.DBEdit7, t.DBEdit9},   {t.DBEdit9, t.DBEdit10}, {t.DBEdit10, t.DBEdit13},
            {t.DBEdit13, t.DBEdit14}, {t.DBEdit14, t.DBEdit15}, {t.DBEdit15, t.DBEdit5},
        };
        for (const auto& [from, to] : steps) {
            from->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), from);
            cardtest::pressEnter(from);
            QCOMPARE(QApplication::focusWidget(), to);
        }
        QCOMPARE(ui::EnterChain::successor(t.DBDateTimeEditEh1), QStringLiteral("DBEdit1"));
        for (QWidget* date : {static_cast<QWidget*>(t.DBDateTimeEditEh1), static_cast<QWidget*>(t.DBDateTimeEditEh3)}) {
            date->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), date);
            cardtest::pressEnter(date);
            QCOMPARE(QApplication::focusWidget(), date);
        }
        QVERIFY(s.messages().isEmpty());
    }

    void cellsThatArmSaveAndCellsThatDoNot()
    {
        CardSession s;
        s.loadEmployee(employeeWithWork(s));
        WorkTab& tab = *s.window->TabSheet3;
        s.dm.ADOQ_Work.First();
        s.dm.ADOQ_Work.Edit();
        const QList<std::pair<const char*, bool>> work = {
            {"Doljnost", true},         {"Name_org", true}, {"Phone", true},           {"Date_Quit", true},
            {"Enter_numPrikaz", false}, {"descr", false},   {"Quit_numPrikaz", false},
        };
        for (const auto& [field, arms] : work) {
            s.window->SetSaveEnabled(false);
            const QVariant value = QString::fromLatin1(field) == QLatin1String("Date_Quit")
                ? QVariant(QStringLiteral("31.08.2001"))
                : QVariant(QStringLiteral("7"));
            QVERIFY2(cardtest::commitCell(tab.DBGridEh1, 0, field, value), field);
            QVERIFY2(s.window->Apply_Records_Btn->isEnabled() == arms, field);
        }
        s.window->SetSaveEnabled(false);
        QVERIFY(cardtest::commitCell(tab.DBGridEh1, 0, "First_Check", true));
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());

        s.dm.ADOQ_Kvalification.First();
        s.dm.ADOQ_Kvalification.Edit();
        const QList<std::pair<const char*, bool>> courses = {
            {"place", true}, {"sertifikate", true}, {"theme", false}};
        for (const auto& [field, arms] : courses) {
            s.window->SetSaveEnabled(false);
            QVERIFY2(cardtest::commitCell(tab.DBGridEh3, 0, field, QStringLiteral("Бишкек")), field);
            QVERIFY2(s.window->Apply_Records_Btn->isEnabled() == arms, field);
        }
    }

    void anErasedDateIsStoredAsNullAndAPartlyTypedOneIsRefused()
    {
        CardSession s;
        const int key = employeeWithWork(s);
        s.loadEmployee(key);
        WorkTab& tab = *s.window->TabSheet3;
        TADOQuery& work = s.dm.ADOQ_Work;
        work.First();
        const QString id = work.FieldByName(QStringLiteral("id_Work"))->AsString();
        QVERIFY(cardtest::commitCell(tab.DBGridEh1, 0, "Date_Enter", QStringLiteral("01.09.1999")));
        s.window->Apply_Records_BtnClick();
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from Work where id_Work = %1 and Date_Enter is not null")
                              .arg(id)),
                 1);

        const int row = work.Locate(QStringLiteral("id_Work"), id) ? work.RecNo() - 1 : -1;
        QVERIFY(row >= 0);
        QVERIFY(!cardtest::commitCell(tab.DBGridEh1, row, "Date_Enter", QStringLiteral("01.09.    ")));
        QVERIFY(!work.FieldByName(QStringLiteral("Date_Enter"))->IsNull());
        QVERIFY(cardtest::commitCell(tab.DBGridEh1, row, "Date_Enter", QStringLiteral("  .  .    ")));
        QVERIFY(work.FieldByName(QStringLiteral("Date_Enter"))->IsNull());
        s.window->Apply_Records_BtnClick();
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from Work where id_Work = %1 and Date_Enter is null").arg(id)),
                 1);

        // The courses' dates follow the same rule.
        QVERIFY(cardtest::commitCell(tab.DBGridEh3, 0, "date_2", QStringLiteral("  .  .    ")));
        QVERIFY(s.dm.ADOQ_Kvalification.FieldByName(QStringLiteral("date_2"))->IsNull());
    }

    void leavingAGridPostsIt()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithWork(s));
        s.window->PageControl1->showPage(2);
        WorkTab& tab = *s.window->TabSheet3;
        s.dm.ADOQ_Kvalification.First();
        const QString id = s.dm.ADOQ_Kvalification.FieldByName(QStringLiteral("id_kvalification"))->AsString();
        tab.DBGridEh3->setFocus();
        QTRY_VERIFY(tab.DBGridEh3->hasFocus());
        QVERIFY(cardtest::commitCell(tab.DBGridEh3, 0, "sertifikate", QStringLiteral("№ 0042")));
        QCOMPARE(s.dm.ADOQ_Kvalification.State(), dsEdit);
        tab.DBGridEh1->setFocus();
        QTRY_COMPARE(s.dm.ADOQ_Kvalification.State(), dsBrowse);
        QCOMPARE(s.rows(QStringLiteral("select sertifikate from Kvalifikation where id_kvalification = ") + id)[0][0],
                 QStringLiteral("№ 0042"));
        QVERIFY(s.messages().isEmpty());
    }

    void aRefusedWorkCellIsReportedOnceAndKeepsItsText()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithWork(s));
        QVERIFY(s.window->PageControl1->userSelect(2));
        WorkTab& tab = *s.window->TabSheet3;
        TADOQuery& work = s.dm.ADOQ_Work;
        work.First();
        const QString id = work.FieldByName(QStringLiteral("id_Work"))->AsString();
        const QString readBack = QStringLiteral("select Doljnost from Work where id_Work = ") + id;
        const QString storedBefore = s.rows(readBack).value(0).value(0);
        QCOMPARE(work.State(), dsBrowse);

        // The clerk's road: the cell's editor, a text the code page lacks, Enter.
        const QModelIndex index = cardtest::cell(tab.DBGridEh1, 0, "Doljnost");
        QVERIFY(index.isValid());
        tab.DBGridEh1->setFocus();
        tab.DBGridEh1->setCurrentIndex(index);
        tab.DBGridEh1->edit(index);
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        cardtest::typeText(editor, QStringLiteral("Доцент 日本"));
        QCOMPARE(work.State(), dsEdit);
        cardtest::pressEnter(editor);
        QTRY_COMPARE(s.dialogs.shown().size(), 1);

        // Leaving the grid posts the tab's sections, then Save: the same text, no second box.
        tab.DBEdit5->setFocus();
        QTRY_VERIFY(editor && editor->hasFocus());
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        s.window->Apply_Records_Btn->click();
        QCOMPARE(s.messages(), QStringList{QStringLiteral(
                                   "Текст поля 'Doljnost' содержит символы, которых нет в кодировке базы данных.")});
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("Доцент 日本"));
        QVERIFY(tab.DBGridEh1->isEditing());
        QCOMPARE(work.State(), dsEdit);
        QCOMPARE(s.rows(readBack).value(0).value(0), storedBefore);

        // Corrected in place, the text is saved.
        editor->selectAll();
        cardtest::typeText(editor, QStringLiteral("Доцент"));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        s.window->Apply_Records_Btn->click();
        QCOMPARE(s.rows(readBack).value(0).value(0), QStringLiteral("Доцент"));
        QCOMPARE(s.dialogs.shown().size(), 1);
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<WorkTabTest>(argc, argv);
}

#include "tst_work_tab.moc"
