#include "ui/LookupBinding.h"

#include "ui/MessageBoxes.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"

namespace zel::ui {

LookupBinding::LookupBinding(QObject* parent)
    : QObject(parent)
{
    m_link.load = [this] {
        TField* field = m_link.field();
        applyKey(field ? field->Value() : QVariant(), true);
    };
    m_link.write = [this] { m_link.field()->SetValue(m_key); };
    connect(&m_model, &LookupListModel::listChanged, this, [this] {
        if (m_followCursor && !isBound())
            followCursor();
        else
            showCurrent();
    });
    connect(&m_model, &LookupListModel::listScrolled, this, &LookupBinding::followCursor);
}

void LookupBinding::setFollowsListCursor(bool follow)
{
    m_followCursor = follow;
    followCursor();
}

void LookupBinding::followCursor()
{
    if (!m_followCursor || isBound() || m_locating)
        return;
    applyKey(m_model.keyAt(m_model.currentListRow()), false);
}

void LookupBinding::setListSource(TDataSource* listSource, const QString& keyField,
                                  const QString& listField)
{
    m_model.setList(listSource, keyField, listField);
}

void LookupBinding::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

void LookupBinding::setKeyValue(const QVariant& key)
{
    applyKey(key, true);
}

void LookupBinding::applyKey(const QVariant& key, bool locate)
{
    const bool changed = !(key.isNull() && m_key.isNull()) && !LookupListModel::sameKey(key, m_key);
    m_key = key;
    showCurrent();
    if (locate)
        locateKey();
    if (changed)
        emit keyValueChanged(m_key);
}

void LookupBinding::showCurrent()
{
    ++m_loading;
    emit currentRowChanged(currentRow());
    --m_loading;
}

void LookupBinding::locateKey()
{
    TDataSet* list = m_model.listDataSet();
    const int row = currentRow();
    if (!list || row < 0 || m_locating || list->RecNo() == row + 1)
        return;
    m_locating = true;
    try {
        list->Locate(m_model.keyFieldName(), m_key);
    } catch (const std::exception& failure) {
        MessageBoxes::showException(nullptr, failure);
    }
    m_locating = false;
}

bool LookupBinding::choose(int row)
{
    const QVariant key = m_model.keyAt(row);
    if (key.isNull())
        return false;
    if (isBound()) {
        if (!m_link.beginChange()) {
            showCurrent();
            return false;
        }
        m_key = key;
        m_link.markModified();
        try {
            m_link.commit();
        } catch (const std::exception& failure) {
            MessageBoxes::showException(nullptr, failure);
            m_link.reset();
            return false;
        }
    }
    applyKey(key, true);
    return true;
}

}  // namespace zel::ui
