#include "ui/DbCheckBox.h"

#include "ui/MessageBoxes.h"

#include "data/dataset/TField.h"

#include <QSignalBlocker>

namespace zel::ui {

DbCheckBox::DbCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
    m_link.load = [this] {
        const QSignalBlocker blocker(this);
        TField* field = m_link.field();
        setChecked(field && !field->IsNull() && field->AsBoolean());
    };
    m_link.write = [this] { m_link.field()->SetAsBoolean(isChecked()); };
    connect(this, &QCheckBox::clicked, this, &DbCheckBox::userClicked);
}

void DbCheckBox::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

void DbCheckBox::userClicked(bool checked)
{
    if (!m_link.beginChange()) {
        m_link.reset();
        return;
    }
    {
        const QSignalBlocker blocker(this);
        setChecked(checked);  // an insert may have reloaded the blank row
    }
    m_link.markModified();
    try {
        m_link.commit();
    } catch (const std::exception& failure) {
        MessageBoxes::showException(this, failure);
        m_link.reset();
        return;
    }
    emit changed();
}

}  // namespace zel::ui
