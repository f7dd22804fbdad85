#include "ui/DbMemo.h"

#include "ui/ControlCommit.h"

#include "data/dataset/TField.h"

#include <QTextCursor>

namespace zel::ui {

DbMemo::DbMemo(QWidget* parent)
    : QPlainTextEdit(parent)
{
    m_link.load = [this] { loadField(); };
    m_link.write = [this] { m_link.field()->SetAsString(toPlainText()); };
    connect(this, &QPlainTextEdit::textChanged, this, &DbMemo::userEdited);
}

void DbMemo::setDataSource(TDataSource* source, const QString& fieldName)
{
    m_link.bind(source, fieldName);
}

void DbMemo::loadField()
{
    TField* field = m_link.field();
    setPlainText(field ? field->AsString() : QString());
}

void DbMemo::userEdited()
{
    if (m_link.isLoading() || m_restoring)
        return;
    TField* field = m_link.field();
    QString typed = toPlainText();
    int cursor = textCursor().position();
    if (field && field->Size() > 0 && typed.size() > field->Size()) {
        typed.truncate(field->Size());
        cursor = std::min(cursor, int(typed.size()));
    } else if (m_link.isModified()) {
        m_link.markModified();
        emit changed();
        return;
    }
    if (!m_link.isModified() && !m_link.beginChange()) {
        loadField();
        return;
    }
    if (toPlainText() != typed) {
        // An insert reloaded the blank row, or the text ran past Size.
        m_restoring = true;
        setPlainText(typed);
        QTextCursor c = textCursor();
        c.setPosition(cursor);
        setTextCursor(c);
        m_restoring = false;
    }
    m_link.markModified();
    emit changed();
}

void DbMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    ControlCommit::onFocusLeft(this, m_link);
}

}  // namespace zel::ui
