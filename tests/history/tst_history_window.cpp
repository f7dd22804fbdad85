// The window "История изменений": with a fake host, and from the card over the demo database.
#include "FakeHistoryHost.h"
#include "tests/card/CardSession.h"

#include "data/modules/SectionDeletion.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "history/EmployeeHistoryWindow.h"
#include "history/LogDescription.h"
#include "signin/WorkstationIdentity.h"
#include "ui/DbEdit.h"
#include "ui/DbNavigator.h"
#include "ui/FlatButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

using namespace zel;
using cardtest::CardSession;
using cardtest::DemoDatabase;
using historytest::FakeHistoryHost;

namespace {

HistoryEntry entry(qint64 id, const QDateTime& when, const QString& table, const QString& descr)
{
    HistoryEntry e;
    e.id = id;
    e.when = when;
    e.table = table;
    e.description = descr;
    e.user = QStringLiteral("ivanova");
    e.workstation = QStringLiteral("PC12\\10.0.0.7");
    LogDescription::Parse(e);
    return e;
}

QStringList rowTexts(const QTableWidget* grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid->columnCount(); ++c)
        texts << grid->item(row, c)->text();
    return texts;
}

}  // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

    static FakeHistoryHost sampleHost()
    {
        FakeHistoryHost host;
        host.rows = {entry(9, QDateTime(QDate(2026, 3, 2), QTime(14, 5, 7)), QStringLiteral("Nagrada"),
                           QStringLiteral("Запись с уникальным номером - '17' была удалена - (id_nagrada[17], "
                                          "id_teacher[5], nagrada['Орден'])."))
                         ,
                     entry(4, QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)), QStringLiteral("Teacher_info"),
                           QStringLiteral("Поле \"Phone\" изменило значение \"NULL\" на \"12-34\"."))};
        return host;
    }

