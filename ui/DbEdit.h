#pragma once

#include "ui/FieldDataLink.h"

#include <QLineEdit>

namespace zel::ui {

/// Single-line edit bound to a field: shows the field's text, its length is
/// limited to the field's Size, and the typed text goes into the field when the
/// edit loses the focus or the dataset posts. Typing into an empty dataset
/// starts an insert. Escape drops the typed text.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);

    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }
    TField* field() const { return m_link.field(); }

signals:
    /// A mouse press in the edit (also when read-only).
    void clicked();
    /// The user changed the text (never emitted when a row is loaded).
    void changed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void loadField();
    void userEdited(const QString& text);

    FieldDataLink m_link;
};

}  // namespace zel::ui
