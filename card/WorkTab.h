#pragma once

#include "card/CardTab.h"

namespace zel {

class TDM_PUM;

namespace ui {
class DbDateEdit;
class DbEdit;
class DbGrid;
}  // namespace ui

/// The card's "Трудовая деятельность" tab: years of service, qualification
/// courses and the work history since the start of the employee's career.
class WorkTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit WorkTab(TDM_PUM& dm, QWidget* parent = nullptr);

    // -- years of service (Enter goes round the seven edits) --
    ui::DbEdit* DBEdit5;   ///< specialty
    ui::DbEdit* DBEdit7;   ///< Gov_Service
    ui::DbEdit* DBEdit9;   ///< On_Owners
    ui::DbEdit* DBEdit10;  ///< specialty_s
    ui::DbEdit* DBEdit13;  ///< Total_s
    ui::DbDateEdit* DBDateTimeEditEh1;  ///< Total_sDate
    ui::DbEdit* DBEdit14;  ///< teacher_s
    ui::DbDateEdit* DBDateTimeEditEh3;  ///< teacher_sDate
    ui::DbEdit* DBEdit15;  ///< Unbreakable

    ui::DbGrid* DBGridEh3;  ///< qualification courses
    ui::DbGrid* DBGridEh1;  ///< work history
};

}  // namespace zel
