// The card's "Семейное положение" tab over the embedded demo database: its controls,
// adding and editing relatives, leaving the grid, the family status and "Обновить".
#include "TabChecks.h"

#include "card/FamilyTab.h"
#include "ui/PageControl.h"

#include <QPushButton>

using namespace zel;
using cardtest::CardSession;
using Kind = ui::GridColumn::Kind;
using Nav = ui::DbNavigator;

namespace {

int lastLogId(CardSession& s)
{
    return s.scalar(QStringLiteral("select isnull(max(id_log), 0) from ZEL_LOG"));
}

/// An employee with at least two relatives.
int employeeWithRelatives(CardSession& s)
{
    return s.scalar(QStringLiteral("select top 1 id_teacher from family_ where id_teacher <> 1"
                                   " group by id_teacher having count(*) > 1 order by id_teacher"));
}

/// Loads an employee with at least two relatives, all of them given this family
/// status first; returns the employee's key.
int loadRelativesWithStatus(CardSession& s, int status)
{
    const int key = employeeWithRelatives(s);
    cardtest::ServerFile().exec(
        QStringLiteral("UPDATE family_ SET id_family_status = %1 WHERE id_teacher = %2").arg(status).arg(key));
    s.loadEmployee(key);
    return key;
}

/// Shows the window and makes it active, so that focus moves are real.
void showActive(CardSession& s)
{
    s.window->show();
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
}

/// How many times the card was read for an employee (its relatives statement).
int cardLoads(const QStringList& statements)
{
    int loads = 0;
    for (const QString& text : statements)
        loads += text.startsWith(QStringLiteral("Select * From family_ Where id_teacher=")) ? 1 : 0;
    return loads;
}

/// Marks the procedure's parameters, so that a call (which sets them) shows.
void markStatusParameters(TDM_PUM& dm)
{
    dm.ADO_SP_Update_Family_Staus.Parameter(1).Value = -7;
    dm.ADO_SP_Update_Family_Staus.Parameter(2).Value = -8;
}

bool statusParametersUntouched(TDM_PUM& dm)
{
    return dm.ADO_SP_Update_Family_Staus.Parameter(1).Value.toInt() == -7
        && dm.ADO_SP_Update_Family_Staus.Parameter(2).Value.toInt() == -8;
}

}  // namespace

class FamilyTabTest : public QObject {
    Q_OBJECT
private slots:
    void aDemoEmployeeFillsTheTab()
    {
        CardSession s;
        const int key = cardtest::showRichestEmployee(s);
        QVERIFY(s.window->PageControl1->userSelect(1));
        QCOMPARE(s.window->PageControl1->currentIndex(), 1);
        const int relatives = s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1").arg(key));
        QVERIFY(relatives > 0);
        QCOMPARE(s.window->TabSheet2->DBGridEh2->tableModel()->rowCount(), relatives);
        QCOMPARE(s.window->DBLookupComboboxEh1->keyValue(), s.dm.ADOQ_family.FieldByName(QStringLiteral("id_family_status"))->Value());
        QVERIFY(s.messages().isEmpty());
        cardtest::screenshot(s.window.get(), QStringLiteral("tab2-family"));
    }

