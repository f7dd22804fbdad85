#include "card/PersonalDataTab.h"

#include "card/AddressBlock.h"
#include "data/modules/TDM_PUM.h"
#include "data/dataset/TField.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbImage.h"
#include "ui/DbLabel.h"
#include "ui/DbLookupComboBox.h"
#include "ui/GroupBox.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

using namespace card;

namespace {

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

}  // namespace

PersonalDataTab::PersonalDataTab(TDM_PUM& dm, QWidget* parent) : CardTab(QStringLiteral("TabSheet1"), parent)
{
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    leftLayout->addWidget(buildPersonalGroup(dm));
    leftLayout->addWidget(buildPassportGroup(dm));
    auto* mailRow = new QWidget(left);
    addControls(mailRow, {
        {.name = "DBEdit21", .kind = ControlKind::Edit, .source = &dm.DS_Teacher_2, .field = "eMail",
         .caption = "e-mail:", .arms = SaveArming::Click, .enter = "DBDateTimeEditEh7"},
    })->setContentsMargins(4, 0, 4, 0);
    DBEdit21 = control<ui::DbEdit>("DBEdit21");
    leftLayout->addWidget(mailRow);
    leftLayout->addStretch(1);
    left->setFixedWidth(350);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(6);
    columns->addWidget(left);
    columns->addWidget(buildAddressColumn(dm), 1);
    columns->addWidget(buildPhotoGroup(dm));

    setNameEditsReadOnly(true);
    CheckBox1Click();
    connect(qApp, &QApplication::focusChanged, this, &PersonalDataTab::focusMoved);
}

