#include "ui/FieldDataLink.h"

#include "ui/MessageBoxes.h"

#include "data/DbError.h"
#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

namespace zel::ui {

void FieldDataLink::setFieldName(const QString& name)
{
    m_fieldName = name;
    resolveField();
    reload();
}

void FieldDataLink::bind(TDataSource* source, const QString& fieldName)
{
    m_fieldName = fieldName;
    SetDataSource(source);  // calls activeChanged() when a dataset is there
    resolveField();
    reload();
}

bool FieldDataLink::canModify() const
{
    if (!m_field || m_field->ReadOnly() || m_field->FieldKind() != fkData)
        return false;
    TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active() && dataSet->CanModify();
}

bool FieldDataLink::beginChange()
{
    if (!canModify())
        return false;
    if (Editing())
        return true;
    try {
        return Edit();
    } catch (const std::exception& failure) {
        MessageBoxes::showException(nullptr, failure);
        return false;
    }
}

void FieldDataLink::commit()
{
    if (!m_modified || !m_field || !write)
        return;
    if (!Editing() && !beginChange())
        return;
    m_writing = true;
    try {
        write();
    } catch (...) {
        m_writing = false;
        throw;
    }
    m_writing = false;
    m_modified = false;
    reload();  // show the stored value in its display form
}

void FieldDataLink::reset()
{
    m_modified = false;
    reload();
}

void FieldDataLink::resolveField()
{
    TDataSet* dataSet = DataSet();
    m_field = (dataSet && dataSet->Active() && !m_fieldName.isEmpty())
                  ? dataSet->FindField(m_fieldName)
                  : nullptr;
}

void FieldDataLink::reload()
{
    if (!load)
        return;
    ++m_loading;
    try {
        load();
    } catch (...) {
        --m_loading;
        throw;
    }
    --m_loading;
}

void FieldDataLink::activeChanged()
{
    resolveField();
    m_modified = false;
    reload();
}

void FieldDataLink::dataSetChanged()
{
    if (m_writing)
        return;
    resolveField();
    m_modified = false;
    reload();
}

void FieldDataLink::dataSetScrolled()
{
    m_modified = false;
    reload();
}

void FieldDataLink::recordChanged(TField* field)
{
    if (m_writing)
        return;
    // A value typed into this control survives changes of other fields;
    // lookup and calculated fields depend on others and follow them.
    const bool dependent = m_field && m_field->FieldKind() != fkData;
    if (!field || field == m_field || (dependent && !m_modified)) {
        if (field == m_field || !field)
            m_modified = false;
        reload();
    }
}

void FieldDataLink::editingChanged()
{
    if (!Editing() && !m_writing) {
        // Posted or cancelled: show what the row holds now.
        m_modified = false;
        reload();
    }
    if (onEditingChanged)
        onEditingChanged();
}

void FieldDataLink::updateData()
{
    commit();
}

}  // namespace zel::ui