private slots:
    void showsTheRowsInRussianNewestFirst()
    {
        FakeHistoryHost host = sampleHost();
        EmployeeHistoryWindow window(host, 5, QStringLiteral("Абдыкадырова Айгуль Бакытовна "));
        QCOMPARE(window.windowTitle(), QStringLiteral("История изменений — Абдыкадырова Айгуль Бакытовна (шифр 5)"));
        QVERIFY(window.Refresh());
        QCOMPARE(host.requests.size(), 1);
        QCOMPARE(host.requests[0].employee, qint64(5));
        QVERIFY(host.requests[0].section.isEmpty());
        QVERIFY(!host.requests[0].from.isValid() && !host.requests[0].to.isValid());

        const QStringList titles{QStringLiteral("Дата и время"), QStringLiteral("Раздел"), QStringLiteral("Поле"),
                                 QStringLiteral("Было"), QStringLiteral("Стало"), QStringLiteral("Пользователь"),
                                 QStringLiteral("Рабочее место")};
        QCOMPARE(window.Grid->columnCount(), titles.size());
        for (int c = 0; c < titles.size(); ++c)
            QCOMPARE(window.Grid->horizontalHeaderItem(c)->text(), titles[c]);
        QCOMPARE(window.Grid->rowCount(), 2);
        QCOMPARE(rowTexts(window.Grid, 0),
                 (QStringList{QStringLiteral("02.03.2026 14:05:07"), QStringLiteral("Награды"),
                              QStringLiteral("(запись удалена)"),
                              QStringLiteral("id_nagrada[17], id_teacher[5], nagrada['Орден']"), QString(),
                              QStringLiteral("ivanova"), QStringLiteral("PC12\\10.0.0.7")}));
        QCOMPARE(rowTexts(window.Grid, 1),
                 (QStringList{QStringLiteral("01.03.2026 09:00:00"), QStringLiteral("Личные данные"),
                              QStringLiteral("Телефон домашний"), QString(), QStringLiteral("12-34"),
                              QStringLiteral("ivanova"),
                              QStringLiteral("PC12\\10.0.0.7")}));
        QCOMPARE(window.CountLabel->text(), QStringLiteral("Записей: 2"));
    }

    void filtersMakeOneRequestEach()
    {
        FakeHistoryHost host = sampleHost();
        EmployeeHistoryWindow window(host, 5, QStringLiteral("Иванов"));
        window.Refresh();
        window.SectionBox->setCurrentIndex(window.SectionBox->findText(QStringLiteral("Паспорт")));
        QCOMPARE(host.requests.size(), 2);
        QCOMPARE(host.requests.last().section, QStringLiteral("Pasport"));

        window.FromDate->setDate(QDate(2026, 1, 10));
        QCOMPARE(host.requests.size(), 2);  // the day counts only once its box is ticked
        window.FromCheck->setChecked(true);
        QVERIFY(window.FromDate->isEnabled());
        QCOMPARE(host.requests.last().from, QDate(2026, 1, 10));
        QVERIFY(!host.requests.last().to.isValid());
        window.ToDate->setDate(QDate(2026, 2, 20));
        window.ToCheck->setChecked(true);
        QCOMPARE(host.requests.last().to, QDate(2026, 2, 20));
        QCOMPARE(host.requests.last().section, QStringLiteral("Pasport"));
        window.SectionBox->setCurrentIndex(0);
        QVERIFY(host.requests.last().section.isEmpty());
        QCOMPARE(host.requests.size(), 5);
    }

    void aBackwardRangeOrAServerErrorKeepsTheRowsShown()
    {
        ui::ScriptedDialogService dialogs;
        FakeHistoryHost host = sampleHost();
        EmployeeHistoryWindow window(host, 5, QStringLiteral("Иванов"));
        window.Refresh();
        window.ToDate->setDate(QDate(2026, 1, 1));
        window.ToCheck->setChecked(true);
        const int asked = host.requests.size();
        window.FromDate->setDate(QDate(2026, 1, 2));
        window.FromCheck->setChecked(true);
        QCOMPARE(host.requests.size(), asked);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].text,
                 QStringLiteral("Начало периода (02.01.2026) позже его конца (01.01.2026).\rИсправьте одну из дат."));
        QCOMPARE(window.Grid->rowCount(), 2);
        QCOMPARE(window.FromDate->date(), QDate(2026, 1, 2));  // what was chosen stays

        host.failWith = QStringLiteral("Сервер недоступен.");
        window.FromCheck->setChecked(false);
        QCOMPARE(dialogs.shown().size(), 2);
        QVERIFY(dialogs.shown()[1].text.contains(QStringLiteral("Сервер недоступен.")));
        QCOMPARE(window.Grid->rowCount(), 2);
    }

    void copiesTheSelectedRowsAsText()
    {
        FakeHistoryHost host = sampleHost();
        EmployeeHistoryWindow window(host, 5, QStringLiteral("Иванов"));
        window.Refresh();
        window.Grid->selectRow(1);
        window.CopyButton->click();
        QCOMPARE(host.copied,
                 QStringLiteral("Дата и время\tРаздел\tПоле\tБыло\tСтало\tПользователь\tРабочее место\n"
                                "01.03.2026 09:00:00\tЛичные данные\tТелефон домашний\t\t12-34\tivanova\tPC12\\10.0.0.7\n"));
        window.Grid->clearSelection();
        QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(host.copied.count(u'\n'), 3);
        QVERIFY(host.copied.contains(QStringLiteral("\tНаграды\t(запись удалена)\t")));
    }
};

// -- from the card, over the demo database --

class HistoryScenarioTest : public QObject {
    Q_OBJECT

    static EmployeeHistoryWindow* openHistory(CardSession& s)
    {
        s.window->PopupMenu1->popup(QPoint(0, 0));  // the item follows the card when the menu opens
        s.window->PopupMenu1->hide();
        if (!s.window->History_M->isEnabled())
            return nullptr;
        s.window->History_M->trigger();
        return s.window->findChild<EmployeeHistoryWindow*>();
    }

    static const HistoryEntry* find(const std::vector<HistoryEntry>& entries, const QString& table, const QString& field)
    {
        for (const HistoryEntry& e : entries)
            if (e.table == table && e.field == field)
                return &e;
        return nullptr;
    }

