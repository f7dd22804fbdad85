#include "card/FamilyTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/CaptionLabel.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbNavigator.h"
#include "ui/GroupBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

using namespace card;
using Nav = ui::DbNavigator;

FamilyTab::FamilyTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet2"), parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* bar = new QHBoxLayout;
    auto* caption = new ui::CaptionLabel(QStringLiteral("Семейное положение:"), this);
    DBLookupComboboxEh1 = new ui::DbLookupComboBox(this);
    DBLookupComboboxEh1->setObjectName(QStringLiteral("DBLookupComboboxEh1"));
    DBLookupComboboxEh1->setListSource(&dm.DS_Family_status, QStringLiteral("id_family"), QStringLiteral("p15"));
    DBLookupComboboxEh1->setFixedWidth(200);
    caption->setBuddy(DBLookupComboboxEh1);
    RzBitBtn4 = new QPushButton(QStringLiteral("Обновить"), this);
    RzBitBtn4->setObjectName(QStringLiteral("RzBitBtn4"));
    bar->addWidget(caption);
    bar->addWidget(DBLookupComboboxEh1);
    bar->addWidget(RzBitBtn4);
    bar->addStretch(1);
    layout->addLayout(bar);

    auto* group = addGroup(QStringLiteral("Сведения о родственниках"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    // Every commit in this grid makes Save available.
    DBGridEh2 = addGrid(
        {.name = "DBGridEh2",
         .source = &dm.DS_family,
         .columns = {
             {.field = "family_s", .title = "Степень родства", .kind = ColumnKind::Lookup, .armsSave = true},
             {.field = "p26", .title = "Фамилия", .armsSave = true},
             {.field = "p27", .title = "Имя", .armsSave = true},
             {.field = "p28", .title = "Отчество", .armsSave = true},
             {.field = "Date_of_birth", .title = "Дата рождения", .kind = ColumnKind::Date, .armsSave = true,
              .emptyDateIsNull = true},
             {.field = "Address", .title = "Адрес (прописки)", .armsSave = true},
             {.field = "family_job", .title = "Род деятельности", .kind = ColumnKind::Lookup, .armsSave = true},
             {.field = "Org_Address", .title = "Адрес учреждения", .armsSave = true},
         },
         .postsOnLeave = true,
         .enterMovesToNextCell = true,
         .multiSelect = true},
        group);
    groupLayout->addWidget(DBGridEh2, 1);
    DBNavigator1 = addNavigator({.name = "DBNavigator1", .source = &dm.DS_family,
                                 .buttons = Nav::Insert | Nav::Delete | Nav::Post},
                                group);
    groupLayout->addWidget(DBNavigator1);
    layout->addWidget(group, 1);
}

}  // namespace zel
