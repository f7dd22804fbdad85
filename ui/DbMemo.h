#pragma once

#include "ui/FieldDataLink.h"

#include <QPlainTextEdit>

namespace zel::ui {

/// Multi-line edit bound to a text field. The text goes into the field when
/// the memo loses the focus or the dataset posts; typing into an empty dataset
/// starts an insert. Length is limited to the field's Size.
class DbMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DbMemo(QWidget* parent = nullptr);
    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }

signals:
    /// The user changed the text (never emitted when a row is loaded).
    void changed();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void loadField();
    void userEdited();

    FieldDataLink m_link;
    bool m_restoring = false;
};

}  // namespace zel::ui