    static int employeeWith(CardSession& s, int skip)
    {
        const auto keys = s.rows(QStringLiteral(
            "select id_teacher from TEACHER t where t.id_teacher <> 1"
            " and exists (select 1 from TEACHER_info i where i.id_teacher = t.id_teacher)"
            " and exists (select 1 from family_ f where f.id_teacher = t.id_teacher)"
            " and exists (select 1 from Nagrada n where n.id_teacher = t.id_teacher)"
            " order by id_teacher"));
        return skip < keys.size() ? keys[skip][0].toInt() : 0;
    }

private slots:
    void savedChangesAndADeletedAwardAppearForTheirEmployeeOnly()
    {
        CardSession s;
        s.window->show();
        QCOMPARE(s.window->PopupMenu1->actions().indexOf(s.window->History_M),
                 s.window->PopupMenu1->actions().indexOf(s.window->ChangeFIO_M) + 1);
        QCOMPARE(s.window->History_M->text(), QStringLiteral("История изменений"));
        const int other = employeeWith(s, 1);
        const int key = employeeWith(s, 0);
        QVERIFY(key > 0 && other > 0);

        // Another employee's change first: it must never show up below.
        s.loadEmployee(other);
        s.dm.ADOQ_Teacher_2.Edit();
        s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("Phone"))->SetAsString(QStringLiteral("99-99-99"));
        s.window->Apply_Records_BtnClick();

        s.loadEmployee(key);
        // The phone, typed on the card and saved.
        const QString oldPhone = s.dm.ADOQ_Teacher_2.FieldByName(QStringLiteral("Phone"))->AsString();
        QTest::mouseClick(s.tab().DBEdit11, Qt::LeftButton);
        s.tab().DBEdit11->selectAll();
        cardtest::typeText(s.tab().DBEdit11, QStringLiteral("55-12-34"));
        s.window->Apply_Records_Btn->click();
        // A relative's first name, through the relatives' section.
        TADOQuery& family = s.dm.ADOQ_family;
        const QString relativeKey = family.FieldByName(QStringLiteral("id_family"))->AsString();
        const QString oldName = family.FieldByName(QStringLiteral("p27"))->AsString();
        family.Edit();
        family.FieldByName(QStringLiteral("p27"))->SetAsString(QStringLiteral("Пётр"));
        s.window->Apply_Records_BtnClick();
        // An award deleted.
        TADOQuery& awards = s.dm.ADOQ_Nagrada;
        const QString awardKey = awards.FieldByName(QStringLiteral("id_nagrada"))->AsString();
        const QString awardName = awards.FieldByName(QStringLiteral("nagrada"))->AsString();
        // Through the awards' navigator on the card, as the clerk deletes it.
        auto* navigator = s.window->findChild<ui::DbNavigator*>(QStringLiteral("DBNavigator2"));
        QVERIFY(navigator);
        QCOMPARE(navigator->dataSource()->DataSet(), &awards);
        s.dialogs.queueAnswer(ui::DialogService::Answer::Yes);
        navigator->click(ui::DbNavigator::Delete);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from Nagrada where id_nagrada = ") + awardKey), 0);

        EmployeeHistoryWindow* window = openHistory(s);
        QVERIFY(window);
        QCOMPARE(window->Employee(), qint64(key));
        const std::vector<HistoryEntry>& entries = window->Entries();
        QCOMPARE(int(entries.size()), 3);
        const QString workstation = s.window->ComputerName + u'\\' + WorkstationIdentity::ipAddress();

        // Newest first: the deletion, the relative, the phone.
        QCOMPARE(entries[0].kind, HistoryEntry::Kind::Deletion);
        QCOMPARE(entries[0].table, QStringLiteral("Nagrada"));
        QCOMPARE(entries[0].rowId, awardKey.toLongLong());
        QVERIFY2(entries[0].oldValue.contains(QStringLiteral("id_teacher[%1]").arg(key)), qPrintable(entries[0].oldValue));
        QVERIFY2(entries[0].oldValue.contains(QStringLiteral("nagrada['%1']").arg(awardName)),
                 qPrintable(entries[0].oldValue));
        const HistoryEntry* relative = find(entries, QStringLiteral("Family"), QStringLiteral("p27"));
        QVERIFY(relative);
        QCOMPARE(relative->rowId, relativeKey.toLongLong());
        QCOMPARE(relative->oldValue, oldName);
        QCOMPARE(relative->newValue, QStringLiteral("Пётр"));
        const HistoryEntry* phone = find(entries, QStringLiteral("Teacher_info"), QStringLiteral("Phone"));
        QVERIFY(phone);
        QCOMPARE(phone->oldValue, oldPhone);
        QCOMPARE(phone->newValue, QStringLiteral("55-12-34"));
        for (const HistoryEntry& e : entries) {
            QCOMPARE(e.user, QStringLiteral("ivanova"));
            QCOMPARE(e.workstation, workstation);
            QVERIFY(!e.description.contains(QStringLiteral("99-99-99")));
        }
        QVERIFY(!entries[0].when.isNull());
        QVERIFY(entries[0].when >= entries[1].when && entries[1].when >= entries[2].when);

