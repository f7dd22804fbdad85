#include "UiTestSupport.h"

#include "ui/DataSetTableModel.h"
#include "ui/DbGrid.h"
#include "ui/DbNavigator.h"
#include "ui/GroupedHeaderView.h"
#include "ui/ScriptedDialogService.h"

#include "data/DbError.h"
#include "data/dataset/TField.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace zel;
using namespace zel::ui;
using zel::db::SqlType;

class DbGridTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void columnsTitlesAndHeaderCells();
    void clickingRowMovesDataSetAndPostsPendingRow();
    void emptyDateCommitStoresNull();
    void partlyTypedDateIsRefusedNotNull();
    void editorTextSavedByPost();
    void lookupColumnShowsTextAndWritesKey();
    void checkBoxColumnAndReadOnlyGrid();
    void enterMovesToNextCell();
    void focusLeaveAndClickSignals();
    void insertedRowIsEditedInPlace();
    void refusedPostOnRowChangeKeepsTheRow();
    void typingIntoAnEditorOpenedWhileBrowsingIsPosted();
    void refusedTextIsShownOnceAndStaysInTheEditor();
    void refusedTextIsShownOnceWhenTheBoxTakesTheFocus();
    void typingIntoARowThatCannotBeEditedIsUndone();
    void escapeTakesBackTheEditorAndThenTheRow();

private:
    struct Fixture {
        std::shared_ptr<TADOConnection> connection = support::openConnection();
        support::Query kinds{connection, "holiday_type"};
        support::Query holiday{connection, "Holiday"};
        Fixture()
        {
            kinds->Open();
            holiday->DeclareFields({
                {.name = "id_vacation", .type = ftAutoInc},
                {.name = "id_type", .type = ftInteger},
                {.name = "Holiday_type", .type = ftString, .size = 40, .kind = fkLookup,
                 .keyFields = "id_type", .lookupDataSet = kinds.query.get(),
                 .lookupKeyFields = "id_type", .lookupResultField = "name"},
                {.name = "from_d", .type = ftDate},
                {.name = "N_Days", .type = ftInteger},
                {.name = "paid", .type = ftBoolean},
                {.name = "N_prikaz", .type = ftString, .size = 10},
            });
            holiday->Open();
        }
    };
    /// The grid over the holiday rows above a line edit that can take the focus from it.
    struct GridWindow {
        QWidget window;
        DbGrid* grid = new DbGrid;
        QLineEdit* other = new QLineEdit;
        GridWindow(Fixture& f, const std::vector<GridColumn>& columns)
        {
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(grid);
            layout->addWidget(other);
            grid->setDataSource(f.holiday.source.get());
            grid->setColumns(columns);
            window.resize(600, 300);
            window.show();
        }
    };
    std::vector<GridColumn> columns() const;
    /// Binds the grid to the holiday rows with the usual columns and shows it.
    bool showOverHolidays(DbGrid& grid, Fixture& f) const
    {
        grid.setDataSource(f.holiday.source.get());
        grid.setColumns(columns());
        grid.resize(600, 300);
        grid.show();
        return QTest::qWaitForWindowExposed(&grid);
    }
    QLineEdit* openLineEditor(DbGrid& grid, int row, int column);

    fake::Table* m_holiday = nullptr;
};

void DbGridTest::init()
{
    auto& db = fake::Database::instance();
    db.reset();
    auto& kinds = db.create("holiday_type", {{"id_type", SqlType::Int}, {"name", SqlType::NVarChar, 40}});
    kinds.add({1, "ежегодный"});
    kinds.add({2, "учебный"});
    m_holiday = &db.create("Holiday", {{"id_vacation", SqlType::Int},
                                       {"id_type", SqlType::Int},
                                       {"from_d", SqlType::Date},
                                       {"N_Days", SqlType::Int},
                                       {"paid", SqlType::Bit},
                                       {"N_prikaz", SqlType::NVarChar, 10}});
    m_holiday->add({QVariant(), 1, QDate(2020, 7, 1), 24, true, "12-к"});
    m_holiday->add({QVariant(), 2, QDate(2021, 1, 10), 10, false, "3-к"});
    m_holiday->add({QVariant(), 7, QVariant(), 5, false, ""});
}

