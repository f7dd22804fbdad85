#include "ui/DbLookupListBox.h"

namespace zel::ui {

DbLookupListBox::DbLookupListBox(QWidget* parent)
    : QListView(parent)
{
    setModel(m_binding.model());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(&m_binding, &LookupBinding::currentRowChanged, this, &DbLookupListBox::showRow);
    // The model is reset on refills; the selection model stays the same object.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { userPicked(current); });
}

void DbLookupListBox::setListSource(TDataSource* listSource, const QString& keyField,
                                    const QString& listField)
{
    m_binding.setListSource(listSource, keyField, listField);
}

void DbLookupListBox::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_binding.setDataSource(source, fieldName);
}

void DbLookupListBox::showRow(int row)
{
    m_showing = true;
    const QModelIndex index = model()->index(row, 0);
    if (index.isValid()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    m_showing = false;
}

void DbLookupListBox::userPicked(const QModelIndex& current)
{
    if (m_showing || m_binding.isLoading() || !current.isValid())
        return;
    if (LookupListModel::sameKey(m_binding.model()->keyAt(current.row()), m_binding.keyValue()))
        return;
    if (m_binding.choose(current.row()))
        emit changed();
}

}  // namespace zel::ui
