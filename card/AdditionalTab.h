#pragma once

#include "card/CardTab.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zel {

class TDM_PUM;

namespace ui {
class DbCheckBox;
class DbDateEdit;
class DbEdit;
class DbGrid;
class DbLookupComboBox;
class DbMemo;
class DbNavigator;
}  // namespace ui

/// The card's "Доп. сведения" tab: scientific works, diplomatic rank, languages,
/// state awards, trips, elected bodies, pension and party membership.
class AdditionalTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit AdditionalTab(TDM_PUM& dm, QWidget* parent = nullptr);

    /// Enables the pension date, the district and their captions exactly while
    /// the hidden PensionerCheckBox is ticked; runs on every change of it.
    void PensionerCheckBoxClick();

    ui::DbMemo* DBMemo1;                     ///< nauch_r
    ui::DbLookupComboBox* DBLookupComboBox2;  ///< diplomatic rank
    QPushButton* Button2;                     ///< "+" of the ranks dictionary
    ui::DbGrid* DBGridEh7;                    ///< languages
    ui::DbNavigator* DBNavigator2;            ///< awards: Insert and Delete
    ui::DbGrid* DBGridEh4;                    ///< state awards
    ui::DbGrid* DBGridEh5;                    ///< trips
    ui::DbGrid* DBGridEh6;                    ///< elected bodies

    // -- pension --
    ui::DbCheckBox* DBCheckBox1;  ///< "Пенсионер", bound to pensioner
    QLabel* Label_pension_date;   ///< "Дата назначения пенсии"
    ui::DbDateEdit* DBDateTimeEditEh4;
    QLabel* Label_district;  ///< "Район"
    ui::DbLookupComboBox* DBLookupComboBox4;
    /// Hidden "Пенсионер1": the card ticks it when the employee has a pension row.
    QCheckBox* PensionerCheckBox;

    // -- party --
    ui::DbEdit* DBEdit20;  ///< party name
    ui::DbDateEdit* DBDateTimeEditEh5;
};

}  // namespace zel
