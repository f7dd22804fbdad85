#include "ui/DbEdit.h"

#include "ui/ControlCommit.h"

#include "data/dataset/TField.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace zel::ui {

DbEdit::DbEdit(QWidget* parent)
    : QLineEdit(parent)
{
    m_link.load = [this] { loadField(); };
    m_link.write = [this] { m_link.field()->SetAsString(text()); };
    connect(this, &QLineEdit::textEdited, this, &DbEdit::userEdited);
}

void DbEdit::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

void DbEdit::loadField()
{
    const QSignalBlocker blocker(this);
    TField* field = m_link.field();
    setMaxLength(field && field->Size() > 0 && field->DataType() != ftBCD ? field->Size() : 32767);
    setText(field ? field->DisplayText() : QString());
}

void DbEdit::userEdited(const QString& typed)
{
    if (m_link.isLoading())
        return;
    if (!m_link.isModified()) {
        const int cursor = cursorPosition();
        if (!m_link.beginChange()) {
            loadField();  // not writable: the text goes back
            return;
        }
        // Starting an insert reloads the (blank) row; keep what was typed.
        if (text() != typed) {
            const QSignalBlocker blocker(this);
            setText(typed);
            setCursorPosition(cursor);
        }
    }
    m_link.markModified();
    emit changed();
}

void DbEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void DbEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link.isModified()) {
        m_link.reset();
        selectAll();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DbEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    ControlCommit::onFocusLeft(this, m_link);
}

}  // namespace zel::ui