std::vector<GridColumn> DbGridTest::columns() const
{
    std::vector<GridColumn> list(5);
    list[0].fieldName = "Holiday_type";
    list[0].title = "Вид отпуска";
    list[1].fieldName = "from_d";
    list[1].title = "Отпуск|Начало";
    list[1].kind = GridColumn::Kind::Date;
    list[1].displayFormat = "dd.MM.yyyy";
    list[1].onCommit = CommitHooks::emptyDateIsNull();
    list[2].fieldName = "N_Days";
    list[2].title = "Отпуск|Кол. дней";
    list[2].width = 60;
    list[3].fieldName = "N_prikaz";
    list[3].title = "Отпуск|Приказ|№";
    list[4].fieldName = "paid";
    list[4].title = "Отпуск|Приказ|Оплачен";
    return list;
}

QLineEdit* DbGridTest::openLineEditor(DbGrid& grid, int row, int column)
{
    const QModelIndex index = grid.model()->index(row, column);
    grid.setCurrentIndex(index);
    grid.edit(index);
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

void DbGridTest::columnsTitlesAndHeaderCells()
{
    Fixture f;
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));

    QCOMPARE(grid.model()->rowCount(), 3);
    QCOMPARE(grid.model()->columnCount(), 5);
    QCOMPARE(grid.columnWidth(2), 60);
    QCOMPARE(grid.model()->index(0, 0).data().toString(), QString("ежегодный"));
    QCOMPARE(grid.model()->index(1, 1).data().toString(), QString("10.01.2021"));
    QVERIFY(grid.model()->index(2, 1).data().toString().isEmpty());
    QVERIFY(grid.model()->index(2, 0).data().toString().isEmpty());  // key 7 has no dictionary row

    const HeaderLayout& header = grid.groupedHeader()->layout();
    QCOMPARE(header.levelCount(), 3);
    const HeaderLayout::Cell* leave = header.cellAt(1, 0);
    QCOMPARE(leave->text, QString("Отпуск"));
    QCOMPARE(leave->firstColumn, 1);
    QCOMPARE(leave->lastColumn, 4);
    const HeaderLayout::Cell* order = header.cellAt(4, 1);
    QCOMPARE(order->text, QString("Приказ"));
    QCOMPARE(order->firstColumn, 3);
    QCOMPARE(grid.groupedHeader()->cellRect(*order).width(), grid.columnWidth(3) + grid.columnWidth(4));
    QCOMPARE(header.cellAt(0, 2)->text, QString("Вид отпуска"));
}

void DbGridTest::clickingRowMovesDataSetAndPostsPendingRow()
{
    Fixture f;
    DbGrid grid;
    grid.setDataSource(f.holiday.source.get());
    grid.setColumns(columns());
    grid.setRowSelect(true);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.currentIndex().row(), 0);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 2)).center());
    QCOMPARE(f.holiday->RecNo(), 3);

    // A change of the dataset's row moves the grid.
    f.holiday->First();
    QCOMPARE(grid.currentIndex().row(), 0);

    // Edit row 1 in place, then click another row: the row is posted.
    f.holiday->Edit();
    f.holiday->FieldByName("N_Days")->SetAsInteger(28);
    QCOMPARE(grid.model()->index(0, 2).data().toString(), QString("28"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 2)).center());
    QCOMPARE(f.holiday->RecNo(), 2);
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(m_holiday->rows[0][3].toInt(), 28);

    // Several rows can be selected.
    grid.setMultiSelect(true);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid.visualRect(grid.model()->index(2, 2)).center());
    QCOMPARE(grid.selectedRows(), QList<int>({1, 2}));
}

void DbGridTest::emptyDateCommitStoresNull()
{
    Fixture f;
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));
    QVERIFY(support::focus(&grid));

    QLineEdit* editor = openLineEditor(grid, 0, 1);
    QVERIFY(editor);
    QCOMPARE(editor->displayText(), QString("01.07.2020"));
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QCOMPARE(editor->displayText(), QString("  .  .    "));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid.isEditing());
    QVERIFY(f.holiday->FieldByName("from_d")->IsNull());
    QVERIFY(grid.model()->index(0, 1).data().toString().isEmpty());
    f.holiday->Post();
    QVERIFY(m_holiday->rows[0][2].isNull());

    // Without the rule the empty mask is an invalid date.
    ScriptedDialogService dialogs;
    auto plain = columns();
    plain[1].onCommit = nullptr;
    grid.setColumns(plain);
    editor = openLineEditor(grid, 1, 1);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QVERIFY(!grid.commitEditor());
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(f.holiday->FieldByName("from_d")->Value().toDate(), QDate(2021, 1, 10));
}

