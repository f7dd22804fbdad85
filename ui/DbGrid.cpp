#include "ui/DbGrid.h"

#include "ui/DataSetTableModel.h"
#include "ui/GridItemDelegate.h"
#include "ui/GroupedHeaderView.h"
#include "ui/MessageBoxes.h"
#include "ui/RowIndicatorHeader.h"

#include "data/DbError.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

#include <set>

namespace zel::ui {

DbGrid::DbGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new DataSetTableModel(this))
    , m_delegate(new GridItemDelegate(m_model, this))
    , m_header(new GroupedHeaderView(this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setAlternatingRowColors(false);
    auto* indicator = new RowIndicatorHeader(this);
    indicator->setCurrentRowSource([this] { return m_model->currentRow(); });
    setVerticalHeader(indicator);
    indicator->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(m_model, &DataSetTableModel::currentRowMoved, indicator, &RowIndicatorHeader::currentRowMoved);

    m_model->beforePost = [this] { writeEditorBeforePost(); };
    connect(m_model, &DataSetTableModel::currentRowMoved, this, &DbGrid::followDataSet);
    connect(m_model, &DataSetTableModel::cellCommitted, this, &DbGrid::cellCommitted);
    connect(m_delegate, &GridItemDelegate::editorChangedByUser, this, &DbGrid::startEditing);
    // A reset closes an open editor, and the view then picks a current cell of
    // its own; that must not move the dataset.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_resetting = true; });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_resetting = false;
        applyColumnWidths();
        followDataSet(m_model->currentRow());
    });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClicked(index.row(), index.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit cellDoubleClicked(index.row(), index.column()); });
    connect(qApp, &QApplication::focusChanged, this, &DbGrid::focusMoved);
}

DbGrid::~DbGrid()
{
    disconnect(qApp, nullptr, this, nullptr);
    m_model->beforePost = nullptr;
}

void DbGrid::setDataSource(TDataSource* source)
{
    m_model->setDataSource(source);
}

TDataSource* DbGrid::dataSource() const
{
    return m_model->dataSource();
}

void DbGrid::setColumns(std::vector<GridColumn> columns)
{
    m_columns = columns;
    m_model->setColumns(std::move(columns));
}

void DbGrid::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
}

bool DbGrid::isReadOnly() const
{
    return m_model->isReadOnly();
}

void DbGrid::setRowSelect(bool rowSelect)
{
    setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DbGrid::setMultiSelect(bool multiSelect)
{
    if (multiSelect)
        setRowSelect(true);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
}

void DbGrid::setFitColumns(bool fit)
{
    m_fitColumns = fit;
    applyColumnWidths();
}

void DbGrid::applyColumnWidths()
{
    const int charWidth = fontMetrics().horizontalAdvance(u'0');
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const GridColumn& declared = m_model->column(column);
        int width = declared.width;
        if (width <= 0) {
            const TField* field = m_model->fieldOf(column);
            const int chars = field ? std::clamp(field->DisplayWidth(), 4, 40) : 10;
            width = chars * charWidth + 8;
        }
        setColumnWidth(column, width);
        m_header->setSectionResizeMode(column, m_fitColumns ? QHeaderView::Stretch
                                                            : QHeaderView::Interactive);
    }
}

QList<int> DbGrid::selectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && currentIndex().isValid())
        rows.insert(currentIndex().row());
    return QList<int>(rows.begin(), rows.end());
}

void DbGrid::followDataSet(int row)
{
    if (m_following)
        return;
    m_following = true;
    const QModelIndex current = currentIndex();
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
    } else if (!current.isValid() || current.row() != row) {
        const int column = current.isValid() ? current.column() : 0;
        const QModelIndex target = m_model->index(row, std::max(column, 0));
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (selectionBehavior() == QAbstractItemView::SelectRows)
            flags |= QItemSelectionModel::Rows;
        selectionModel()->setCurrentIndex(target, flags);
        scrollTo(target);
    }
    m_following = false;
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || m_resetting || !current.isValid() || current.row() == m_model->currentRow())
        return;
    TDataSet* dataSet = m_model->dataSet();
    if (!dataSet || !dataSet->Active())
        return;
    m_following = true;
    bool moved = true;
    try {
        dataSet->SetRecNo(current.row() + 1);
    } catch (const std::exception& failure) {
        moved = false;
        MessageBoxes::showException(this, failure);
    }
    m_following = false;
    if (!moved || current.row() != m_model->currentRow()) {
        // The move failed or the rows shifted: show the dataset's row again.
        QTimer::singleShot(0, this, [this] { followDataSet(m_model->currentRow()); });
    }
}

