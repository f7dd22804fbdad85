#pragma once

#include "ui/FieldDataLink.h"

#include <QLineEdit>

class QCalendarWidget;

namespace zel::ui {

/// Editor of a date without time that may be empty (NULL). Shows dd.MM.yyyy
/// under the mask "##.##.####"; erasing every digit stores NULL, a complete
/// date stores that date, and a partly typed date is handed to the field's own
/// conversion, which refuses it (the error is shown, the text kept). A button
/// at the right opens a calendar.
class DbDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget* parent = nullptr);
    void setDataSource(TDataSource* source, const QString& fieldName);
    FieldDataLink& dataLink() { return m_link; }

    /// The date shown; a null QDate when empty or incomplete.
    QDate date() const;

signals:
    /// The user changed the date (typing or calendar); never on loading a row.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void loadField();
    void writeField();
    void userEdited(const QString& text);
    void showCalendar();

    FieldDataLink m_link;
    QCalendarWidget* m_calendar = nullptr;
};

}  // namespace zel::ui
