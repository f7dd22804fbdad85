#pragma once

#include "card/CardTab.h"

class QCheckBox;
class QPushButton;

namespace zel {

class AddressBlock;
class TDM_PUM;

namespace ui {
class DbCheckBox;
class DbDateEdit;
class DbEdit;
class DbImage;
class DbLabel;
class DbLookupComboBox;
class GroupBox;
}  // namespace ui

/// The card's first tab, "Личная карточка": personal data, passport and e-mail on the
/// left, the three addresses in the middle, photo, key and working mark on the right.
/// Every control is bound to a section dataset of the data module; the tab holds no
/// data of its own. Controls carry their names as object names, which the Enter chain
/// of the tab follows.
class PersonalDataTab : public CardTab {
    Q_OBJECT
public:
    /// dm is not owned and outlives the tab.
    explicit PersonalDataTab(TDM_PUM& dm, QWidget* parent = nullptr);

    /// Surname, name and patronymic are writable only while a new employee is entered.
    void setNameEditsReadOnly(bool readOnly);

    /// "Фамилия до изменения:": the previous-surname group is enabled exactly while
    /// the box is ticked; enabled, its edits turn white and the surname edit takes
    /// the focus; disabled, they take the light 3-D colour.
    void CheckBox1Click();
    /// The INN check when the focus leaves the INN or the e-mail edit: an INN that
    /// is not NULL and whose length differs from the declared size of its column
    /// is reported, and the focus goes back behind its last character.
    void DBEdit18Exit();

    // -- personal data --
    ui::DbEdit* DBEdit1;  ///< surname
    QCheckBox* CheckBox1;  ///< "Фамилия до изменения:"
    ui::GroupBox* GroupBox20;
    ui::DbEdit* DBEdit37;
    ui::DbEdit* DBEdit38;
    ui::DbEdit* DBEdit2;  ///< name
    ui::DbEdit* DBEdit3;  ///< patronymic
    ui::DbDateEdit* DBDateTimeEditEh6;
    ui::DbLookupComboBox* DBLookupComboBox16;
    QPushButton* Button11;
    ui::DbLookupComboBox* DBLookupComboBox1;
    ui::DbLookupComboBox* DBLookupComboBox17;
    QPushButton* Button10;
    ui::DbLookupComboBox* DBLookupComboboxEh2;
    QPushButton* Button3;
    ui::DbLookupComboBox* DBLookupComboBox3;
    QPushButton* Button4;
    ui::DbLookupComboBox* DBLookupComboBox11;
    QPushButton* Button5;
    ui::DbEdit* DBEdit11;
    ui::DbEdit* DBEdit4;
    ui::DbEdit* DBEdit12;

    // -- passport and e-mail --
    ui::DbEdit* DBEdit16;
    ui::DbEdit* DBEdit17;
    ui::DbDateEdit* DBDateTimeEditEh2;
    ui::DbLookupComboBox* DBLookupComboboxEh3;
    QPushButton* Button7;
    ui::DbEdit* DBEdit18;
    ui::DbCheckBox* DBCheckBox2;
    ui::DbEdit* DBEdit21;

    // -- addresses --
    AddressBlock* PlaceOfBirth;    ///< button BitBtn2
    AddressBlock* PlaceLeave;      ///< button BitBtn3, street DBEdit6
    AddressBlock* PlaceResidence;  ///< button BitBtn4, street DBEdit36
    ui::DbDateEdit* DBDateTimeEditEh7;

    // -- photo, key, working mark --
    ui::GroupBox* GroupBox21;
    QPushButton* SpeedButton11;
    ui::DbImage* DBImage1;
    QPushButton* BitBtn1;
    QPushButton* Button12;
    ui::DbLabel* DBText4;
    ui::DbCheckBox* DBCheckBox3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusMoved(QWidget* from, QWidget* to);
    QWidget* buildPersonalGroup(TDM_PUM& dm);
    QWidget* buildPassportGroup(TDM_PUM& dm);
    QWidget* buildAddressColumn(TDM_PUM& dm);
    QWidget* buildPhotoGroup(TDM_PUM& dm);

    /// Set while the INN check puts the focus back, which is no exit of its own.
    bool m_returningToInn = false;
};

}  // namespace zel