        // As the clerk reads them.
        QCOMPARE(window->Grid->item(0, 1)->text(), QStringLiteral("Награды"));
        QCOMPARE(window->Grid->item(0, 2)->text(), QStringLiteral("(запись удалена)"));
        QCOMPARE(window->Grid->item(2, 1)->text(), QStringLiteral("Личные данные"));
        QCOMPARE(window->Grid->item(1, 1)->text(), QStringLiteral("Родственники"));
        QCOMPARE(window->Grid->item(1, 2)->text(), QStringLiteral("Имя"));
        QCOMPARE(window->Grid->item(2, 2)->text(), QStringLiteral("Телефон домашний"));

        // The filters, against the server.
        window->SectionBox->setCurrentIndex(window->SectionBox->findText(QStringLiteral("Родственники")));
        QCOMPARE(int(window->Entries().size()), 1);
        QCOMPARE(window->Entries()[0].field, QStringLiteral("p27"));
        window->SectionBox->setCurrentIndex(0);
        window->FromDate->setDate(QDate::currentDate().addDays(1));
        window->FromCheck->setChecked(true);
        QCOMPARE(int(window->Entries().size()), 0);
        window->FromDate->setDate(QDate::currentDate());
        QCOMPARE(int(window->Entries().size()), 3);
        window->ToDate->setDate(QDate::currentDate().addDays(-1));
        window->FromCheck->setChecked(false);
        window->ToCheck->setChecked(true);
        QCOMPARE(int(window->Entries().size()), 0);
        // For a person to look at: ZEL_SCREENSHOT_DIR=folder.
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOT_DIR")) {
            window->ToCheck->setChecked(false);
            window->Grid->selectRow(1);
            window->grab().save(qEnvironmentVariable("ZEL_SCREENSHOT_DIR") + QStringLiteral("/history-window.png"));
        }
        window->close();
        QTRY_VERIFY(!s.window->findChild<EmployeeHistoryWindow*>());

        // The other employee's history holds only its own change.
        s.loadEmployee(other);
        window = openHistory(s);
        QVERIFY(window);
        QCOMPARE(int(window->Entries().size()), 1);
        QCOMPARE(window->Entries()[0].newValue, QStringLiteral("99-99-99"));
        window->close();
    }

    void theItemWaitsForAnEmployeeAndTheReadOnlyClerkMayOpenIt()
    {
        CardSession s(QStringLiteral("petrov"));
        s.window->show();
        QVERIFY(!openHistory(s));  // nobody loaded yet
        s.window->History_MClick();  // nor by a direct call
        QVERIFY(!s.window->findChild<EmployeeHistoryWindow*>());

        const int key = employeeWith(s, 0);
        s.loadEmployee(key);
        EmployeeHistoryWindow* window = openHistory(s);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Employee(), qint64(key));
        QVERIFY(s.messages().isEmpty());
        QVERIFY(!window->Entries().empty());  // written by the clerk of the test above
        window->close();

        // A new employee being entered has no history.
        s.window->SpeedButton2Click();
        QVERIFY(!openHistory(s));
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    int failures = 0;
    {
        HistoryWindowTest window;
        failures += QTest::qExec(&window, argc, argv);
    }
    DemoDatabase::instance().create();
    {
        HistoryScenarioTest scenario;
        failures += QTest::qExec(&scenario, argc, argv);
    }
    DemoDatabase::instance().remove();
    return failures;
}

#include "tst_history_window.moc"