QWidget* PersonalDataTab::buildPersonalGroup(TDM_PUM& dm)
{
    auto* group = addGroup(QStringLiteral("Личные данные:"), this);
    QGridLayout* grid = addControls(group, {
        {.name = "DBEdit1", .kind = ControlKind::Edit, .source = &dm.DS_TEACHER, .field = "P26",
         .caption = "  Фамилия:", .arms = SaveArming::Click, .enter = "DBEdit2"},
    });
    DBEdit1 = control<ui::DbEdit>("DBEdit1");
    DBEdit1->installEventFilter(this);

    const int line = grid->rowCount();
    CheckBox1 = named(new QCheckBox(QStringLiteral("Фамилия до изменения:"), group), "CheckBox1");
    grid->addWidget(CheckBox1, line, 0, 1, grid->columnCount());
    GroupBox20 = addGroup(QString(), group, "GroupBox20");
    addControls(GroupBox20, {
        {.name = "DBEdit37", .kind = ControlKind::Edit, .source = &dm.DS_Teacher_2, .field = "first_p26",
         .arms = SaveArming::Click},
        {.name = "DBEdit38", .kind = ControlKind::Edit, .source = &dm.DS_Teacher_2, .field = "num_date_f_p26",
         .caption = "№ и Дата приказа:", .arms = SaveArming::Click},
    });
    DBEdit37 = control<ui::DbEdit>("DBEdit37");
    DBEdit38 = control<ui::DbEdit>("DBEdit38");
    connect(CheckBox1, &QCheckBox::toggled, this, &PersonalDataTab::CheckBox1Click);
    grid->addWidget(GroupBox20, line + 1, 0, 1, grid->columnCount());

    TDataSource* info = &dm.DS_Teacher_2;
    addControls(group, {
        {.name = "DBEdit2", .kind = ControlKind::Edit, .source = &dm.DS_TEACHER, .field = "P27",
         .caption = "  Имя:", .arms = SaveArming::Click, .enter = "DBEdit3"},
        {.name = "DBEdit3", .kind = ControlKind::Edit, .source = &dm.DS_TEACHER, .field = "P28",
         .caption = "  Отчество:", .arms = SaveArming::Click, .enter = "DBDateTimeEditEh6"},
        {.name = "DBDateTimeEditEh6", .kind = ControlKind::Date, .source = info, .field = "D_b",
         .caption = "  Дата рождения:", .arms = SaveArming::Change, .enter = "DBLookupComboBox16"},
        {.name = "DBLookupComboBox16", .kind = ControlKind::Lookup, .source = info, .field = "id_nationality",
         .caption = "  Национальность:", .list = {&dm.DS_nationality, "IDNationality", "Nationality"},
         .arms = SaveArming::Click, .enter = "DBLookupComboBox1", .button = "Button11"},
        {.name = "DBLookupComboBox1", .kind = ControlKind::Lookup, .source = info, .field = "id_pol",
         .caption = "  Пол:", .list = {&dm.DS_pol, "id_pol", "p17"}, .arms = SaveArming::Click,
         .enter = "DBLookupComboBox17"},
        {.name = "DBLookupComboBox17", .kind = ControlKind::Lookup, .source = info, .field = "id_citizenship",
         .caption = "  Гражданство:", .list = {&dm.DS_cityzenship, "IDCitizenship", "Citizenship"},
         .arms = SaveArming::Click, .enter = "DBLookupComboboxEh2", .button = "Button10"},
        {.name = "DBLookupComboboxEh2", .kind = ControlKind::Lookup, .source = info, .field = "id_soc_pr",
         .caption = "Соц. происхождение:", .list = {&dm.DS_Soc_pr, "id_soc_pr", "soc_status"},
         .arms = SaveArming::Change, .enter = "DBLookupComboBox3", .button = "Button3"},
        {.name = "DBLookupComboBox3", .kind = ControlKind::Lookup, .source = info, .field = "id_Uch_Stepen",
         .caption = "  Ученая степень:", .list = {&dm.DS_Uch_step, "id_uch_stepen", "k5"},
         .arms = SaveArming::Click, .enter = "DBLookupComboBox11", .button = "Button4"},
        {.name = "DBLookupComboBox11", .kind = ControlKind::Lookup, .source = info, .field = "id_Uch_zvanie",
         .caption = "  Ученое звание:", .list = {&dm.DS_uch_zvanie, "id_uch_zvanie", "k6"},
         .arms = SaveArming::Click, .enter = "DBEdit11", .button = "Button5"},
        {.name = "DBEdit11", .kind = ControlKind::Edit, .source = info, .field = "Phone",
         .caption = " Телефон домашний:", .arms = SaveArming::Click, .enter = "DBEdit4"},
        {.name = "DBEdit4", .kind = ControlKind::Edit, .source = info, .field = "Phone_mobile",
         .caption = "  Телефон сотовый:", .arms = SaveArming::Click, .enter = "DBEdit12"},
        {.name = "DBEdit12", .kind = ControlKind::Edit, .source = info, .field = "Phon_w",
         .caption = "Телефон служебный:", .arms = SaveArming::Click, .enter = "DBEdit16"},
    });
    DBEdit2 = control<ui::DbEdit>("DBEdit2");
    DBEdit3 = control<ui::DbEdit>("DBEdit3");
    DBDateTimeEditEh6 = control<ui::DbDateEdit>("DBDateTimeEditEh6");
    DBLookupComboBox16 = control<ui::DbLookupComboBox>("DBLookupComboBox16");
    Button11 = control<QPushButton>("Button11");
    DBLookupComboBox1 = control<ui::DbLookupComboBox>("DBLookupComboBox1");
    DBLookupComboBox17 = control<ui::DbLookupComboBox>("DBLookupComboBox17");
    Button10 = control<QPushButton>("Button10");
    DBLookupComboboxEh2 = control<ui::DbLookupComboBox>("DBLookupComboboxEh2");
    Button3 = control<QPushButton>("Button3");
    DBLookupComboBox3 = control<ui::DbLookupComboBox>("DBLookupComboBox3");
    Button4 = control<QPushButton>("Button4");
    DBLookupComboBox11 = control<ui::DbLookupComboBox>("DBLookupComboBox11");
    Button5 = control<QPushButton>("Button5");
    DBEdit11 = control<ui::DbEdit>("DBEdit11");
    DBEdit4 = control<ui::DbEdit>("DBEdit4");
    DBEdit12 = control<ui::DbEdit>("DBEdit12");
    return group;
}

