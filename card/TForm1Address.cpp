// The card's address actions: the three address buttons with the address picker,
// and the address dictionary of the tool bar.
#include "card/TForm1.h"

#include "address/TForm12.h"
#include "address/TForm6.h"
#include "card/AddressBlock.h"
#include "card/PersonalDataTab.h"
#include "data/dataset/TField.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DbLookupComboBox.h"
#include "ui/FlatButton.h"
#include "ui/GuardedAction.h"

#include <QPushButton>

namespace zel {

namespace {

/// One address button of the first tab and the record it sets.
struct AddressButton {
    AddressBlock* PersonalDataTab::*block;
    TADOQuery TDM_PUM::*dataSet;
    void (TForm1::*action)();
    const char* regionKey;  // place_leave spells it id_ragionKR
};

const AddressButton kAddressButtons[] = {
    {&PersonalDataTab::PlaceOfBirth, &TDM_PUM::ADOQ_Place_of_birth, &TForm1::BitBtn2Click, "id_regionKR"},
    {&PersonalDataTab::PlaceLeave, &TDM_PUM::ADOQ_place_leave, &TForm1::BitBtn3Click, "id_ragionKR"},
    {&PersonalDataTab::PlaceResidence, &TDM_PUM::ADOQ_PlaceResidence, &TForm1::BitBtn4Click, "id_regionKR"},
};

QStringList keyFieldsOf(const AddressButton& button)
{
    return {QStringLiteral("id_republic"), QString::fromLatin1(button.regionKey), QStringLiteral("id_districtKR"),
            QStringLiteral("id_cityKR"), QStringLiteral("id_villageKR")};
}

/// What an empty level is stored as; the republic stays null.
const int kFixedKeys[] = {0, 11, 300, 200, 2000};

}  // namespace

void TForm1::connectAddressActions()
{
    for (const AddressButton& button : kAddressButtons)
        connect((TabSheet1->*button.block)->button(), &QPushButton::clicked, this,
                ui::guarded(this, [this, action = button.action] { (this->*action)(); }));
    connect(SpeedButton4, &QToolButton::clicked, this, ui::guarded(this, [this] { SpeedButton4Click(); }));
}

int TForm1::runModal(QDialog& dialog)
{
    return RunModal ? RunModal(dialog) : dialog.exec();
}

void TForm1::BitBtn2Click()
{
    chooseCardAddress(0);
}

void TForm1::BitBtn3Click()
{
    chooseCardAddress(1);
}

void TForm1::BitBtn4Click()
{
    chooseCardAddress(2);
}

void TForm1::chooseCardAddress(int button)
{
    // A failing save ends the action here; a refused name goes on to the key test.
    Apply_Records_BtnClick();
    const TADOQuery& master = m_dm.ADO_TEACHER;
    const TField* key = master.Active() && !master.IsEmpty() ? master.FindField(QStringLiteral("id_teacher")) : nullptr;
    if (!key || key->IsNull())
        return;
    const AddressButton& chosen = kAddressButtons[button];
    ChooseAddress(m_dm.*chosen.dataSet, keyFieldsOf(chosen), true);
}

bool TForm1::ChooseAddress(TDataSet& dataSet, const QStringList& keyFields, bool post)
{
    TForm12 picker(m_dm, this);
    ui::DbLookupComboBox* const choices[] = {picker.RepublicLookupComboBox, picker.RegionLookupComboBox,
                                             picker.DistrictLookupComboBox, picker.CityLookupComboBox,
                                             picker.VillageLookupComboBox};
    const bool hasRow = dataSet.Active() && !dataSet.IsEmpty();
    auto stored = [&](int level) { return hasRow ? dataSet.FieldByName(keyFields.at(level))->Value() : QVariant(); };

    choices[0]->setKeyValue(stored(0));
    picker.RepublicLookupComboBoxClick();
    choices[1]->setKeyValue(stored(1));
    picker.RegionLookupComboBoxClick();
    choices[2]->setKeyValue(stored(2));
    picker.DistrictLookupComboBoxClick();
    choices[3]->setKeyValue(stored(3));
    choices[4]->setKeyValue(stored(4));

    if (runModal(picker) != QDialog::Accepted)
        return false;

    dataSet.Edit();  // inserts the row an employee does not have yet
    for (int level = 0; level < 5; ++level) {
        QVariant value = choices[level]->keyValue();
        if (value.isNull() && level > 0)
            value = kFixedKeys[level];
        dataSet.FieldByName(keyFields.at(level))->SetValue(value);
    }
    if (!post)
        return true;
    // Posted as Save posts the section, so that every changed key is logged.
    if (m_changeHistory) {
        for (const SaveSequence::Step& step : SaveSequence::Steps(m_dm)) {
            if (step.dataSet == &dataSet) {
                SaveSequence::PostStep(step, *m_changeHistory);
                return true;
            }
        }
    }
    dataSet.Post();
    return true;
}

void TForm1::SpeedButton4Click()
{
    TForm6 dictionary(m_dm, this);
    runModal(dictionary);
}

}  // namespace zel
