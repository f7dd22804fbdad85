#pragma once
// Checks of a card tab's widgets against the expectations written out in a test:
// what a control is bound to, what its caption reads, what a grid's columns show.
// Everything is read from the widgets as built, never from the rows they were built from.

#include "CardSession.h"
#include "TabInspection.h"

#include "card/CardTab.h"
#include "ui/DataSetTableModel.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/EnterChain.h"
#include "ui/FlatButton.h"

#include <QGroupBox>
#include <QLabel>


namespace cardtest {

/// A data control as the user sees it: its name, what it shows and its caption.
struct Binding {
    const char* name;
    const zel::TDataSource* source;
    const char* field;
    const char* caption;  ///< nullptr: no caption
};

inline zel::ui::FieldDataLink* linkOf(QWidget* control)
{
    using namespace zel::ui;
    if (auto* edit = qobject_cast<DbEdit*>(control))
        return &edit->dataLink();
    if (auto* date = qobject_cast<DbDateEdit*>(control))
        return &date->dataLink();
    if (auto* memo = qobject_cast<DbMemo*>(control))
        return &memo->dataLink();
    if (auto* check = qobject_cast<DbCheckBox*>(control))
        return &check->dataLink();
    if (auto* box = qobject_cast<DbLookupComboBox*>(control))
        return &box->binding().dataLink();
    return nullptr;
}

/// The text a control's caption shows: its label, or a check box's own text.
inline QString captionText(QWidget* control)
{
    if (const QLabel* label = zel::CardTab::captionOf(control))
        return label->text();
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return check->text();
    return QString();
}

inline void checkBindings(QWidget* tab, const QList<Binding>& expected)
{
    for (const Binding& b : expected) {
        auto* control = tab->findChild<QWidget*>(QString::fromLatin1(b.name));
        QVERIFY2(control, b.name);
        zel::ui::FieldDataLink* link = linkOf(control);
        QVERIFY2(link, b.name);
        QVERIFY2(link->DataSource() == b.source, b.name);
        QVERIFY2(link->fieldName().compare(QLatin1String(b.field), Qt::CaseInsensitive) == 0, b.name);
        QVERIFY2(link->field(), b.name);
        QCOMPARE(captionText(control), b.caption ? QString::fromUtf8(b.caption) : QString());
    }
}

/// A selector lists every row of its dictionary, showing the text column, in the
/// dictionary's order, and picking an entry stands for that row's key.
inline void checkLookupList(zel::ui::DbLookupComboBox* box, zel::TDataSource* list, const char* keyField,
                            const char* textField)
{
    QVERIFY(box);
    zel::TDataSet* dictionary = list->DataSet();
    QVERIFY(dictionary && dictionary->Active());
    QVERIFY(box->binding().model()->listSource() == list);
    QCOMPARE(box->count(), dictionary->RecordCount());
    QVERIFY(box->count() > 0);
    const int keep = dictionary->RecNo();
    int row = 0;
    for (dictionary->First(); !dictionary->Eof(); dictionary->Next(), ++row) {
        QCOMPARE(box->itemText(row), dictionary->FieldByName(QString::fromLatin1(textField))->AsString());
        QVERIFY(zel::ui::LookupListModel::sameKey(box->binding().model()->keyAt(row),
                                                  dictionary->FieldByName(QString::fromLatin1(keyField))->Value()));
    }
    dictionary->SetRecNo(keep);
}

/// One grid column as shown: field, header title (levels split by "|") and kind.
struct Column {
    const char* field;
    const char* title;
    zel::ui::GridColumn::Kind kind = zel::ui::GridColumn::Kind::Text;
    const char* displayFormat = nullptr;
};

inline void checkGrid(zel::ui::DbGrid* grid, const zel::TDataSource* source, const QList<Column>& expected)
{
    QVERIFY(grid);
    QVERIFY(grid->dataSource() == source);
    zel::ui::DataSetTableModel* model = grid->tableModel();
    QCOMPARE(model->columnCount(), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const Column& c = expected[i];
        QVERIFY2(model->fieldOf(i), c.field);
        QCOMPARE(model->fieldOf(i)->FieldName().toLower(), QString::fromLatin1(c.field).toLower());
        QCOMPARE(model->headerData(i, Qt::Horizontal).toString(), QString::fromUtf8(c.title));
        QCOMPARE(int(model->kindOf(i)), int(c.kind));
        QCOMPARE(model->column(i).displayFormat, QString::fromLatin1(c.displayFormat));
    }
}

/// The navigator offers exactly these buttons with these hints.
inline void checkNavigator(zel::ui::DbNavigator* navigator, const zel::TDataSource* source,
                           const QList<std::pair<zel::ui::DbNavigator::Button, QString>>& buttons)
{
    using Nav = zel::ui::DbNavigator;
    QVERIFY(navigator);
    QVERIFY(navigator->dataSource() == source);
    int shown = 0;
    for (Nav::Button b : {Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Insert, Nav::Delete, Nav::Edit,
                          Nav::Post, Nav::Cancel, Nav::Refresh})
        shown += navigator->button(b) ? 1 : 0;
    QCOMPARE(shown, int(buttons.size()));
    for (const auto& [b, hint] : buttons) {
        QVERIFY(navigator->button(b));
        QCOMPARE(navigator->button(b)->hint(), hint);
    }
}

/// The titles of the group boxes of a tab.
inline QStringList groupTitles(QWidget* tab)
{
    QStringList titles;
    for (const QGroupBox* group : tab->findChildren<QGroupBox*>())
        titles << group->title();
    return titles;
}

/// The index of the model cell of a field's column.
inline QModelIndex cell(zel::ui::DbGrid* grid, int row, const char* field)
{
    zel::ui::DataSetTableModel* model = grid->tableModel();
    for (int column = 0; column < model->columnCount(); ++column)
        if (model->fieldOf(column) && model->fieldOf(column)->FieldName().compare(QLatin1String(field),
                                                                                   Qt::CaseInsensitive) == 0)
            return model->index(row, column);
    return {};
}

/// Commits a text into a cell as the grid's editor does.
inline bool commitCell(zel::ui::DbGrid* grid, int row, const char* field, const QVariant& value)
{
    const QModelIndex index = cell(grid, row, field);
    return index.isValid() && grid->tableModel()->setData(index, value, Qt::EditRole);
}

/// The demo employee with the most sections filled (relatives, work, courses, awards,
/// trips, elected bodies, languages, party, pension), for pictures of full tabs.
inline int richestEmployee(CardSession& s)
{
    QString score;
    for (const char* table : {"family_", "Work", "Kvalifikation", "Nagrada", "Abroad", "Elect_org",
                              "Language_OPTIONS", "Partiya", "Pensioners", "Experience"})
        score += QStringLiteral(" + (case when exists (select 1 from %1 x where x.id_teacher = t.id_teacher)"
                                " then 1 else 0 end)")
                     .arg(QLatin1String(table));
    return s.scalar(QStringLiteral("select top 1 t.id_teacher from TEACHER t where t.id_teacher <> 1 order by 0")
                    + score + QStringLiteral(" desc, t.id_teacher"));
}

/// Loads the richest demo employee on a shown card with the directory closed;
/// returns the employee's key.
inline int showRichestEmployee(CardSession& s)
{
    const int key = richestEmployee(s);
    s.loadEmployee(key);
    s.directory()->close();
    s.window->show();
    return key;
}

/// Saves a picture of the whole card when ZEL_SCREENSHOTS names a folder.
inline void screenshot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZEL_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    // Let the layouts settle after showing.
    QTest::qWait(200);
    window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

}  // namespace cardtest
