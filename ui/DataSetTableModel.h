#pragma once

#include "ui/GridColumn.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <vector>

namespace zel {
class TDataSet;
class TDataSource;
class TField;
}

namespace zel::ui {

/// Table model over the dataset of a data source: one row per dataset row,
/// one column per GridColumn. Cells are read on demand from the dataset's
/// snapshot (nothing is copied), so a 100,000-row dataset costs only the rows
/// on screen. The current row being edited shows its pending values.
///
/// setData() commits a cell: the row is made current first (which posts or
/// cancels a pending row by the dataset's rules), the column's commit hook
/// runs, the dataset enters edit and the value goes into the field. A value the
/// field refuses leaves the cell uncommitted and lastError() holds the text.
class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Role of the value an editor starts from: the date text, the text, or
    /// for lookup columns the key.
    static constexpr int CommitRole = Qt::UserRole + 10;

    explicit DataSetTableModel(QObject* parent = nullptr);
    ~DataSetTableModel() override;

    void setDataSource(TDataSource* source);
    TDataSource* dataSource() const;
    TDataSet* dataSet() const;

    /// Replaces the columns; empty = every visible field of the dataset.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return m_columns; }
    const GridColumn& column(int index) const { return m_effective.at(std::size_t(index)); }
    /// The kind of a column with Automatic resolved from its field.
    GridColumn::Kind kindOf(int column) const;
    /// The field a column shows; null when the dataset lacks it.
    TField* fieldOf(int column) const;
    /// The field a column writes (the key field of a lookup column).
    TField* targetOf(int column) const;

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    /// Puts the dataset into edit state on row, made current first: what the
    /// user's first change in a cell editor does, so that a post writes the
    /// editor. Returns false when the data source does not let the row be
    /// edited; errors of the move or of Edit propagate.
    bool startEditing(int row);

    /// The text of the last refused commit; empty after a successful one.
    const QString& lastError() const { return m_lastError; }
    void clearLastError() { m_lastError.clear(); }
    /// The row of the dataset's current row; -1 when none.
    int currentRow() const;

    /// Called before the dataset posts: the grid writes its open editor.
    std::function<void()> beforePost;

signals:
    /// The dataset's current row moved (by anyone).
    void currentRowMoved(int row);
    /// A cell was committed into its field.
    void cellCommitted(int row, int column);

private:
    class Link;
    void rebuild();
    /// Follows the row count; repaintAll also repaints every cell (a sort, a re-read).
    void refresh(bool repaintAll = true);
    void rowChanged(TField* field);
    QVariant valueAt(TField* field, int row) const;
    QString displayAt(int column, int row) const;
    bool commit(int row, int column, const QVariant& value);

    std::unique_ptr<Link> m_link;
    std::vector<GridColumn> m_columns;
    std::vector<GridColumn> m_effective;
    std::vector<TField*> m_fields;
    std::vector<TField*> m_targets;
    int m_rows = 0;
    bool m_readOnly = false;
    bool m_committing = false;
    bool m_refreshPending = false;
    QString m_lastError;
};

}  // namespace zel::ui