bool DbGrid::commitEditor()
{
    QWidget* editor = m_delegate->openEditor();
    if (!editor || state() != QAbstractItemView::EditingState)
        return true;
    m_model->clearLastError();
    m_delegate->setModelData(editor, m_model, m_delegate->openIndex());
    if (m_model->lastError().isEmpty()) {
        forgetRefusal(editor);
        return true;
    }
    reportRefusal(editor);
    editor->setFocus();
    return false;
}

void DbGrid::writeEditorBeforePost()
{
    QWidget* editor = m_delegate->openEditor();
    if (!editor || state() != QAbstractItemView::EditingState)
        return;
    m_model->clearLastError();
    m_delegate->setModelData(editor, m_model, m_delegate->openIndex());
    if (m_model->lastError().isEmpty()) {
        forgetRefusal(editor);
        return;
    }
    // The post's caller shows a new refusal; one the user has seen stops the post silently.
    if (!noteRefusal(editor))
        throw AbortSignal();
    throw DataError(m_model->lastError());
}

void DbGrid::startEditing(QWidget* editor, const QModelIndex& index)
{
    if (!index.isValid() || editor != m_delegate->openEditor())
        return;
    TDataSet* dataSet = m_model->dataSet();
    if (!dataSet || !dataSet->Active())
        return;
    const TDataSetState state = dataSet->State();
    if ((state == dsEdit || state == dsInsert) && index.row() == m_model->currentRow())
        return;
    bool editing = false;
    try {
        editing = m_model->startEditing(index.row());
    } catch (const std::exception& failure) {
        MessageBoxes::showException(this, failure);
    }
    // Not writable: the cell's value goes back, as in a bound edit.
    if (!editing && editor == m_delegate->openEditor())
        m_delegate->reloadEditor(editor, index);
}

bool DbGrid::noteRefusal(QWidget* editor)
{
    const QVariant value = m_delegate->editorValue(editor);
    const QString& message = m_model->lastError();
    if (m_refusal.editor == editor && m_refusal.value == value && m_refusal.message == message)
        return false;
    m_refusal = {editor, value, message};
    return true;
}

void DbGrid::reportRefusal(QWidget* editor)
{
    // Noted before the box opens: the box takes the focus, and the editor's
    // focus-out commits the same text again.
    if (noteRefusal(editor))
        MessageBoxes::error(this, m_refusal.message, MessageBoxes::applicationTitle());
}

void DbGrid::forgetRefusal(QWidget* editor)
{
    // A stored value ends the refusal: the same text typed again later is news.
    if (m_refusal.editor == editor)
        m_refusal = {};
}

bool DbGrid::holdsRefusedText(QWidget* editor) const
{
    return editor && m_refusal.editor == editor && m_refusal.value == m_delegate->editorValue(editor);
}

void DbGrid::commitData(QWidget* editor)
{
    m_model->clearLastError();
    QTableView::commitData(editor);
    if (m_model->lastError().isEmpty())
        forgetRefusal(editor);
    else
        reportRefusal(editor);
}

void DbGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool enter = m_delegate->takeEnterPressed();
    if (hint != QAbstractItemDelegate::RevertModelCache && holdsRefusedText(editor)) {
        // The value was refused: the typed text stays for correction.
        editor->setFocus();
        return;
    }
    forgetRefusal(editor);
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (hint == QAbstractItemDelegate::RevertModelCache)
        cancelPendingRow(false);
    if (enter && m_enterMovesToNextCell)
        moveToNextCell();
}

bool DbGrid::cancelPendingRow(bool modifiedToo)
{
    TDataSet* dataSet = m_model->dataSet();
    if (!dataSet || !dataSet->Active() || (dataSet->State() != dsEdit && dataSet->State() != dsInsert))
        return false;
    if (dataSet->Modified() && !modifiedToo)
        return false;
    try {
        dataSet->Cancel();
    } catch (const std::exception& failure) {
        MessageBoxes::showException(this, failure);
    }
    return true;
}

void DbGrid::moveToNextCell()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    int row = current.row();
    int column = current.column() + 1;
    while (column < m_model->columnCount() && isColumnHidden(column))
        ++column;
    if (column >= m_model->columnCount()) {
        if (row + 1 >= m_model->rowCount())
            return;
        ++row;
        column = 0;
    }
    setCurrentIndex(m_model->index(row, column));
}

void DbGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_enterMovesToNextCell && state() != QAbstractItemView::EditingState) {
        moveToNextCell();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier
        && state() != QAbstractItemView::EditingState && !isReadOnly() && cancelPendingRow(true)) {
        return;  // otherwise Escape goes on to the window (a dialog closes)
    }
    QTableView::keyPressEvent(event);
}

bool DbGrid::contains(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == this)
            return true;
    }
    return false;
}

void DbGrid::focusMoved(QWidget* from, QWidget* to)
{
    if (!to || !contains(from) || contains(to))
        return;
    emit focusLeft();
}

}  // namespace zel::ui
