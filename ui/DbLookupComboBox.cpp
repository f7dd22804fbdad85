#include "ui/DbLookupComboBox.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace zel::ui {

DbLookupComboBox::DbLookupComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setModel(m_binding.model());
    setCurrentIndex(-1);
    connect(&m_binding, &LookupBinding::currentRowChanged, this, [this](int row) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(row);
    });
    connect(this, &QComboBox::activated, this, &DbLookupComboBox::userActivated);
    connect(&m_binding, &LookupBinding::keyValueChanged, this, &DbLookupComboBox::keyValueChanged);
}

void DbLookupComboBox::setListSource(TDataSource* listSource, const QString& keyField,
                                     const QString& listField)
{
    m_binding.setListSource(listSource, keyField, listField);
}

void DbLookupComboBox::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_binding.setDataSource(source, fieldName);
}

void DbLookupComboBox::userActivated(int row)
{
    if (m_readOnly) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(m_binding.currentRow());
        return;
    }
    if (LookupListModel::sameKey(m_binding.model()->keyAt(row), m_binding.keyValue()))
        return;  // the entry already chosen
    if (m_binding.choose(row))
        emit changed();
}

void DbLookupComboBox::mousePressEvent(QMouseEvent* event)
{
    emit clicked();
    QComboBox::mousePressEvent(event);
}

void DbLookupComboBox::keyPressEvent(QKeyEvent* event)
{
    if (m_readOnly && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DbLookupComboBox::wheelEvent(QWheelEvent* event)
{
    // A wheel over a selector must not silently change a card field.
    event->ignore();
}

void DbLookupComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit entered();
}

void DbLookupComboBox::showPopup()
{
    if (!m_readOnly)
        QComboBox::showPopup();
}

}  // namespace zel::ui
