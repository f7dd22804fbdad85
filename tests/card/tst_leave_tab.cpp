// The leave tab over the embedded demo database: its grid and navigator, the empty
// date cell that stores NULL, the partly typed date that is refused, which cells
// enable Save, and leaving the grid.
#include "TabInspection.h"

#include "card/LeaveTab.h"
#include "ui/PageControl.h"

using namespace zel;
using cardtest::CardSession;
using cardtest::ColumnInfo;
using Kind = ui::GridColumn::Kind;
using Answer = ui::DialogService::Answer;

namespace {

/// An employee with at least two leave rows, loaded on a shown card window.
struct LeaveSession : CardSession {
    int employee = 0;
    ui::DbGrid* grid = nullptr;

    LeaveSession()
    {
        employee = scalar(QStringLiteral(
            "select top 1 id_teacher from Holiday where id_teacher <> 1 group by id_teacher having count(*) > 1"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        loadEmployee(employee);
        window->PageControl1->showPage(4);
        QApplication::setActiveWindow(window.get());
        grid = cardtest::control<ui::DbGrid>(*window, "DBGridEh8");
    }

    TADOQuery& leave() { return dm.ADOQ_Holiday; }
    QString cellInDatabase(const QString& column)
    {
        return rows(QStringLiteral("select %1 from Holiday where id_vacation = %2")
                        .arg(column, leave().FieldByName(QStringLiteral("id_vacation"))->AsString()))
            .value(0)
            .value(0);
    }
};

}  // namespace

class LeaveTabTest : public QObject {
    Q_OBJECT
private slots:
    void theGridShowsTheLeaveColumnsUnderTheirTitles()
    {
        LeaveSession s;
        QVERIFY(s.grid);
        QCOMPARE(s.window->PageControl1->tabText(4), QStringLiteral("Отпуск"));
        QCOMPARE(cardtest::pageOf(*s.window, s.grid), 4);
        QVERIFY(s.window->findChild<LeaveTab*>());
        QCOMPARE(s.grid->dataSource(), &s.dm.DS_Holiday);

        const QList<ColumnInfo> expected = {
            {QStringLiteral("Holiday_type"), QStringLiteral("Вид отпуска"), Kind::Lookup},
            {QStringLiteral("from_d"), QStringLiteral("За какой период|Начало"), Kind::Date},
            {QStringLiteral("to_d"), QStringLiteral("За какой период|Конец"), Kind::Date},
            {QStringLiteral("Date_begin"), QStringLiteral("Отпуск|Начало"), Kind::Date},
            {QStringLiteral("Date_End"), QStringLiteral("Отпуск|Конец"), Kind::Date},
            {QStringLiteral("N_Days"), QStringLiteral("Отпуск|Кол. дней"), Kind::Text},
            {QStringLiteral("N_prikaz"), QStringLiteral("Отпуск|Приказ|№"), Kind::Text},
            {QStringLiteral("Date_Prikaz"), QStringLiteral("Отпуск|Приказ|Дата"), Kind::Date},
            {QStringLiteral("not_used_pay_days"), QStringLiteral("Не исп. дни опл."), Kind::Text},
            {QStringLiteral("otz_from_d"), QStringLiteral("Отозвать с отпуска|С (Дата)"), Kind::Date},
            {QStringLiteral("Not_used_days"), QStringLiteral("Отозвать с отпуска|не опл дни."), Kind::Text},
            {QStringLiteral("otz_prik"), QStringLiteral("Отозвать с отпуска|Приказ|№"), Kind::Text},
            {QStringLiteral("otz_pr_date"), QStringLiteral("Отозвать с отпуска|Приказ|Дата"), Kind::Date},
        };
        cardtest::compareColumns(s.grid, expected);
        if (QTest::currentTestFailed())
            return;

        // The employee's rows, in the order of their first day, the kind as its text.
        const auto server = s.rows(QStringLiteral("select h.id_vacation, t.Holiday_type from Holiday h "
                                                  "left join Holliday_t t on t.id_vacation_t = h.id_vacation_t "
                                                  "where h.id_teacher = %1 order by h.Date_begin")
                                       .arg(s.employee));
        QCOMPARE(s.grid->model()->rowCount(), int(server.size()));
        for (int row = 0; row < int(server.size()); ++row) {
            const QString kind = server[row][1] == QStringLiteral("NULL") ? QString() : server[row][1];
            QCOMPARE(s.grid->model()->index(row, 0).data().toString(), kind);
        }

        auto* navigator = cardtest::navigatorOn(*s.window, &s.dm.DS_Holiday);
        QVERIFY(navigator);
        QCOMPARE(cardtest::buttonsOf(navigator), (QStringList{"Insert", "Delete", "Post"}));
        QCOMPARE(cardtest::pageOf(*s.window, navigator), 4);
        // Below the grid.
        QVERIFY(navigator->mapTo(s.window.get(), QPoint(0, 0)).y()
                > s.grid->mapTo(s.window.get(), QPoint(0, 0)).y() + s.grid->height() / 2);
    }