    void controlsCaptionsAndColumns()
    {
        CardSession s;
        s.loadEmployee(employeeWithRelatives(s));
        FamilyTab& tab = *s.window->TabSheet2;
        QCOMPARE(tab.objectName(), QStringLiteral("TabSheet2"));
        QCOMPARE(s.window->PageControl1->tabText(1), QStringLiteral("Семейное положение"));
        QCOMPARE(s.window->DBLookupComboboxEh1, tab.DBLookupComboboxEh1);
        QCOMPARE(tab.DBLookupComboboxEh1->objectName(), QStringLiteral("DBLookupComboboxEh1"));
        QCOMPARE(cardtest::captionText(tab.DBLookupComboboxEh1), QStringLiteral("Семейное положение:"));
        // Not bound to a field: the status lives on the relatives' rows.
        QVERIFY(!tab.DBLookupComboboxEh1->binding().isBound());
        cardtest::checkLookupList(tab.DBLookupComboboxEh1, &s.dm.DS_Family_status, "id_family", "p15");
        QCOMPARE(tab.RzBitBtn4->objectName(), QStringLiteral("RzBitBtn4"));
        QCOMPARE(tab.RzBitBtn4->text(), QStringLiteral("Обновить"));
        QVERIFY(cardtest::groupTitles(&tab).contains(QStringLiteral("Сведения о родственниках")));

        cardtest::checkGrid(tab.DBGridEh2, &s.dm.DS_family,
                            {
                                {"family_s", "Степень родства", Kind::Lookup},
                                {"p26", "Фамилия"},
                                {"p27", "Имя"},
                                {"p28", "Отчество"},
                                {"Date_of_birth", "Дата рождения", Kind::Date},
                                {"Address", "Адрес (прописки)"},
                                {"family_job", "Род деятельности", Kind::Lookup},
                                {"Org_Address", "Адрес учреждения"},
                            });
        QCOMPARE(tab.DBGridEh2->objectName(), QStringLiteral("DBGridEh2"));
        QCOMPARE(tab.DBGridEh2->selectionMode(), QAbstractItemView::ExtendedSelection);
        cardtest::checkNavigator(tab.DBNavigator1, &s.dm.DS_family,
                                 {{Nav::Insert, QStringLiteral("Добавить запись")},
                                  {Nav::Delete, QStringLiteral("Удалить запись")},
                                  {Nav::Post, QStringLiteral("Сохранить изменения")}});
        // The lookup column shows the dictionary's text of the row's key.
        TADOQuery& relatives = s.dm.ADOQ_family;
        QVERIFY(relatives.RecordCount() > 1);
        relatives.First();
        const QString kinship = s.rows(QStringLiteral("select stepen from Family_s where id_family_s = %1")
                                           .arg(relatives.FieldByName(QStringLiteral("id_family_s"))->AsInteger()))
                                    .value(0)
                                    .value(0);
        QCOMPARE(tab.DBGridEh2->tableModel()->data(cardtest::cell(tab.DBGridEh2, 0, "family_s")).toString(), kinship);
    }

    void enterMovesToTheNextCellAndRowsCanBeSelectedTogether()
    {
        CardSession s;
        showActive(s);
        s.loadEmployee(employeeWithRelatives(s));
        s.window->PageControl1->showPage(1);
        ui::DbGrid* grid = s.window->TabSheet2->DBGridEh2;
        grid->setFocus();
        grid->setCurrentIndex(grid->tableModel()->index(0, 6));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().column(), 7);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(grid->currentIndex().column(), 0);
        QCOMPARE(s.dm.ADOQ_family.RecNo(), 2);

