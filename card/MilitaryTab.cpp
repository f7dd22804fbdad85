#include "card/MilitaryTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/GroupBox.h"

#include <QVBoxLayout>

namespace zel {

using namespace card;

MilitaryTab::MilitaryTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet6"), parent)
{
    TDataSource* card = &dm.DS_mil_card;
    const std::vector<ControlRow> rows = {
        {"DBLookupComboBox12", ControlKind::Lookup, card, "id_mil_name", "Воинское звание:",
         {&dm.DS_Mil_name, "ID_mil_name", "mil_name"}, SaveArming::Click, nullptr, "Button6"},
        {"DBLookupComboBox13", ControlKind::Lookup, card, "id_valid", "Годность к военной службе:",
         {&dm.DS_Mil_valid, "id_valid", "valid"}, SaveArming::Click},
        {"DBEdit24", ControlKind::Edit, card, "voencom", "Название военкомата по месту жительства:"},
        {"DBLookupComboBox14", ControlKind::Lookup, card, "id_R_voisk", "Род войск:",
         {&dm.DS_Mil_R_Voisk, "id_r_voisk", "R_voisk"}, SaveArming::Click, nullptr, "Button8"},
        {"DBEdit25", ControlKind::Edit, card, "Sostav", "Состав:"},
        {"DBEdit26", ControlKind::Edit, card, "Vus", "ВУС:"},
        {"DBCheckBox4", ControlKind::CheckBox, card, "Voinsk_uchet", "Воинский учёт:"},
    };

    auto* group = addGroup(QStringLiteral("Сведения о воинском учете"), this, "GroupBox_mil_card");
    addControls(group, rows);
    group->setFixedWidth(700);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(group, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

}  // namespace zel
