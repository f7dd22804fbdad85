#pragma once

#include <QDialog>
#include <QVariant>

class QLabel;
class QPushButton;
class QRadioButton;

namespace zel {

class TADOQuery;
class TDM_PUM;

namespace ui {
class DbLookupComboBox;
}

/// The address picker "Место нахождение": five drop-down lists, republic → region →
/// district → city or village, each filled by an address procedure of the server from
/// the choice one level up. The window only collects the five keys; a choice is null
/// or a key, and a key that is not among its list's rows (pre-set by the caller, or
/// the list not open) is kept and returned unchanged.
///
/// Creating the window fills the republic list (a failing procedure throws and no
/// window results); destroying it closes the five list datasets of the data module.
/// OK is the default button, Cancel the cancel button; closing counts as cancel.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    /// dm is not owned and outlives the window.
    explicit TForm12(TDM_PUM& dm, QWidget* parent = nullptr);
    ~TForm12() override;

    ui::DbLookupComboBox* RepublicLookupComboBox;
    ui::DbLookupComboBox* RegionLookupComboBox;
    ui::DbLookupComboBox* DistrictLookupComboBox;
    QRadioButton* CityRB;
    ui::DbLookupComboBox* CityLookupComboBox;
    QRadioButton* VillageRB;
    ui::DbLookupComboBox* VillageLookupComboBox;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    // -- the cascade; the caller runs the first three itself after pre-setting a choice --
    /// Resets everything below the republic and fills the region list from the republic choice.
    void RepublicLookupComboBoxClick();
    /// Resets everything below the region and fills the district list from the region choice.
    void RegionLookupComboBoxClick();
    /// Fills both lists below the district; a district with cities opens in city mode,
    /// one with villages only in village mode, one with neither leaves both disabled.
    void DistrictLookupComboBoxClick();
    /// "Город" selected: the city list is offered, the village choice dropped.
    void CityRBClick();
    /// "Село" selected: the village list is offered, the city choice dropped.
    void VillageRBClick();

private:
    void buildControls();
    void FormCreate();
    void FormDestroy();
    /// Sends the statement as plain query text and opens the list on its rows.
    void fill(TADOQuery& list, const QString& statement);

    TDM_PUM& m_dm;
};

}  // namespace zel