QWidget* PersonalDataTab::buildPassportGroup(TDM_PUM& dm)
{
    auto* group = addGroup(QStringLiteral("Паспортные данные:"), this);
    TDataSource* passport = &dm.DS_Passport;
    addControls(group, {
        {.name = "DBEdit16", .kind = ControlKind::Edit, .source = passport, .field = "S_p", .caption = "Серия:",
         .arms = SaveArming::Click, .enter = "DBEdit17"},
        {.name = "DBEdit17", .kind = ControlKind::Edit, .source = passport, .field = "N_p", .caption = "№:",
         .arms = SaveArming::Click, .enter = "DBDateTimeEditEh2"},
        {.name = "DBDateTimeEditEh2", .kind = ControlKind::Date, .source = passport, .field = "D_given_p",
         .caption = "Дата выдачи:", .arms = SaveArming::Change, .enter = "DBLookupComboboxEh3"},
        {.name = "DBLookupComboboxEh3", .kind = ControlKind::Lookup, .source = passport,
         .field = "id_passport_organ", .caption = "Кем выдан:", .list = {&dm.DS_passport_organ, "IDMVD", "CodeMVD"},
         .arms = SaveArming::Change, .enter = "DBEdit18", .button = "Button7"},
        {.name = "DBEdit18", .kind = ControlKind::Edit, .source = passport, .field = "INN", .caption = "ИНН:",
         .arms = SaveArming::Click, .enter = "DBEdit21"},
        {.name = "DBCheckBox2", .kind = ControlKind::CheckBox, .source = passport, .field = "BessrochnyiPasport",
         .caption = "Бессрочный пасспорт:"},
    });
    DBEdit16 = control<ui::DbEdit>("DBEdit16");
    DBEdit17 = control<ui::DbEdit>("DBEdit17");
    DBDateTimeEditEh2 = control<ui::DbDateEdit>("DBDateTimeEditEh2");
    DBLookupComboboxEh3 = control<ui::DbLookupComboBox>("DBLookupComboboxEh3");
    Button7 = control<QPushButton>("Button7");
    DBEdit18 = control<ui::DbEdit>("DBEdit18");
    DBCheckBox2 = control<ui::DbCheckBox>("DBCheckBox2");
    return group;
}

QWidget* PersonalDataTab::buildAddressColumn(TDM_PUM& dm)
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    PlaceOfBirth = new AddressBlock(QStringLiteral("BitBtn2"), QStringLiteral("Место рождения:"),
                                    &dm.DS_Place_of_birth, QString(), column);
    PlaceLeave = new AddressBlock(QStringLiteral("BitBtn3"), QStringLiteral("Место жительства:"),
                                  &dm.DS_place_leave, QStringLiteral("DBEdit6"), column);
    PlaceResidence = new AddressBlock(QStringLiteral("BitBtn4"), QStringLiteral("Место прописки:"),
                                      &dm.DS_PlaceResidence, QStringLiteral("DBEdit36"), column);
    layout->addWidget(PlaceOfBirth);
    layout->addWidget(PlaceLeave);
    layout->addWidget(PlaceResidence);
    for (AddressBlock* block : {PlaceLeave, PlaceResidence})
        connect(block, &AddressBlock::streetClicked, this, &CardTab::saveArmed);

    auto* filled = new QWidget(column);
    // Enter in the last control of the chain names a control the window does not have.
    addControls(filled, {
        {.name = "DBDateTimeEditEh7", .kind = ControlKind::Date, .source = &dm.DS_Teacher_2, .field = "D_z",
         .caption = "Дата заполнения:", .arms = SaveArming::Change, .enter = "DBEdit22"},
    })->setContentsMargins(0, 0, 0, 0);
    DBDateTimeEditEh7 = control<ui::DbDateEdit>("DBDateTimeEditEh7");
    layout->addWidget(filled);
    layout->addStretch(1);
    return column;
}

