#pragma once

#include "ui/GridColumn.h"

#include <QPointer>
#include <QTableView>

#include <vector>

namespace zel {
class TDataSource;
}

namespace zel::ui {

class DataSetTableModel;
class GridItemDelegate;
class GroupedHeaderView;

/// Grid over the dataset of a data source: titled columns in the given order
/// (multi-level titles with "|"), in-place editing or read-only, whole-row and
/// multi-row selection. The grid's current row is the dataset's current row:
/// clicking a row moves the dataset (which posts or cancels a pending row), and
/// a move of the dataset moves the grid. The user's first change in a cell
/// editor puts the dataset into edit state, and the open editor is written
/// before the dataset posts. A value the field refuses stays in the editor and
/// is reported once: committing the same text again (Enter, leaving the cell,
/// a post, closing the window) refuses it without a second message.
/// Escape in a cell editor takes back its text, and with it the row's edit
/// when nothing else of the row was changed; Escape with no editor open
/// cancels the row's pending changes (a new row disappears).
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);
    ~DbGrid() override;

    void setDataSource(TDataSource* source);
    TDataSource* dataSource() const;
    /// Columns in display order; empty = every visible field.
    void setColumns(std::vector<GridColumn> columns);
    DataSetTableModel* tableModel() const { return m_model; }
    GroupedHeaderView* groupedHeader() const { return m_header; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    /// Selects whole rows instead of cells.
    void setRowSelect(bool rowSelect);
    /// Lets several rows be selected (Ctrl/Shift click); implies row selection.
    void setMultiSelect(bool multiSelect);
    /// Enter moves to the next cell (the first cell of the next row after the last).
    void setEnterMovesToNextCell(bool enabled) { m_enterMovesToNextCell = enabled; }
    /// Column widths follow the grid's width (the last column stretches).
    void setFitColumns(bool fit);

    /// Rows selected now (ascending); the current row when nothing is selected.
    QList<int> selectedRows() const;

    /// Writes an open cell editor into its field. Returns false (the error is
    /// shown unless it was for this very text, the editor stays) when the field
    /// refuses the value.
    bool commitEditor();
    /// A cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

signals:
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);
    /// A cell's value was committed into its field.
    void cellCommitted(int row, int column);
    /// The focus went from the grid (or its editors) to a widget outside it.
    void focusLeft();

protected:
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyColumnWidths();
    void followDataSet(int row);
    void moveToNextCell();
    /// Cancels the dataset's pending row, one with changes only if modifiedToo;
    /// false when there was nothing to cancel.
    bool cancelPendingRow(bool modifiedToo);
    void writeEditorBeforePost();
    /// The user changed an open editor: its row enters edit state, or the
    /// editor takes the cell's value back when the row cannot be edited.
    void startEditing(QWidget* editor, const QModelIndex& index);
    /// Records that the model refused editor's value; returns whether this
    /// refusal is new (the same text refused for the same reason is not).
    bool noteRefusal(QWidget* editor);
    /// Shows the model's last error unless it was shown for this text already.
    void reportRefusal(QWidget* editor);
    void forgetRefusal(QWidget* editor);
    /// The editor still holds the text that was refused.
    bool holdsRefusedText(QWidget* editor) const;
    void focusMoved(QWidget* from, QWidget* to);
    bool contains(const QWidget* widget) const;

    DataSetTableModel* m_model;
    GridItemDelegate* m_delegate;
    GroupedHeaderView* m_header;
    std::vector<GridColumn> m_columns;
    /// The last refused value: the editor, its value then and the reason.
    struct Refusal {
        QPointer<QWidget> editor;
        QVariant value;
        QString message;
    };
    Refusal m_refusal;
    bool m_following = false;
    bool m_resetting = false;
    bool m_enterMovesToNextCell = false;
    bool m_fitColumns = false;
};

}  // namespace zel::ui