void DbGridTest::partlyTypedDateIsRefusedNotNull()
{
    Fixture f;
    ScriptedDialogService dialogs;
    GridWindow shown(f, columns());
    DbGrid* grid = shown.grid;
    QLineEdit* other = shown.other;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QVERIFY(support::focus(grid));

    QLineEdit* editor = openLineEditor(*grid, 1, 1);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    editor->setCursorPosition(0);
    support::type(editor, "150");
    QCOMPARE(editor->displayText(), QString("15.0 .    "));

    // Leaving the cell: the date is refused, the text stays in the open editor,
    // which takes the focus back.
    other->setFocus();
    QTRY_COMPARE(dialogs.shown().size(), 1);
    QTRY_VERIFY(editor->hasFocus());
    QCOMPARE(dialogs.shown()[0].icon, DialogService::Icon::Error);
    QVERIFY(!f.holiday->FieldByName("from_d")->IsNull());
    QCOMPARE(f.holiday->FieldByName("from_d")->Value().toDate(), QDate(2021, 1, 10));
    QVERIFY(grid->isEditing());
    QCOMPARE(editor->displayText(), QString("15.0 .    "));

    // Finishing the date commits it.
    editor->setCursorPosition(4);
    support::type(editor, "32022");
    QCOMPARE(editor->displayText(), QString("15.03.2022"));
    QVERIFY(grid->commitEditor());
    QCOMPARE(f.holiday->FieldByName("from_d")->Value().toDate(), QDate(2022, 3, 15));
}

void DbGridTest::editorTextSavedByPost()
{
    Fixture f;
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));
    QVERIFY(support::focus(&grid));

    int commits = 0;
    connect(&grid, &DbGrid::cellCommitted, [&](int, int column) { commits += column == 3; });
    f.holiday->Edit();
    QLineEdit* editor = openLineEditor(grid, 0, 3);
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 10);
    editor->selectAll();
    support::type(editor, "99-к");
    QCOMPARE(f.holiday->FieldByName("N_prikaz")->AsString(), QString("12-к"));
    f.holiday->Post();
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("99-к"));
    QCOMPARE(commits, 1);
}

void DbGridTest::lookupColumnShowsTextAndWritesKey()
{
    Fixture f;
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));
    QVERIFY(support::focus(&grid));

    const QModelIndex cell = grid.model()->index(2, 0);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->itemText(1), QString("учебный"));
    combo->setCurrentIndex(1);
    QVERIFY(grid.commitEditor());
    QCOMPARE(f.holiday->FieldByName("id_type")->AsInteger(), 2);
    QCOMPARE(grid.model()->index(2, 0).data().toString(), QString("учебный"));
    f.holiday->Post();
    QCOMPARE(m_holiday->rows[2][1].toInt(), 2);
}

