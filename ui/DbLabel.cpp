#include "ui/DbLabel.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TField.h"

namespace zel::ui {

DbLabel::DbLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    m_link.load = [this] {
        TField* field = m_link.field();
        const bool hasRow = field && !field->DataSet()->IsEmpty();
        setText(hasRow ? field->DisplayText() : QString());
    };
}

void DbLabel::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

}  // namespace zel::ui