QWidget* PersonalDataTab::buildPhotoGroup(TDM_PUM& dm)
{
    GroupBox21 = addGroup(QString(), this, "GroupBox21");
    GroupBox21->setFixedWidth(160);
    auto* layout = new QVBoxLayout(GroupBox21);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    SpeedButton11 = named(new QPushButton(QStringLiteral("Удалить фото"), GroupBox21), "SpeedButton11");
    layout->addWidget(SpeedButton11);
    DBImage1 = named(new ui::DbImage(GroupBox21), "DBImage1");
    DBImage1->setFixedSize(114, 152);
    DBImage1->setDataSource(&dm.DS_photo, QStringLiteral("photo"));
    layout->addWidget(DBImage1, 0, Qt::AlignHCenter);
    BitBtn1 = named(new QPushButton(QStringLiteral("Загрузить фото"), GroupBox21), "BitBtn1");
    BitBtn1->setToolTip(QStringLiteral("Загрузить фото"));
    layout->addWidget(BitBtn1);
    Button12 = named(new QPushButton(QStringLiteral("Отчёты"), GroupBox21), "Button12");
    layout->addWidget(Button12);

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new QLabel(QStringLiteral("Шифр:"), GroupBox21));
    DBText4 = named(new ui::DbLabel(GroupBox21), "DBText4");
    DBText4->setDataSource(&dm.DS_TEACHER, QStringLiteral("id_teacher"));
    QFont bold = DBText4->font();
    bold.setBold(true);
    DBText4->setFont(bold);
    keyRow->addWidget(DBText4, 1);
    layout->addLayout(keyRow);

    DBCheckBox3 = named(new ui::DbCheckBox(QStringLiteral("Сотрудник работает"), GroupBox21), "DBCheckBox3");
    DBCheckBox3->setDataSource(&dm.DS_TEACHER, QStringLiteral("status"));
    layout->addWidget(DBCheckBox3);
    layout->addStretch(1);
    return GroupBox21;
}

void PersonalDataTab::setNameEditsReadOnly(bool readOnly)
{
    for (ui::DbEdit* edit : {DBEdit1, DBEdit2, DBEdit3})
        edit->setReadOnly(readOnly);
}

void PersonalDataTab::CheckBox1Click()
{
    const bool enabled = CheckBox1->isChecked();
    GroupBox20->setEnabled(enabled);
    for (ui::DbEdit* edit : {DBEdit37, DBEdit38}) {
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, enabled ? QColor(Qt::white) : palette().color(QPalette::Midlight));
        edit->setPalette(colours);
    }
    if (enabled)
        DBEdit37->setFocus(Qt::OtherFocusReason);
}

void PersonalDataTab::focusMoved(QWidget* from, QWidget* to)
{
    // Only a move to another control of the card is an exit; a message box or
    // another window taking the focus is not.
    if (m_returningToInn || !to || to->window() != window())
        return;
    if (from == DBEdit18 || from == DBEdit21)
        ui::runGuarded(this, [this] { DBEdit18Exit(); });
}

void PersonalDataTab::DBEdit18Exit()
{
    const TField* inn = DBEdit18->field();
    if (!inn || inn->IsNull() || inn->AsString().size() == inn->Size())
        return;
    ui::MessageBoxes::warning(window(), QStringLiteral("Не до конца заполнен \"ИНН\"."));
    m_returningToInn = true;
    DBEdit18->setFocus(Qt::OtherFocusReason);
    m_returningToInn = false;
    DBEdit18->deselect();
    DBEdit18->setCursorPosition(int(DBEdit18->text().size()));
}

bool PersonalDataTab::eventFilter(QObject* watched, QEvent* event)
{
    // A surname never starts with a blank.
    if (watched == DBEdit1 && event->type() == QEvent::KeyPress && !DBEdit1->isReadOnly()
        && DBEdit1->text().isEmpty() && static_cast<QKeyEvent*>(event)->text() == QStringLiteral(" ")) {
        ui::MessageBoxes::plain(window(), QStringLiteral("1-я буква не должна быть пробелом!"),
                                ui::MessageBoxes::applicationTitle());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zel