void DbGridTest::checkBoxColumnAndReadOnlyGrid()
{
    Fixture f;
    DbGrid grid;
    grid.setDataSource(f.holiday.source.get());
    grid.setColumns(columns());
    grid.show();
    const QModelIndex paid = grid.model()->index(1, 4);
    QCOMPARE(paid.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(grid.model()->flags(paid) & Qt::ItemIsUserCheckable);
    QVERIFY(grid.model()->setData(paid, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(f.holiday->RecNo(), 2);
    QVERIFY(f.holiday->FieldByName("paid")->AsBoolean());
    f.holiday->Post();
    QCOMPARE(m_holiday->rows[1][4].toBool(), true);

    grid.setReadOnly(true);
    QVERIFY(!(grid.model()->flags(paid) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)));
    QVERIFY(!grid.model()->setData(grid.model()->index(0, 3), "x", Qt::EditRole));
    QCOMPARE(f.holiday->State(), dsBrowse);
}

void DbGridTest::enterMovesToNextCell()
{
    Fixture f;
    DbGrid grid;
    grid.setDataSource(f.holiday.source.get());
    grid.setColumns(columns());
    grid.setEnterMovesToNextCell(true);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(support::focus(&grid));

    grid.setCurrentIndex(grid.model()->index(0, 2));
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(grid.currentIndex().column(), 3);
    grid.setCurrentIndex(grid.model()->index(0, 4));
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(grid.currentIndex(), grid.model()->index(1, 0));
    QCOMPARE(f.holiday->RecNo(), 2);

    // Enter in an open editor commits and moves on.
    QLineEdit* editor = openLineEditor(grid, 1, 2);
    QVERIFY(editor);
    editor->selectAll();
    support::type(editor, "14");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(grid.currentIndex().column(), 3);
    QCOMPARE(f.holiday->FieldByName("N_Days")->AsInteger(), 14);
}

void DbGridTest::focusLeaveAndClickSignals()
{
    Fixture f;
    GridWindow shown(f, columns());
    DbGrid* grid = shown.grid;
    QLineEdit* other = shown.other;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));

    int left = 0;
    QList<int> clicked;
    QList<int> doubleClicked;
    connect(grid, &DbGrid::focusLeft, [&] { ++left; });
    connect(grid, &DbGrid::cellClicked, [&](int row, int) { clicked << row; });
    connect(grid, &DbGrid::cellDoubleClicked, [&](int row, int) { doubleClicked << row; });
    QVERIFY(support::focus(grid));

    // Moving into the grid's own editor is not leaving it.
    QLineEdit* editor = openLineEditor(*grid, 0, 3);
    QVERIFY(editor);
    QCOMPARE(left, 0);
    QVERIFY(support::focus(other));
    QCOMPARE(left, 1);

    const QPoint row2 = grid->visualRect(grid->model()->index(1, 2)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row2);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row2);
    QCOMPARE(clicked.value(0), 1);
    QCOMPARE(doubleClicked, QList<int>({1}));
}

void DbGridTest::insertedRowIsEditedInPlace()
{
    Fixture f;
    DbGrid grid;
    grid.setDataSource(f.holiday.source.get());
    grid.setColumns(columns());
    DbNavigator navigator;
    navigator.setVisibleButtons(DbNavigator::Insert | DbNavigator::Delete | DbNavigator::Post);
    navigator.setDataSource(f.holiday.source.get());
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(support::focus(&grid));

    f.holiday->Last();
    navigator.click(DbNavigator::Insert);
    QCOMPARE(f.holiday->State(), dsInsert);
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(grid.currentIndex().row(), f.holiday->RecNo() - 1);
    const int row = grid.currentIndex().row();

    QLineEdit* editor = openLineEditor(grid, row, 2);
    QVERIFY(editor);
    support::type(editor, "7");
    QVERIFY(grid.commitEditor());
    editor = openLineEditor(grid, row, 1);
    QVERIFY(editor);
    editor->setCursorPosition(0);
    support::type(editor, "01022025");
    QVERIFY(grid.commitEditor());
    QCOMPARE(f.holiday->RecNo() - 1, row);
    navigator.click(DbNavigator::Post);
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(int(m_holiday->rows.size()), 4);
    QCOMPARE(m_holiday->rows[3][3].toInt(), 7);
    QCOMPARE(m_holiday->rows[3][2].toDate(), QDate(2025, 2, 1));
    QCOMPARE(grid.model()->index(row, 1).data().toString(), QString("01.02.2025"));

    // An insert left without a value disappears when another row is clicked.
    navigator.click(DbNavigator::Insert);
    QCOMPARE(f.holiday->State(), dsInsert);
    QCOMPARE(grid.model()->rowCount(), 5);
    f.holiday->First();
    QCOMPARE(grid.model()->rowCount(), 4);
    QCOMPARE(int(m_holiday->rows.size()), 4);
    QCOMPARE(grid.currentIndex().row(), 0);
}

void DbGridTest::refusedPostOnRowChangeKeepsTheRow()
{
    Fixture f;
    ScriptedDialogService dialogs;
    f.holiday->BeforePost = [](TDataSet&) { throw DataError("Количество дней не может быть больше 60."); };
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));

    QVERIFY(grid.model()->setData(grid.model()->index(0, 2), "90", Qt::EditRole));
    QCOMPARE(f.holiday->State(), dsEdit);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 2)).center());
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].text, QString("Количество дней не может быть больше 60."));
    // Nothing is lost: the row stays current, edited, and the grid goes back to it.
    QCOMPARE(f.holiday->RecNo(), 1);
    QCOMPARE(f.holiday->State(), dsEdit);
    QCOMPARE(f.holiday->FieldByName("N_Days")->AsInteger(), 90);
    QTRY_COMPARE(grid.currentIndex().row(), 0);
    QCOMPARE(m_holiday->rows[0][3].toInt(), 24);
}

