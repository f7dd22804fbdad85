#pragma once

#include "card/CardTab.h"

class QPushButton;

namespace zel {

class TDM_PUM;

namespace ui {
class DbGrid;
class DbLookupComboBox;
class DbNavigator;
}  // namespace ui

/// The card's "Семейное положение" tab: the family-status selector with the
/// "Обновить" button above the grid of relatives and its navigator.
///
/// The selector is not bound to a field: the status lives on the relatives'
/// rows and is changed by the window through a stored procedure.
class FamilyTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit FamilyTab(TDM_PUM& dm, QWidget* parent = nullptr);

    /// Family status, listing the dictionary "Family".
    ui::DbLookupComboBox* DBLookupComboboxEh1;
    /// "Обновить": re-reads the relatives.
    QPushButton* RzBitBtn4;
    /// The relatives; Enter moves to the next cell, several rows can be selected.
    ui::DbGrid* DBGridEh2;
    ui::DbNavigator* DBNavigator1;
};

}  // namespace zel
