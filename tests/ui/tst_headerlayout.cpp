#include "ui/GroupedHeaderView.h"
#include "ui/HeaderLayout.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using zel::ui::GroupedHeaderView;
using zel::ui::HeaderLayout;

class HeaderLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void singleLevelTitlesAreOneCellEach();
    void sharedPrefixSpansAdjacentColumns();
    void threeLevelsWithNestedSharing();
    void equalPrefixApartDoesNotMerge();
    void headerViewPaintsSpanOverSections();
};

void HeaderLayoutTest::singleLevelTitlesAreOneCellEach()
{
    HeaderLayout layout({"Язык", "Уровень знания", "Язык"});
    QCOMPARE(layout.levelCount(), 1);
    QCOMPARE(int(layout.cells().size()), 3);
    QCOMPARE(layout.cellAt(2, 0)->firstColumn, 2);
    QCOMPARE(layout.cellAt(2, 0)->lastColumn, 2);
}

void HeaderLayoutTest::sharedPrefixSpansAdjacentColumns()
{
    HeaderLayout layout({"Занимаемая должность", "Поступление| ", "Поступление|Дата",
                         "Поступление|№ Приказа", "Основн./по совм.", "Увольнение|Дата",
                         "Увольнение|№ Приказа"});
    QCOMPARE(layout.levelCount(), 2);

    const HeaderLayout::Cell* entry = layout.cellAt(2, 0);
    QVERIFY(entry);
    QCOMPARE(entry->text, QString("Поступление"));
    QCOMPARE(entry->firstColumn, 1);
    QCOMPARE(entry->lastColumn, 3);
    QCOMPARE(entry->lastLevel, 0);

    // A one-level title reaches down through both rows.
    const HeaderLayout::Cell* post = layout.cellAt(0, 1);
    QCOMPARE(post, layout.cellAt(0, 0));
    QCOMPARE(post->lastLevel, 1);

    QCOMPARE(layout.cellAt(1, 1)->text, QString(" "));
    QCOMPARE(layout.cellAt(3, 1)->text, QString("№ Приказа"));
    QCOMPARE(layout.cellAt(3, 1)->firstColumn, 3);

    const HeaderLayout::Cell* quit = layout.cellAt(6, 0);
    QCOMPARE(quit->text, QString("Увольнение"));
    QCOMPARE(quit->firstColumn, 5);
    QCOMPARE(quit->lastColumn, 6);
}

void HeaderLayoutTest::threeLevelsWithNestedSharing()
{
    HeaderLayout layout({"Вид отпуска", "Отпуск|Начало", "Отпуск|Конец", "Отпуск|Кол. дней",
                         "Отпуск|Приказ|№", "Отпуск|Приказ|Дата", "Не исп. дни опл.",
                         "Отозвать с отпуска|Приказ|№"});
    QCOMPARE(layout.levelCount(), 3);
    QCOMPARE(layout.cellAt(0, 2)->text, QString("Вид отпуска"));

    const HeaderLayout::Cell* leave = layout.cellAt(4, 0);
    QCOMPARE(leave->firstColumn, 1);
    QCOMPARE(leave->lastColumn, 5);

    const HeaderLayout::Cell* order = layout.cellAt(5, 1);
    QCOMPARE(order->text, QString("Приказ"));
    QCOMPARE(order->firstColumn, 4);
    QCOMPARE(order->lastColumn, 5);
    QCOMPARE(order->lastLevel, 1);

    // "Начало" is the last level of its title: it fills rows 1 and 2.
    QCOMPARE(layout.cellAt(1, 2), layout.cellAt(1, 1));
    QCOMPARE(layout.cellAt(1, 1)->text, QString("Начало"));

    // The same "Приказ" under another first level is a cell of its own.
    QCOMPARE(layout.cellAt(7, 1)->firstColumn, 7);
    QVERIFY(layout.cellAt(7, 1) != order);
}

void HeaderLayoutTest::equalPrefixApartDoesNotMerge()
{
    HeaderLayout layout({"Год|Избрания", "Название органа", "Год|Выбытия"});
    QVERIFY(layout.cellAt(0, 0) != layout.cellAt(2, 0));
    QCOMPARE(layout.cellAt(0, 0)->lastColumn, 0);
}

void HeaderLayoutTest::headerViewPaintsSpanOverSections()
{
    QStandardItemModel model(2, 3);
    model.setHorizontalHeaderLabels({"Месяц, год|Начала", "Месяц, год|Окончания", "Куда"});
    QTableView view;
    auto* header = new GroupedHeaderView(&view);
    view.setHorizontalHeader(header);
    view.setModel(&model);
    view.setColumnWidth(0, 80);
    view.setColumnWidth(1, 90);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QCOMPARE(header->layout().levelCount(), 2);
    const HeaderLayout::Cell* top = header->layout().cellAt(0, 0);
    QCOMPARE(top->text, QString("Месяц, год"));
    QCOMPARE(header->cellRect(*top).width(), 170);
    QVERIFY(header->height() >= 2 * header->fontMetrics().height());

    // A long title in a narrow column wraps, and the header grows for it.
    const int twoLevels = header->sizeHint().height();
    model.setHorizontalHeaderLabels({"Месяц, год|Начала", "Месяц, год|Окончания",
                                     "Место повышения квалификации (в том числе за рубежом)"});
    view.setColumnWidth(2, 60);
    QVERIFY(header->sizeHint().height() > twoLevels);

    // Titles changed at run time are picked up.
    model.setHorizontalHeaderLabels({"А", "Б", "В"});
    view.setColumnWidth(2, 200);
    QCOMPARE(header->layout().levelCount(), 1);
    QVERIFY(header->sizeHint().height() < twoLevels);
    QVERIFY(!header->grab().isNull());
}

QTEST_MAIN(HeaderLayoutTest)
#include "tst_headerlayout.moc"