void DbGridTest::typingIntoAnEditorOpenedWhileBrowsingIsPosted()
{
    Fixture f;
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));
    QVERIFY(support::focus(&grid));
    QCOMPARE(f.holiday->RecNo(), 1);
    QCOMPARE(f.holiday->State(), dsBrowse);

    // An editor opened by program on a row that is not the current one.
    const QModelIndex order = grid.model()->index(2, 3);
    grid.edit(order);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(f.holiday->State(), dsBrowse);  // opening alone changes nothing
    editor->selectAll();
    support::type(editor, "45-к");
    QCOMPARE(f.holiday->State(), dsEdit);
    QCOMPARE(f.holiday->RecNo(), 3);
    QVERIFY(grid.isEditing());
    f.holiday->Post();
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(m_holiday->rows[2][5].toString(), QString("45-к"));
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("12-к"));

    // A pick in a lookup editor starts the edit the same way.
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid.isEditing());
    const QModelIndex kind = grid.model()->index(1, 0);
    grid.setCurrentIndex(kind);
    grid.edit(kind);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(f.holiday->State(), dsBrowse);
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(f.holiday->State(), dsEdit);
    f.holiday->Post();
    QCOMPARE(m_holiday->rows[1][1].toInt(), 1);
}

void DbGridTest::refusedTextIsShownOnceAndStaysInTheEditor()
{
    Fixture f;
    ScriptedDialogService dialogs;
    GridWindow shown(f, columns());
    DbGrid* grid = shown.grid;
    QLineEdit* other = shown.other;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QVERIFY(support::focus(grid));
    const QString refusal("Текст поля 'N_prikaz' содержит символы, которых нет в кодировке базы данных.");

    QLineEdit* editor = openLineEditor(*grid, 0, 3);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    support::type(editor, "日本");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].text, refusal);
    QCOMPARE(dialogs.shown()[0].icon, DialogService::Icon::Error);

    // Leaving the cell, writing the editor and posting all meet the same text:
    // refused every time, said no more.
    other->setFocus();
    QTRY_VERIFY(editor->hasFocus());
    QVERIFY(!grid->commitEditor());
    QString postFailure;
    try {
        f.holiday->Post();
    } catch (const AbortSignal&) {
        postFailure = "silent";
    } catch (const Error& failure) {
        postFailure = failure.message();
    }
    QCOMPARE(postFailure, QString("silent"));
    QCOMPARE(dialogs.shown().size(), 1);
    QVERIFY(grid->isEditing());
    QCOMPARE(editor->text(), QString("日本"));
    QCOMPARE(f.holiday->State(), dsEdit);
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("12-к"));

    // Another refused text is news.
    support::type(editor, "x");
    QVERIFY(!grid->commitEditor());
    QCOMPARE(dialogs.shown().size(), 2);
    QCOMPARE(dialogs.shown()[1].text, refusal);
    QCOMPARE(editor->text(), QString("日本x"));

    // Corrected, the text is stored; the bad text typed again later is news again.
    editor->selectAll();
    support::type(editor, "5-к");
    QVERIFY(grid->commitEditor());
    editor->selectAll();
    support::type(editor, "日本");
    QVERIFY(!grid->commitEditor());
    QCOMPARE(dialogs.shown().size(), 3);
    editor->selectAll();
    support::type(editor, "6-к");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
    f.holiday->Post();
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("6-к"));
    QCOMPARE(dialogs.shown().size(), 3);
}

namespace {

/// Like a real message box, takes the keyboard focus while it is shown.
class FocusTakingDialogs : public ScriptedDialogService {
public:
    explicit FocusTakingDialogs(QWidget* box) : m_box(box) {}
    Answer message(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                   Buttons buttons) override
    {
        const Answer answer = ScriptedDialogService::message(parent, caption, text, icon, buttons);
        m_box->setFocus(Qt::ActiveWindowFocusReason);
        QApplication::processEvents();
        return answer;
    }

private:
    QWidget* m_box;
};

}  // namespace