    void erasingEveryDigitOfALeaveDateStoresNull()
    {
        LeaveSession s;
        const QStringList dates = {"from_d", "to_d", "Date_begin", "Date_End", "Date_Prikaz", "otz_from_d",
                                   "otz_pr_date"};
        // First give every date a value, then erase each one.
        for (const QString& field : dates)
            QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, field), QStringLiteral("01022020")));
        for (const QString& field : dates)
            QCOMPARE(s.leave().FieldByName(field)->AsDateTime().date(), QDate(2020, 2, 1));
        for (const QString& field : dates) {
            QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, field), QString()));
            QVERIFY2(s.leave().FieldByName(field)->IsNull(), qPrintable(field));
        }
        QVERIFY(s.messages().isEmpty());
        s.window->Apply_Records_BtnClick();
        QVERIFY(s.messages().isEmpty());
        s.leave().First();
        for (const QString& field : dates)
            QCOMPARE(s.cellInDatabase(field), QStringLiteral("NULL"));
    }

    void aPartlyTypedDateIsRefusedAndNotStoredAsNull()
    {
        LeaveSession s;
        const int column = cardtest::columnOf(s.grid, QStringLiteral("Date_begin"));
        // The last row: an erased first day sorts first.
        const int row = s.grid->model()->rowCount() - 1;
        s.leave().Last();
        const QDateTime before = s.leave().FieldByName(QStringLiteral("Date_begin"))->AsDateTime();
        QVERIFY(before.isValid());
        QVERIFY(cardtest::typeIntoCell(s.grid, row, column, QStringLiteral("150")));
        QCOMPARE(s.dialogs.shown().size(), 1);
        QVERIFY(s.messages()[0].contains(QStringLiteral("не является допустимой датой")));
        QVERIFY(!s.leave().FieldByName(QStringLiteral("Date_begin"))->IsNull());
        QCOMPARE(s.leave().FieldByName(QStringLiteral("Date_begin"))->AsDateTime(), before);
        // The typed text stays in the open editor for correction.
        QVERIFY(s.grid->isEditing());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->displayText(), QStringLiteral("15.0 .    "));
    }

    void committingACellEnablesSaveExceptForUnusedPaidDays()
    {
        LeaveSession s;
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        // The first commit puts the row into edit, which enables Save by itself.
        QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, QStringLiteral("N_prikaz")),
                                       QStringLiteral("17-к")));
        QCOMPARE(s.leave().State(), dsEdit);
        const QStringList arming = {"N_Days", "N_prikaz", "otz_prik", "Not_used_days", "Date_End"};
        for (const QString& field : arming) {
            s.window->SetSaveEnabled(false);
            QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, field),
                                           field == QStringLiteral("Date_End") ? QStringLiteral("03032021")
                                                                                : QStringLiteral("12")));
            QVERIFY2(s.window->Apply_Records_Btn->isEnabled(), qPrintable(field));
        }
        s.window->SetSaveEnabled(false);
        QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, QStringLiteral("not_used_pay_days")),
                                       QStringLiteral("4")));
        QCOMPARE(s.leave().FieldByName(QStringLiteral("not_used_pay_days"))->AsInteger(), 4);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void leavingTheGridPostsTheRow()
    {
        LeaveSession s;
        QVERIFY(cardtest::typeIntoCell(s.grid, 0, cardtest::columnOf(s.grid, QStringLiteral("otz_prik")),
                                       QStringLiteral("99-о")));
        QCOMPARE(s.leave().State(), dsEdit);
        auto* navigator = cardtest::navigatorOn(*s.window, &s.dm.DS_Holiday);
        // The focus goes to a control outside the grid on the same tab.
        QWidget* outside = navigator->button(ui::DbNavigator::Post);
        outside->setFocusPolicy(Qt::StrongFocus);
        outside->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(s.leave().State(), dsBrowse);
        QCOMPARE(s.cellInDatabase(QStringLiteral("otz_prik")), QStringLiteral("99-о"));
        QVERIFY(s.messages().isEmpty());
    }

    void deletingAsksAndNoKeepsTheRow()
    {
        LeaveSession s;
        auto* navigator = cardtest::navigatorOn(*s.window, &s.dm.DS_Holiday);
        const QString count = QStringLiteral("select count(*) from Holiday where id_teacher = %1").arg(s.employee);
        const int before = s.scalar(count);
        s.dialogs.queueAnswer(Answer::No);
        navigator->click(ui::DbNavigator::Delete);
        QCOMPARE(s.dialogs.shown().size(), 1);
        QCOMPARE(s.dialogs.shown()[0].icon, ui::DialogService::Icon::Question);
        QCOMPARE(s.scalar(count), before);
        s.dialogs.queueAnswer(Answer::Yes);
        navigator->click(ui::DbNavigator::Delete);
        QCOMPARE(s.scalar(count), before - 1);
        QCOMPARE(s.grid->model()->rowCount(), before - 1);
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<LeaveTabTest>(argc, argv);
}

#include "tst_leave_tab.moc"