        grid->selectionModel()->clearSelection();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->tableModel()->index(0, 1)).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          grid->visualRect(grid->tableModel()->index(1, 1)).center());
        QCOMPARE(grid->selectedRows(), (QList<int>{0, 1}));
    }

    void anAddedRelativeIsSavedWithTheEmployeeKeyUserAndStatus()
    {
        CardSession s;
        const int key = employeeWithRelatives(s);
        s.loadEmployee(key);
        const QVariant status = s.window->DBLookupComboboxEh1->keyValue();
        QVERIFY(!status.isNull());
        const int before = s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1").arg(key));
        FamilyTab& tab = *s.window->TabSheet2;
        s.window->SetSaveEnabled(false);

        tab.DBNavigator1->click(Nav::Insert);
        QCOMPARE(s.dm.ADOQ_family.State(), dsInsert);
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        const int row = s.dm.ADOQ_family.RecNo() - 1;
        QVERIFY(cardtest::commitCell(tab.DBGridEh2, row, "p26", QStringLiteral("Д'Арк")));
        QVERIFY(cardtest::commitCell(tab.DBGridEh2, row, "p27", QStringLiteral("Жанна")));
        QVERIFY(cardtest::commitCell(tab.DBGridEh2, row, "Date_of_birth", QStringLiteral("06.01.1992")));
        s.window->Apply_Records_Btn->click();

        QCOMPARE(s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1").arg(key)), before + 1);
        auto saved = s.rows(QStringLiteral("select id_teacher, ZEL_User, id_family_status, p27,"
                                                 " convert(varchar(10), Date_of_birth, 104)"
                                                 " from family_ where p26 = N'Д''Арк'"));
        QCOMPARE(saved.size(), 1);
        saved[0][3] = saved[0][3].trimmed();  // a fixed-width column
        QCOMPARE(saved[0], (QStringList{QString::number(key), QStringLiteral("ivanova"), status.toString(),
                                        QStringLiteral("Жанна"), QStringLiteral("06.01.1992")}));
        QCOMPARE(s.dm.ADOQ_family.State(), dsBrowse);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
    }

    void anEditedRelativeLogsOneRowPerChangedField()
    {
        CardSession s;
        const int key = employeeWithRelatives(s);
        s.loadEmployee(key);
        TADOQuery& relatives = s.dm.ADOQ_family;
        relatives.First();
        const QString id = relatives.FieldByName(QStringLiteral("id_family"))->AsString();
        const QString oldName = relatives.FieldByName(QStringLiteral("p27"))->AsString().trimmed();
        const QString oldAddress = relatives.FieldByName(QStringLiteral("Address"))->AsString();
        const int before = lastLogId(s);

        ui::DbGrid* grid = s.window->TabSheet2->DBGridEh2;
        QVERIFY(cardtest::commitCell(grid, 0, "p27", QStringLiteral("Ольга")));
        QVERIFY(cardtest::commitCell(grid, 0, "Address", QStringLiteral("ул. Токтогула, 5")));
        s.window->Apply_Records_BtnClick();

        const auto logged = s.rows(
            QStringLiteral("select [table], row_id, descr, ZEL_User from ZEL_LOG where id_log > %1 order by id_log")
                .arg(before));
        QCOMPARE(logged.size(), 2);
        QCOMPARE(logged[0][0], QStringLiteral("Family"));
        QCOMPARE(logged[0][1], id);
        QCOMPARE(logged[0][3], QStringLiteral("ivanova"));
        QCOMPARE(logged[1][0], QStringLiteral("Family"));
        QCOMPARE(logged[1][1], id);
        const QStringList texts = {logged[0][2], logged[1][2]};
        QVERIFY2(texts.contains(QStringLiteral("Поле \"Address\" изменило значение \"%1\" на \"ул. Токтогула, 5\".")
                                    .arg(oldAddress)),
                 qPrintable(texts.join(u'\n')));
        bool nameLogged = false;
        for (const QString& text : texts)
            nameLogged |= text.startsWith(QStringLiteral("Поле \"p27\" изменило значение \"") + oldName)
                && text.endsWith(QStringLiteral("\" на \"Ольга\"."));
        QVERIFY2(nameLogged, qPrintable(texts.join(u'\n')));
        QCOMPARE(s.rows(QStringLiteral("select p27 from family_ where id_family = ") + id)[0][0].trimmed(),
                 QStringLiteral("Ольга"));
    }

    void committingACellArmsSaveAndAnEmptyDateIsNull()
    {
        CardSession s;
        s.loadEmployee(employeeWithRelatives(s));
        ui::DbGrid* grid = s.window->TabSheet2->DBGridEh2;
        TADOQuery& relatives = s.dm.ADOQ_family;
        relatives.First();
        relatives.Edit();
        s.window->SetSaveEnabled(false);
        // Already in edit: only the column's own commit handler can arm Save.
        QVERIFY(cardtest::commitCell(grid, 0, "Org_Address", QStringLiteral("КНУ")));
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());

        s.window->SetSaveEnabled(false);
        QVERIFY(cardtest::commitCell(grid, 0, "Date_of_birth", QStringLiteral("  .  .    ")));
        QVERIFY(relatives.FieldByName(QStringLiteral("Date_of_birth"))->IsNull());
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());

        // A partly typed date is no empty date: the field refuses it and keeps its value.
        QVERIFY(cardtest::commitCell(grid, 0, "Date_of_birth", QStringLiteral("01.02.1990")));
        QVERIFY(!cardtest::commitCell(grid, 0, "Date_of_birth", QStringLiteral("12.0 .    ")));
        QVERIFY(!grid->tableModel()->lastError().isEmpty());
        QCOMPARE(relatives.FieldByName(QStringLiteral("Date_of_birth"))->AsDateTime().date(), QDate(1990, 2, 1));
    }

    void leavingTheGridPostsTheRelative()
    {
        CardSession s;
        showActive(s);
        const int key = employeeWithRelatives(s);
        s.loadEmployee(key);
        s.window->PageControl1->showPage(1);
        FamilyTab& tab = *s.window->TabSheet2;
        const QString id = s.dm.ADOQ_family.FieldByName(QStringLiteral("id_family"))->AsString();
        tab.DBGridEh2->setFocus();
        QTRY_VERIFY(tab.DBGridEh2->hasFocus());
        QVERIFY(cardtest::commitCell(tab.DBGridEh2, 0, "Org_Address", QStringLiteral("O'Hara & Co")));
        QCOMPARE(s.dm.ADOQ_family.State(), dsEdit);
        tab.RzBitBtn4->setFocus();
        QTRY_COMPARE(s.dm.ADOQ_family.State(), dsBrowse);
        QCOMPARE(s.rows(QStringLiteral("select Org_Address from family_ where id_family = ") + id)[0][0],
                 QStringLiteral("O'Hara & Co"));
        QVERIFY(s.messages().isEmpty());
    }

    void loadingNeverCallsTheStatusProcedure()
    {
        CardSession s;
        cardtest::ServerFile file;
        // Two employees whose first relatives have different statuses; the second
        // one's relatives disagree among themselves, which a call would undo.
        const auto pair = s.rows(QStringLiteral(
            "select top 2 id_teacher from family_ where id_teacher <> 1 group by id_teacher having count(*) > 1"
            " order by id_teacher"));
        QCOMPARE(pair.size(), 2);
        file.exec(QStringLiteral("UPDATE family_ SET id_family_status = 1 WHERE id_teacher = ") + pair[0][0]);
        file.exec(QStringLiteral("UPDATE family_ SET id_family_status = 2 WHERE id_teacher = ") + pair[1][0]);
        // The youngest relative: never the first row the card shows.
        file.exec(QStringLiteral("UPDATE family_ SET id_family_status = 5 WHERE id_family = (select id_family"
                                 " from family_ where id_teacher = %1 order by Date_of_birth desc limit 1)")
                      .arg(pair[1][0]));
        markStatusParameters(s.dm);
        s.loadEmployee(pair[0][0].toInt());
        QCOMPARE(s.window->DBLookupComboboxEh1->keyValue().toInt(), 1);
        s.loadEmployee(pair[1][0].toInt());
        QCOMPARE(s.window->DBLookupComboboxEh1->keyValue().toInt(), 2);
        s.window->RzBitBtn4Click();
        s.window->Apply_Records_BtnClick();
        QVERIFY(statusParametersUntouched(s.dm));
        QCOMPARE(s.scalar(QStringLiteral("select count(distinct id_family_status) from family_ where id_teacher = ")
                          + pair[1][0]),
                 2);
        QVERIFY(s.window->FamilyStatusLocked);
    }

    void pickingAStatusAfterEnteringTheSelectorStoresItOnce()
    {
        CardSession s;
        showActive(s);
        const int key = loadRelativesWithStatus(s, 1);
        s.window->PageControl1->showPage(1);
        ui::DbLookupComboBox* selector = s.window->DBLookupComboboxEh1;
        QCOMPARE(selector->keyValue().toInt(), 1);
        QVERIFY(s.window->FamilyStatusLocked);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());

        QStringList traced;
        int picked = 0;
        {
            cardtest::StatementTrace trace;
            selector->setFocus();
            QTRY_VERIFY(!s.window->FamilyStatusLocked);
            // The next entry of the list, picked with the keyboard.
            const int from = selector->currentIndex();
            QTest::keyClick(selector, Qt::Key_Down);
            picked = selector->binding().model()->keyAt(from + 1).toInt();
            QVERIFY(picked != 1);
            traced = trace.statements();
        }

        // Called by position: the status picked, then the employee; the card read once after it.
        QCOMPARE(s.dm.ADO_SP_Update_Family_Staus.Parameter(1).Value.toInt(), picked);
        QCOMPARE(s.dm.ADO_SP_Update_Family_Staus.Parameter(2).Value.toInt(), key);
        QCOMPARE(cardLoads(traced), 1);
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1"
                                         " and id_family_status = %2").arg(key).arg(picked)),
                 s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1").arg(key)));
        // Reloaded: the relatives carry the new status; Save is available; the selector is locked again.
        QCOMPARE(s.dm.ADOQ_family.FieldByName(QStringLiteral("id_family_status"))->AsInteger(), picked);
        QCOMPARE(selector->keyValue().toInt(), picked);
        QVERIFY(s.window->Apply_Records_Btn->isEnabled());
        QVERIFY(s.window->FamilyStatusLocked);
        QVERIFY(s.messages().isEmpty());

        // Locked: a change of the selector by the program stores nothing.
        markStatusParameters(s.dm);
        s.window->SetFamilyStatusKey(1);
        QVERIFY(statusParametersUntouched(s.dm));
        QCOMPARE(s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1"
                                         " and id_family_status = 1").arg(key)),
                 0);
    }

    void aRefusedStatusShowsTheServerMessageAndKeepsTheCard()
    {
        CardSession s;
        showActive(s);
        const int lonely = s.scalar(QStringLiteral(
            "select top 1 id_teacher from TEACHER where id_teacher <> 1"
            " and id_teacher not in (select id_teacher from family_ where id_teacher is not null)"));
        QVERIFY(lonely > 1);
        s.loadEmployee(lonely);
        s.window->PageControl1->showPage(1);
        ui::DbLookupComboBox* selector = s.window->DBLookupComboboxEh1;
        QVERIFY(selector->keyValue().isNull());
        selector->setFocus();
        QTRY_VERIFY(!s.window->FamilyStatusLocked);
        QTest::keyClick(selector, Qt::Key_Down);
        QCOMPARE(s.messages().size(), 1);
        QVERIFY2(s.messages()[0].contains(QStringLiteral("родственник")), qPrintable(s.messages()[0]));
        QCOMPARE(s.dialogs.shown()[0].icon, ui::DialogService::Icon::Error);
        QVERIFY(!s.window->Apply_Records_Btn->isEnabled());
        // Nothing was stored: the chooser shows no status again, and a new pick is acted upon.
        QVERIFY(selector->keyValue().isNull());
        QVERIFY(!s.window->FamilyStatusLocked);
        QTest::keyClick(selector, Qt::Key_Down);
        QCOMPARE(s.messages().size(), 2);
    }

    void refreshReadsTheRelativesWithItsOwnStatementAndDropsPendingEdits()
    {
        CardSession s;
        const int key = employeeWithRelatives(s);
        s.loadEmployee(key);
        TADOQuery& relatives = s.dm.ADOQ_family;
        const QString name = relatives.FieldByName(QStringLiteral("p26"))->AsString();
        QVERIFY(cardtest::commitCell(s.window->TabSheet2->DBGridEh2, 0, "p26", QStringLiteral("Изменённая")));
        QCOMPARE(relatives.State(), dsEdit);

        QStringList traced;
        {
            cardtest::StatementTrace trace;
            s.window->TabSheet2->RzBitBtn4->click();
            traced = trace.statements();
        }
        const QString statement =
            QStringLiteral("Select * FROM dbo.family_ WHERE id_teacher =%1 ORDER BY Date_of_birth ").arg(key);
        QCOMPARE(relatives.SQL(), statement);
        QVERIFY2(traced.contains(statement), qPrintable(traced.join(u'\n')));
        QCOMPARE(relatives.State(), dsBrowse);
        QCOMPARE(relatives.FieldByName(QStringLiteral("p26"))->AsString(), name);
        QCOMPARE(relatives.RecordCount(),
                 s.scalar(QStringLiteral("select count(*) from family_ where id_teacher = %1").arg(key)));

        // Without an employee there is nothing to re-read and nothing goes to the server.
        s.window->SpeedButton2Click();
        {
            cardtest::StatementTrace trace;
            s.window->RzBitBtn4Click();
            QVERIFY(trace.statements().isEmpty());
        }
        QVERIFY(s.messages().isEmpty());
    }

    void changingToTheTabShowsTheStatusOfTheRelatives()
    {
        CardSession s;
        showActive(s);
        loadRelativesWithStatus(s, 2);
        s.directory()->close();
        s.window->SetFamilyStatusKey(QVariant());
        markStatusParameters(s.dm);
        QVERIFY(s.window->PageControl1->userSelect(1));
        QCOMPARE(s.window->PageControl1->currentIndex(), 1);
        QCOMPARE(s.window->DBLookupComboboxEh1->keyValue().toInt(), 2);
        QVERIFY(statusParametersUntouched(s.dm));
    }
};

int main(int argc, char** argv)
{
    return cardtest::runCardTests<FamilyTabTest>(argc, argv);
}

#include "tst_family_tab.moc"
