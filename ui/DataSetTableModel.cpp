#include "ui/DataSetTableModel.h"

#include "ui/DateText.h"

#include "data/DbError.h"
#include "data/ErrorText.h"
#include "data/dataset/TDataLink.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

namespace zel::ui {

class DataSetTableModel::Link : public TDataLink {
public:
    explicit Link(DataSetTableModel* owner)
        : m_owner(owner)
    {
    }
    void activeChanged() override
    {
        m_owner->beginResetModel();
        m_owner->rebuild();
        m_owner->endResetModel();
        emit m_owner->headerDataChanged(Qt::Horizontal, 0, std::max(0, m_owner->columnCount() - 1));
        emit m_owner->currentRowMoved(m_owner->currentRow());
    }
    void dataSetChanged() override
    {
        m_owner->refresh();
        emit m_owner->currentRowMoved(m_owner->currentRow());
    }
    void dataSetScrolled() override
    {
        m_owner->refresh(false);
        emit m_owner->currentRowMoved(m_owner->currentRow());
    }
    void recordChanged(TField* field) override { m_owner->rowChanged(field); }
    void stateChanged() override
    {
        m_owner->refresh(false);
        m_owner->rowChanged(nullptr);
        emit m_owner->currentRowMoved(m_owner->currentRow());
    }
    void updateData() override
    {
        if (m_owner->beforePost)
            m_owner->beforePost();
    }

private:
    DataSetTableModel* m_owner;
};

DataSetTableModel::DataSetTableModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_link(std::make_unique<Link>(this))
{
}

DataSetTableModel::~DataSetTableModel() = default;

void DataSetTableModel::setDataSource(TDataSource* source)
{
    beginResetModel();
    m_link->SetDataSource(source);
    rebuild();
    endResetModel();
}

TDataSource* DataSetTableModel::dataSource() const
{
    return m_link->DataSource();
}

TDataSet* DataSetTableModel::dataSet() const
{
    return m_link->DataSet();
}

void DataSetTableModel::setColumns(std::vector<GridColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    rebuild();
    endResetModel();
}

void DataSetTableModel::rebuild()
{
    TDataSet* ds = dataSet();
    const bool open = ds && ds->Active();
    m_effective = m_columns;
    if (m_effective.empty() && open) {
        for (TField* field : ds->Fields()) {
            if (field->Visible()) {
                GridColumn column;
                column.fieldName = field->FieldName();
                m_effective.push_back(column);
            }
        }
    }
    m_fields.assign(m_effective.size(), nullptr);
    m_targets.assign(m_effective.size(), nullptr);
    for (std::size_t i = 0; i < m_effective.size(); ++i) {
        if (!open)
            continue;
        TField* field = ds->FindField(m_effective[i].fieldName);
        m_fields[i] = field;
        if (field && field->FieldKind() == fkLookup)
            m_targets[i] = ds->FindField(field->KeyFields());
        else
            m_targets[i] = field;
    }
    m_rows = open ? ds->RecordCount() : 0;
}

void DataSetTableModel::refresh(bool repaintAll)
{
    if (m_committing) {
        m_refreshPending = true;  // after the commit, with a full repaint
        return;
    }
    m_refreshPending = false;
    TDataSet* ds = dataSet();
    const int rows = ds && ds->Active() ? ds->RecordCount() : 0;
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (repaintAll && m_rows > 0 && !m_effective.empty()) {
        // Same number of rows (a post, a sort): only the visible cells repaint.
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
    }
}

void DataSetTableModel::rowChanged(TField*)
{
    const int row = currentRow();
    if (row < 0 || row >= m_rows || m_effective.empty())
        return;
    // Lookup and calculated columns depend on other fields: repaint the row.
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int DataSetTableModel::currentRow() const
{
    TDataSet* ds = dataSet();
    if (!ds || !ds->Active() || ds->IsEmpty())
        return -1;
    return ds->RecNo() - 1;
}

GridColumn::Kind DataSetTableModel::kindOf(int column) const
{
    const GridColumn::Kind declared = m_effective.at(std::size_t(column)).kind;
    if (declared != GridColumn::Kind::Automatic)
        return declared;
    const TField* field = m_fields.at(std::size_t(column));
    if (!field)
        return GridColumn::Kind::Text;
    if (field->FieldKind() == fkLookup)
        return GridColumn::Kind::Lookup;
    if (field->DataType() == ftBoolean)
        return GridColumn::Kind::CheckBox;
    if (field->DataType() == ftDate)
        return GridColumn::Kind::Date;
    return GridColumn::Kind::Text;
}

TField* DataSetTableModel::fieldOf(int column) const
{
    return m_fields.at(std::size_t(column));
}

TField* DataSetTableModel::targetOf(int column) const
{
    return m_targets.at(std::size_t(column));
}

int DataSetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataSetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_effective.size());
}

