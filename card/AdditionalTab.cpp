#include "card/AdditionalTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/DbLookupComboBox.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/GroupBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

using namespace card;
using Nav = ui::DbNavigator;

namespace {

QVBoxLayout* stack(QWidget* group)
{
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    return layout;
}

}  // namespace

AdditionalTab::AdditionalTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet4"), parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    TDataSource* info = &dm.DS_Teacher_2;

    auto* about = addGroup(QStringLiteral("Информация о себе"), this);
    addControls(about, {
        {.name = "DBMemo1", .kind = ControlKind::Memo, .source = info, .field = "nauch_r",
         .caption = "Какие имеете научные труды, изобретения:", .arms = SaveArming::Change,
         .place = CaptionPlace::Above},
    });
    DBMemo1 = control<ui::DbMemo>("DBMemo1");
    layout->addWidget(about, 0, 0);

    auto* rank = addGroup(QStringLiteral("Имеете ли вы дипломатический ранг или иные классные звания"), this);
    addControls(rank, {
        {.name = "DBLookupComboBox2", .kind = ControlKind::Lookup, .source = info, .field = "id_rang",
         .list = {&dm.DS_Rang, "id_rang", "rang"}, .arms = SaveArming::Click, .button = "Button2"},
    });
    DBLookupComboBox2 = control<ui::DbLookupComboBox>("DBLookupComboBox2");
    Button2 = control<QPushButton>("Button2");
    layout->addWidget(rank, 0, 1);

    auto* languages = addGroup(QStringLiteral("Знание языков"), this);
    DBGridEh7 = addGrid({.name = "DBGridEh7",
                         .source = &dm.DS_Lang_options,
                         .columns = {
                             {.field = "language", .title = "Язык", .kind = ColumnKind::Lookup, .armsSave = true},
                             {.field = "level", .title = "Уровень знания", .kind = ColumnKind::Lookup,
                              .armsSave = true},
                         },
                         .postsOnLeave = true},
                        languages);
    stack(languages)->addWidget(DBGridEh7);
    layout->addWidget(languages, 1, 0);

    // The awards' date handler does not arm Save: the dataset's own edit handler does.
    auto* awards = addGroup(QStringLiteral("Гос. награды"), this);
    QVBoxLayout* awardsLayout = stack(awards);
    DBNavigator2 = addNavigator({.name = "DBNavigator2",
                                 .source = &dm.DS_Nagrada,
                                 .buttons = Nav::Insert | Nav::Delete,
                                 .hints = {{Nav::Insert, "Добавить награду"}, {Nav::Delete, "Удалить награду"}}},
                                awards);
    awardsLayout->addWidget(DBNavigator2);
    DBGridEh4 = addGrid({.name = "DBGridEh4",
                         .source = &dm.DS_Nagrada,
                         .columns = {
                             {.field = "nagrada", .title = "Награда"},
                             {.field = "date_get", .title = "Когда", .kind = ColumnKind::Date,
                              .emptyDateIsNull = true},
                             {.field = "By_who", .title = "Кем награжден"},
                         },
                         .postsOnLeave = true},
                        awards);
    awardsLayout->addWidget(DBGridEh4);
    layout->addWidget(awards, 1, 1);

    // The order date keeps whatever the mask leaves: it has no empty-date rule.
    auto* trips = addGroup(QStringLiteral("Командировки"), this);
    DBGridEh5 = addGrid({.name = "DBGridEh5",
                         .source = &dm.DS_Abroad,
                         .columns = {
                             {.field = "date_begin", .title = "Месяц, год|Начала", .kind = ColumnKind::Date,
                              .armsSave = true, .emptyDateIsNull = true},
                             {.field = "date_end", .title = "Месяц, год|Окончания", .kind = ColumnKind::Date,
                              .armsSave = true, .emptyDateIsNull = true},
                             {.field = "country", .title = "Куда", .armsSave = true},
                             {.field = "purchose", .title = "Цель прибывания", .armsSave = true},
                             {.field = "orderNum", .title = "Приказ|№"},
                             {.field = "orderDate", .title = "Приказ|Дата", .kind = ColumnKind::Date},
                         },
                         .postsOnLeave = true},
                        trips);
    stack(trips)->addWidget(DBGridEh5);
    layout->addWidget(trips, 2, 0, 1, 2);

    auto* elected =
        addGroup(QStringLiteral("Участие в международных, государственных и других выборных органах "), this);
    DBGridEh6 = addGrid({.name = "DBGridEh6",
                         .source = &dm.DS_Elect_org,
                         .columns = {
                             {.field = "address", .title = "Местонахождение органа", .armsSave = true},
                             {.field = "organ", .title = "Название органа", .armsSave = true},
                             {.field = "elected_as", .title = "В качестве кого избран", .armsSave = true},
                             {.field = "year_elect", .title = "Год|Избрания", .armsSave = true},
                             {.field = "year_End", .title = "Год|Выбытия", .armsSave = true},
                         },
                         .postsOnLeave = true},
                        elected);
    stack(elected)->addWidget(DBGridEh6);
    layout->addWidget(elected, 3, 0, 1, 2);

    auto* pension = addGroup(QStringLiteral("Где и когда назначена пенсия"), this);
    TDataSource* pensioner = &dm.DSPensioner;
    addControls(pension, {
        {.name = "DBCheckBox1", .kind = ControlKind::CheckBox, .source = pensioner, .field = "pensioner",
         .caption = "Пенсионер", .place = CaptionPlace::OnControl},
        {.name = "DBDateTimeEditEh4", .kind = ControlKind::Date, .source = pensioner, .field = "date",
         .caption = "Дата назначения пенсии", .arms = SaveArming::Change},
        {.name = "DBLookupComboBox4", .kind = ControlKind::Lookup, .source = pensioner, .field = "id_district",
         .caption = "Район", .list = {&dm.DS_District, "IDDistrict", "NameDistrict"}, .arms = SaveArming::Click},
    });
    DBCheckBox1 = control<ui::DbCheckBox>("DBCheckBox1");
    DBDateTimeEditEh4 = control<ui::DbDateEdit>("DBDateTimeEditEh4");
    DBLookupComboBox4 = control<ui::DbLookupComboBox>("DBLookupComboBox4");
    Label_pension_date = captionOf(DBDateTimeEditEh4);
    Label_pension_date->setObjectName(QStringLiteral("Label_pension_date"));
    Label_district = captionOf(DBLookupComboBox4);
    Label_district->setObjectName(QStringLiteral("Label_district"));
    PensionerCheckBox = new QCheckBox(QStringLiteral("Пенсионер1"), pension);
    PensionerCheckBox->setObjectName(QStringLiteral("PensionerCheckBox"));
    PensionerCheckBox->setVisible(false);
    connect(PensionerCheckBox, &QCheckBox::toggled, this, &AdditionalTab::PensionerCheckBoxClick);
    PensionerCheckBoxClick();
    layout->addWidget(pension, 4, 0);

    auto* party = addGroup(QStringLiteral("Партийность"), this);
    TDataSource* partiya = &dm.DS_Partiya;
    addControls(party, {
        {.name = "DBEdit20", .kind = ControlKind::Edit, .source = partiya, .field = "name",
         .caption = "Наименование партии", .arms = SaveArming::Click},
        {.name = "DBDateTimeEditEh5", .kind = ControlKind::Date, .source = partiya, .field = "date",
         .caption = "Месяц и год вступления", .arms = SaveArming::Change},
    });
    DBEdit20 = control<ui::DbEdit>("DBEdit20");
    DBDateTimeEditEh5 = control<ui::DbDateEdit>("DBDateTimeEditEh5");
    layout->addWidget(party, 4, 1);

    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

void AdditionalTab::PensionerCheckBoxClick()
{
    const bool pensioner = PensionerCheckBox->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{Label_pension_date, DBDateTimeEditEh4, Label_district,
                                                            DBLookupComboBox4})
        control->setEnabled(pensioner);
}

}  // namespace zel
