#pragma once
// Looking into a card tab from a test: controls by object name, the caption placed
// for a control, the group around it, grid columns, navigator buttons, and the
// embedded server's statement trace.

#include "CardSession.h"

#include "data/dataset/TDataSource.h"
#include "ui/DataSetTableModel.h"
#include "ui/DbGrid.h"
#include "ui/DbNavigator.h"
#include "ui/FlatButton.h"
#include "ui/PageControl.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "server/engine/SqliteFunctions.h"

#include <sqlite3.h>

namespace cardtest {

/// The widget of that object name in the card window; fails the test when missing.
template <typename Widget>
Widget* control(zel::TForm1& window, const char* name)
{
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no %s named %s", Widget::staticMetaObject.className(), name);
    return widget;
}

/// The text of the caption label placed for a control (the label whose buddy it is).
inline QString captionOf(const QWidget* widget)
{
    for (const QLabel* label : widget->window()->findChildren<QLabel*>())
        if (label->buddy() == widget)
            return label->text();
    return QStringLiteral("<no caption>");
}

/// The title of the nearest group around a widget.
inline QString groupOf(const QWidget* widget)
{
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (const auto* group = qobject_cast<const QGroupBox*>(w))
            return group->title();
    return QStringLiteral("<no group>");
}

/// The page index of the tab a widget sits on.
inline int pageOf(const zel::TForm1& window, const QWidget* widget)
{
    for (int i = 0; i < window.PageControl1->count(); ++i) {
        const QWidget* page = window.PageControl1->widget(i);
        if (page == widget || page->isAncestorOf(widget))
            return i;
    }
    return -1;
}

struct ColumnInfo {
    QString field;
    QString title;
    zel::ui::GridColumn::Kind kind;
};

/// Field, title and kind of every column of a grid, in display order.
inline QList<ColumnInfo> columnsOf(const zel::ui::DbGrid* grid)
{
    QList<ColumnInfo> columns;
    const zel::ui::DataSetTableModel* model = grid->tableModel();
    for (int c = 0; c < model->columnCount(); ++c)
        columns.append({model->column(c).fieldName, model->headerData(c, Qt::Horizontal).toString(),
                        model->kindOf(c)});
    return columns;
}

/// Compares a grid's columns, in display order, with the columns a test writes out.
inline void compareColumns(const zel::ui::DbGrid* grid, const QList<ColumnInfo>& expected)
{
    const QList<ColumnInfo> shown = columnsOf(grid);
    QCOMPARE(shown.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(shown[i].field, expected[i].field);
        QCOMPARE(shown[i].title, expected[i].title);
        QCOMPARE(int(shown[i].kind), int(expected[i].kind));
    }
}

inline int columnOf(const zel::ui::DbGrid* grid, const QString& field)
{
    const zel::ui::DataSetTableModel* model = grid->tableModel();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->column(c).fieldName.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

/// The navigator buttons shown, as the names the tests write out.
inline QStringList buttonsOf(const zel::ui::DbNavigator* navigator)
{
    using B = zel::ui::DbNavigator;
    const std::pair<B::Button, const char*> all[] = {
        {B::First, "First"}, {B::Prior, "Prior"}, {B::Next, "Next"},   {B::Last, "Last"},     {B::Insert, "Insert"},
        {B::Delete, "Delete"}, {B::Edit, "Edit"}, {B::Post, "Post"}, {B::Cancel, "Cancel"}, {B::Refresh, "Refresh"},
    };
    QStringList shown;
    for (const auto& [button, name] : all)
        if (navigator->button(button))
            shown << QString::fromLatin1(name);
    return shown;
}

/// The navigator of a data source on the card window; null when none.
inline zel::ui::DbNavigator* navigatorOn(zel::TForm1& window, zel::TDataSource* source)
{
    for (auto* navigator : window.findChildren<zel::ui::DbNavigator*>())
        if (navigator->dataSource() == source)
            return navigator;
    return nullptr;
}

/// Opens the cell editor of a grid cell, replaces its text and leaves the cell for
/// the next one on the row. Returns false when no editor opened.
inline bool typeIntoCell(zel::ui::DbGrid* grid, int row, int column, const QString& text)
{
    const QModelIndex index = grid->model()->index(row, column);
    QApplication::setActiveWindow(grid->window());
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentIndex(index);
    grid->edit(index);
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    if (!editor)
        return false;
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    editor->del();
    editor->setCursorPosition(0);
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, editor, Qt::Key_unknown, QString(ch), {});
        QTest::sendKeyEvent(QTest::Release, editor, Qt::Key_unknown, QString(ch), {});
    }
    // Leaving the cell for its neighbour on the same row commits it without posting the row.
    const int neighbour = column + 1 < grid->model()->columnCount() ? column + 1 : column - 1;
    grid->setCurrentIndex(index.sibling(row, neighbour));
    QCoreApplication::processEvents();
    return true;
}

/// Direct access to the demo database file beside the server, with the server's
/// collations and functions, which its tables' definitions use.
class ServerFile {
public:
    ServerFile()
    {
        const DemoDatabase& db = DemoDatabase::instance();
        const QByteArray path = (db.folder + u'/' + db.server).toUtf8();
        if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            qFatal("cannot open the demo database");
        sqlite3_busy_timeout(m_db, 5000);
        zel::server::registerServerFunctions(m_db);
    }
    ~ServerFile() { sqlite3_close(m_db); }
    ServerFile(const ServerFile&) = delete;
    ServerFile& operator=(const ServerFile&) = delete;

    void exec(const QString& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qWarning("%s: %s", qPrintable(sql), error);
        sqlite3_free(error);
    }

    /// The first column of every row of a statement, as text.
    QStringList texts(const char* sql) const
    {
        QStringList texts;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            texts << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return texts;
    }

private:
    sqlite3* m_db = nullptr;
};

/// The embedded server's statement trace, switched on for the life of the object.
class StatementTrace {
public:
    StatementTrace()
    {
        clear();
        m_file.exec(QStringLiteral("UPDATE zel_settings SET value = '1' WHERE name = 'trace'"));
    }
    ~StatementTrace() { m_file.exec(QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'")); }
    StatementTrace(const StatementTrace&) = delete;
    StatementTrace& operator=(const StatementTrace&) = delete;

    /// Every statement received since the trace was switched on, in order.
    QStringList statements() const { return m_file.texts("SELECT statement FROM zel_trace ORDER BY id"); }
    qsizetype count(const QString& statement) const { return statements().count(statement); }
    /// Statements containing a piece of text (case-insensitive).
    QStringList containing(const QString& piece) const { return statements().filter(piece, Qt::CaseInsensitive); }
    void clear() { m_file.exec(QStringLiteral("DELETE FROM zel_trace")); }

private:
    ServerFile m_file;
};

}  // namespace cardtest

namespace cardtest {

/// The control a caption on a tab page is placed for; null (with a warning) when the
/// page has no such caption or the caption is placed for nothing.
inline QWidget* controlCaptioned(const zel::TForm1& window, int page, const QString& caption)
{
    const QWidget* tab = window.PageControl1->widget(page);
    for (const QLabel* label : tab->findChildren<QLabel*>())
        if (label->text() == caption && label->buddy())
            return label->buddy();
    qWarning("no caption \"%s\" on page %d", qPrintable(caption), page);
    return nullptr;
}

/// The texts a lookup selector offers, in its order.
inline QStringList entriesOf(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

}  // namespace cardtest

namespace cardtest {

/// Gives a widget the keyboard focus in its active window.
inline bool focus(QWidget* widget)
{
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([widget] { return widget->hasFocus(); }, 1000);
}

}  // namespace cardtest