QVariant DataSetTableModel::valueAt(TField* field, int row) const
{
    TDataSet* ds = dataSet();
    const int recNo = row + 1;
    // The row being edited shows its pending values.
    if (ds->State() != dsBrowse && recNo == ds->RecNo())
        return field->Value();
    return field->ValueAt(recNo);
}

QString DataSetTableModel::displayAt(int column, int row) const
{
    TField* field = m_fields[std::size_t(column)];
    const GridColumn::Kind kind = kindOf(column);
    if (kind == GridColumn::Kind::CheckBox)
        return {};
    const QVariant value = valueAt(field, row);
    if (value.isNull())
        return {};
    const QString& format = m_effective[std::size_t(column)].displayFormat;
    if (kind == GridColumn::Kind::Date && !format.isEmpty()) {
        const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
        return date.toString(format);
    }
    return field->displayTextOf(value);
}

QVariant DataSetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const int column = index.column();
    TField* field = m_fields[std::size_t(column)];
    if (!field)
        return {};
    const GridColumn::Kind kind = kindOf(column);
    switch (role) {
    case Qt::DisplayRole:
        return displayAt(column, index.row());
    case Qt::EditRole:
    case CommitRole: {
        if (kind == GridColumn::Kind::Lookup) {
            TField* key = m_targets[std::size_t(column)];
            return key ? valueAt(key, index.row()) : QVariant();
        }
        const QVariant value = valueAt(field, index.row());
        if (kind == GridColumn::Kind::Date) {
            if (value.isNull())
                return DateText::emptyMask();
            const QDate date = value.typeId() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
            return DateText::format(date);
        }
        if (kind == GridColumn::Kind::CheckBox)
            return !value.isNull() && value.toBool();
        return field->textOf(value);
    }
    case Qt::CheckStateRole:
        if (kind != GridColumn::Kind::CheckBox)
            return {};
        return valueAt(field, index.row()).toBool() ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return {};  // rows carry no numbers; RowIndicatorHeader marks the current one
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& column = m_effective[std::size_t(section)];
    if (!column.title.isEmpty())
        return column.title;
    const TField* field = m_fields[std::size_t(section)];
    return field ? field->DisplayLabel() : column.fieldName;
}

Qt::ItemFlags DataSetTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const GridColumn& column = m_effective[std::size_t(index.column())];
    const TField* target = m_targets[std::size_t(index.column())];
    const bool writable = !m_readOnly && !column.readOnly && target && target->FieldKind() == fkData
                          && !target->ReadOnly();
    if (writable) {
        if (kindOf(index.column()) == GridColumn::Kind::CheckBox)
            flags |= Qt::ItemIsUserCheckable;
        else
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool DataSetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    QVariant committed = value;
    if (kindOf(index.column()) == GridColumn::Kind::CheckBox) {
        if (role == Qt::CheckStateRole)
            committed = value.toInt() == Qt::Checked;
        else
            committed = value.toBool();
    } else if (role != Qt::EditRole && role != CommitRole) {
        return false;
    }
    return commit(index.row(), index.column(), committed);
}

bool DataSetTableModel::startEditing(int row)
{
    TDataSet* ds = dataSet();
    if (!ds || !ds->Active())
        return false;
    if (!ds->IsEmpty() && ds->RecNo() != row + 1)
        ds->SetRecNo(row + 1);
    return m_link->Edit();
}

bool DataSetTableModel::commit(int row, int column, const QVariant& value)
{
    if (m_committing)
        return false;
    m_committing = true;
    m_lastError.clear();
    bool stored = false;
    try {
        TDataSet* ds = dataSet();
        if (!ds->IsEmpty() && ds->RecNo() != row + 1)
            ds->SetRecNo(row + 1);
        const GridColumn::Kind kind = kindOf(column);
        CellCommit commit;
        commit.field = m_targets[std::size_t(column)];
        commit.column = column;
        commit.text = value.toString();
        commit.value = value;
        commit.storeValue = kind == GridColumn::Kind::Lookup || kind == GridColumn::Kind::CheckBox;
        if (const CellCommitHook& hook = m_effective[std::size_t(column)].onCommit)
            hook(commit);
        if (!commit.cancel) {
            if (!m_link->Edit())
                throw DataError(QStringLiteral("Данные нельзя изменить."));
            if (commit.storeValue)
                commit.field->SetValue(commit.value);
            else
                commit.field->SetAsString(commit.text);
            stored = true;
        }
    } catch (const Error& failure) {
        m_lastError = errorTextForUser(failure);
    }
    m_committing = false;
    if (m_refreshPending)
        refresh(true);
    rowChanged(nullptr);
    if (stored)
        emit cellCommitted(row, column);
    return m_lastError.isEmpty();
}

}  // namespace zel::ui