void DbGridTest::refusedTextIsShownOnceWhenTheBoxTakesTheFocus()
{
    Fixture f;
    GridWindow shown(f, columns());
    DbGrid* grid = shown.grid;
    QLineEdit* box = shown.other;
    FocusTakingDialogs dialogs(box);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QVERIFY(support::focus(grid));

    QLineEdit* editor = openLineEditor(*grid, 1, 3);
    QVERIFY(editor);
    editor->selectAll();
    support::type(editor, "€日");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(dialogs.shown().size(), 1);
    QTRY_VERIFY(editor->hasFocus());
    QTest::qWait(20);
    QCOMPARE(dialogs.shown().size(), 1);
    QVERIFY(grid->isEditing());
    QCOMPARE(editor->text(), QString("€日"));
    QCOMPARE(f.holiday->FieldByName("N_prikaz")->AsString(), QString("3-к"));
}

void DbGridTest::typingIntoARowThatCannotBeEditedIsUndone()
{
    Fixture f;
    ScriptedDialogService dialogs;
    f.holiday->BeforeEdit = [](TDataSet&) { throw DataError("Запись заблокирована другим пользователем."); };
    DbGrid grid;
    QVERIFY(showOverHolidays(grid, f));
    QVERIFY(support::focus(&grid));

    QLineEdit* editor = openLineEditor(grid, 0, 3);
    QVERIFY(editor);
    support::type(editor, "x");
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].text, QString("Запись заблокирована другим пользователем."));
    QCOMPARE(editor->text(), QString("12-к"));
    QCOMPARE(f.holiday->State(), dsBrowse);

    // A data source that does not edit on the user's change: the key is undone, silently.
    f.holiday->BeforeEdit = nullptr;
    f.holiday.source->SetAutoEdit(false);
    support::type(editor, "y");
    QCOMPARE(editor->text(), QString("12-к"));
    QCOMPARE(f.holiday->State(), dsBrowse);
    QVERIFY(grid.commitEditor());
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("12-к"));
}

void DbGridTest::escapeTakesBackTheEditorAndThenTheRow()
{
    Fixture f;
    QDialog dialog;
    auto* grid = new DbGrid(&dialog);
    (new QVBoxLayout(&dialog))->addWidget(grid);
    grid->setDataSource(f.holiday.source.get());
    grid->setColumns(columns());
    dialog.resize(600, 300);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(support::focus(grid));
    const auto typeInto = [&](int row, int column, const char* text) {
        QLineEdit* editor = openLineEditor(*grid, row, column);
        if (editor) {
            editor->selectAll();
            support::type(editor, text);
        }
        return editor;
    };

    // Only the editor's text was typed: Escape takes it back and the row's edit with it.
    QLineEdit* editor = typeInto(2, 3, "45-к");
    QVERIFY(editor);
    QCOMPARE(f.holiday->State(), dsEdit);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!grid->isEditing());
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(f.holiday->FieldByName("N_prikaz")->AsString(), QString());
    QVERIFY(dialog.isVisible());

    // A change already in the row stays when the next cell's editor is escaped...
    editor = typeInto(0, 3, "99-к");
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->isEditing());
    editor = typeInto(0, 2, "30");
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!grid->isEditing());
    QCOMPARE(f.holiday->State(), dsEdit);
    QCOMPARE(f.holiday->FieldByName("N_prikaz")->AsString(), QString("99-к"));
    QCOMPARE(f.holiday->FieldByName("N_Days")->AsInteger(), 24);
    // ...and Escape with no editor open drops the row's changes, storing nothing.
    QTest::keyClick(grid, Qt::Key_Escape);
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(f.holiday->FieldByName("N_prikaz")->AsString(), QString("12-к"));
    QCOMPARE(m_holiday->rows[0][5].toString(), QString("12-к"));
    QVERIFY(dialog.isVisible());

    // A new row disappears.
    f.holiday->Append();
    QCOMPARE(grid->model()->rowCount(), 4);
    QTest::keyClick(grid, Qt::Key_Escape);
    QCOMPARE(f.holiday->State(), dsBrowse);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(m_holiday->rows.size(), std::size_t(3));
    QVERIFY(dialog.isVisible());

    // With nothing pending, Escape is the window's: the dialog closes.
    QTest::keyClick(grid, Qt::Key_Escape);
    QTRY_VERIFY(!dialog.isVisible());
}

QTEST_MAIN(DbGridTest)
#include "tst_dbgrid.moc"
