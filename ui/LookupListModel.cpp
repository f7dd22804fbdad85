#include "ui/LookupListModel.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

namespace zel::ui {

class LookupListModel::Link : public TDataLink {
public:
    explicit Link(LookupListModel* owner)
        : m_owner(owner)
    {
    }
    void activeChanged() override { m_owner->refill(); }
    void dataSetChanged() override { m_owner->refill(); }
    void editingChanged() override { m_owner->refill(); }
    void recordChanged(TField*) override { m_owner->refill(); }
    void dataSetScrolled() override
    {
        if (m_owner->rowCount() != m_owner->listDataSet()->RecordCount())
            m_owner->refill();
        emit m_owner->listScrolled();
    }

private:
    LookupListModel* m_owner;
};

LookupListModel::LookupListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_link(std::make_unique<Link>(this))
{
}

LookupListModel::~LookupListModel() = default;

void LookupListModel::setList(TDataSource* listSource, const QString& keyField, const QString& listField)
{
    m_keyName = keyField;
    m_listName = listField;
    m_link->SetDataSource(listSource);
    if (!m_ownSource || m_ownSource.get() != listSource)
        m_ownSource.reset();
    refill();
}

void LookupListModel::setListDataSet(TDataSet* dataSet, const QString& keyField,
                                     const QString& listField)
{
    auto source = std::make_unique<TDataSource>(dataSet);
    setList(source.get(), keyField, listField);
    m_ownSource = std::move(source);
}

TDataSource* LookupListModel::listSource() const
{
    return m_link->DataSource();
}

TDataSet* LookupListModel::listDataSet() const
{
    return m_link->DataSet();
}

void LookupListModel::resolveFields()
{
    TDataSet* dataSet = listDataSet();
    const bool open = dataSet && dataSet->Active();
    m_keyField = open ? dataSet->FindField(m_keyName) : nullptr;
    m_listField = open ? dataSet->FindField(m_listName) : nullptr;
}

void LookupListModel::refill()
{
    beginResetModel();
    resolveFields();
    m_rows = m_keyField && m_listField ? listDataSet()->RecordCount() : 0;
    endResetModel();
    emit listChanged();
}

int LookupListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant LookupListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    if (role == Qt::DisplayRole)
        return m_listField->DisplayTextAt(index.row() + 1);
    if (role == KeyRole)
        return keyAt(index.row());
    return {};
}

QVariant LookupListModel::keyAt(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    return m_keyField->ValueAt(row + 1);
}

bool LookupListModel::sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return false;
    bool aNumber = false;
    bool bNumber = false;
    const qlonglong x = a.toLongLong(&aNumber);
    const qlonglong y = b.toLongLong(&bNumber);
    if (aNumber && bNumber)
        return x == y;
    return a.toString() == b.toString();
}

int LookupListModel::rowOfKey(const QVariant& key) const
{
    if (key.isNull())
        return -1;
    for (int row = 0; row < m_rows; ++row) {
        if (sameKey(keyAt(row), key))
            return row;
    }
    return -1;
}

int LookupListModel::currentListRow() const
{
    TDataSet* dataSet = listDataSet();
    if (!m_rows || !dataSet)
        return -1;
    return dataSet->RecNo() - 1;
}

}  // namespace zel::ui
