#pragma once

#include "card/CardTab.h"

class QLineEdit;
class QPushButton;

namespace zel {

class TDM_PUM;

namespace ui {
class DatePicker;
class DbGrid;
}  // namespace ui

/// The card's "Медосмотр" tab: a new medical examination is typed into three
/// unbound inputs (date, place, note) and stored with "Сохранить"; the
/// employee's examinations are listed below in DBGridEh9 and can be corrected
/// there. The examinations are not part of the card's Save.
class MedicalTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit MedicalTab(TDM_PUM& dm, QWidget* parent = nullptr);

    /// The place text changed: a non-empty place keeps one new row pending; an
    /// emptied place drops it and reads the list again.
    void Edit1Change();
    /// "Сохранить": stores the typed examination (place required), or, with no
    /// place, posts the changes typed into the current row of the list.
    void RzBitBtn1Click();

    /// The date of a new medical examination (not bound to a field).
    ui::DatePicker* DateTimePicker1;
    QLineEdit* Edit1;  ///< place
    QLineEdit* Edit2;  ///< note
    QPushButton* RzBitBtn1;
    ui::DbGrid* DBGridEh9;

private:
    void showMessage(const QString& text);

    TDM_PUM& m_dm;
};

}  // namespace zel
