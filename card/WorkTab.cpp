#include "card/WorkTab.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbGrid.h"
#include "ui/GroupBox.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace zel {

using namespace card;

namespace {

constexpr const char* kDay = "dd.MM.yyyy";

}  // namespace

WorkTab::WorkTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet3"), parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* experience = addGroup(QStringLiteral("Стаж. Опыт работы (укажите количество лет)"), this);
    TDataSource* years = &dm.DS_Experience;
    // The two dates name the surname edit of the first tab, which is never shown
    // together with them: Enter there does nothing.
    QGridLayout* grid = addControls(experience, {
        {.name = "DBEdit5", .kind = ControlKind::Edit, .source = years, .field = "specialty",
         .caption = "Основная профессия (специальность):", .arms = SaveArming::Click, .enter = "DBEdit7"},
        {.name = "DBEdit7", .kind = ControlKind::Edit, .source = years, .field = "Gov_Service",
         .caption = "На государственной службе:", .arms = SaveArming::Click, .enter = "DBEdit9"},
        {.name = "DBEdit9", .kind = ControlKind::Edit, .source = years, .field = "On_Owners",
         .caption = "В частных структурах:", .arms = SaveArming::Click, .enter = "DBEdit10"},
        {.name = "DBEdit10", .kind = ControlKind::Edit, .source = years, .field = "specialty_s",
         .caption = "Стаж по специальности", .arms = SaveArming::Click, .enter = "DBEdit13"},
        {.name = "DBEdit13", .kind = ControlKind::Edit, .source = years, .field = "Total_s",
         .caption = "Общий стаж", .arms = SaveArming::Click, .enter = "DBEdit14"},
        {.name = "DBDateTimeEditEh1", .kind = ControlKind::Date, .source = years, .field = "Total_sDate",
         .caption = "с ", .arms = SaveArming::Change, .enter = "DBEdit1", .place = CaptionPlace::Inline},
        {.name = "DBEdit14", .kind = ControlKind::Edit, .source = years, .field = "teacher_s",
         .caption = "Педагогический стаж", .arms = SaveArming::Click, .enter = "DBEdit15"},
        {.name = "DBDateTimeEditEh3", .kind = ControlKind::Date, .source = years, .field = "teacher_sDate",
         .caption = "с ", .arms = SaveArming::Change, .enter = "DBEdit1", .place = CaptionPlace::Inline},
        {.name = "DBEdit15", .kind = ControlKind::Edit, .source = years, .field = "Unbreakable",
         .caption = "Непрерывный стаж ", .arms = SaveArming::Click, .enter = "DBEdit5"},
    });
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    DBEdit5 = control<ui::DbEdit>("DBEdit5");
    DBEdit7 = control<ui::DbEdit>("DBEdit7");
    DBEdit9 = control<ui::DbEdit>("DBEdit9");
    DBEdit10 = control<ui::DbEdit>("DBEdit10");
    DBEdit13 = control<ui::DbEdit>("DBEdit13");
    DBDateTimeEditEh1 = control<ui::DbDateEdit>("DBDateTimeEditEh1");
    DBEdit14 = control<ui::DbEdit>("DBEdit14");
    DBDateTimeEditEh3 = control<ui::DbDateEdit>("DBDateTimeEditEh3");
    DBEdit15 = control<ui::DbEdit>("DBEdit15");
    layout->addWidget(experience);

    auto* courses = addGroup(QStringLiteral("Повышение квалификации:"), this);
    auto* coursesLayout = new QVBoxLayout(courses);
    coursesLayout->setContentsMargins(4, 4, 4, 4);
    DBGridEh3 = addGrid(
        {.name = "DBGridEh3",
         .source = &dm.DS_Kvalification,
         .columns = {
             {.field = "date_1", .title = "Месяц, год|Начала", .kind = ColumnKind::Date, .armsSave = true,
              .emptyDateIsNull = true, .displayFormat = kDay},
             {.field = "date_2", .title = "Месяц, год|Окончания", .kind = ColumnKind::Date, .armsSave = true,
              .emptyDateIsNull = true, .displayFormat = kDay},
             {.field = "Qualification", .title = "Вид повышения квалификации", .kind = ColumnKind::Lookup,
              .armsSave = true},
             {.field = "theme", .title = "Тема"},
             {.field = "Trudoem", .title = "Трудоёмкость, час", .kind = ColumnKind::Lookup, .width = 110},
             {.field = "place", .title = "Место повышения квалификации (в том числе за рубежом)", .armsSave = true},
             {.field = "sertifikate", .title = "Свидетельство, удостоверение", .armsSave = true},
         },
         .postsOnLeave = true},
        courses);
    coursesLayout->addWidget(DBGridEh3);
    layout->addWidget(courses, 1);

    auto* work = addGroup(QStringLiteral("Выполняемая работа с начала трудовой деятельности."), this);
    auto* workLayout = new QVBoxLayout(work);
    workLayout->setContentsMargins(4, 4, 4, 4);
    DBGridEh1 = addGrid(
        {.name = "DBGridEh1",
         .source = &dm.DS_Work,
         .columns = {
             {.field = "Doljnost", .title = "Занимаемая должность", .armsSave = true},
             {.field = "Name_org", .title = "Наименование организации", .armsSave = true},
             {.field = "Adress", .title = "Адрес учреждения", .armsSave = true},
             {.field = "FIO_Dir", .title = "ФИО руководителя", .armsSave = true},
             {.field = "First_Check", .title = "Поступление| ", .kind = ColumnKind::CheckBox},
             {.field = "Date_Enter", .title = "Поступление|Дата", .kind = ColumnKind::Date, .armsSave = true,
              .emptyDateIsNull = true, .displayFormat = kDay},
             {.field = "Enter_numPrikaz", .title = "Поступление|№ Приказа"},
             {.field = "base", .title = "Основн./по совм.", .kind = ColumnKind::Lookup, .armsSave = true},
             {.field = "Date_Quit", .title = "Увольнение|Дата", .kind = ColumnKind::Date, .armsSave = true,
              .emptyDateIsNull = true, .displayFormat = kDay},
             {.field = "Quit_numPrikaz", .title = "Увольнение|№ Приказа"},
             {.field = "Phone", .title = "Телефон", .armsSave = true},
             {.field = "descr", .title = "Причина увольнения"},
         },
         .postsOnLeave = true},
        work);
    workLayout->addWidget(DBGridEh1);
    layout->addWidget(work, 1);
}

}  // namespace zel
