#include "card/PersonalDataTab.h"

#include "card/AddressBlock.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbEdit.h"
#include "ui/DbImage.h"
#include "ui/DbLabel.h"
#include "ui/DbLookupComboBox.h"
#include "ui/EnterChain.h"
#include "ui/GroupBox.h"
#include "ui/LabelPanel.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel {

namespace {

constexpr int kCaptionWidth = 140;

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

ui::DbEdit* boundEdit(const char* name, TDataSource& source, const char* field, QWidget* parent)
{
    auto* edit = named(new ui::DbEdit(parent), name);
    edit->setDataSource(&source, QString::fromLatin1(field));
    return edit;
}

ui::DbDateEdit* boundDate(const char* name, TDataSource& source, const char* field, QWidget* parent)
{
    auto* edit = named(new ui::DbDateEdit(parent), name);
    edit->setDataSource(&source, QString::fromLatin1(field));
    return edit;
}

ui::DbLookupComboBox* boundLookup(const char* name, TDataSource& source, const char* field, TDataSource& list,
                                  const char* keyField, const char* listField, QWidget* parent)
{
    auto* box = named(new ui::DbLookupComboBox(parent), name);
    box->setListSource(&list, QString::fromLatin1(keyField), QString::fromLatin1(listField));
    box->setDataSource(&source, QString::fromLatin1(field));
    return box;
}

/// The "+" button beside a selector, which opens the selector's dictionary.
QPushButton* plusButton(const char* name, QWidget* parent)
{
    auto* button = named(new QPushButton(QStringLiteral("+"), parent), name);
    button->setFixedSize(21, 21);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

/// Caption panel, control and an optional "+" button on one row of a grid.
void addRow(QGridLayout* grid, int row, const QString& caption, QWidget* control, QWidget* plus = nullptr)
{
    auto* label = new ui::LabelPanel(caption, grid->parentWidget());
    label->setFixedWidth(kCaptionWidth);
    grid->addWidget(label, row, 0);
    if (plus) {
        grid->addWidget(control, row, 1);
        grid->addWidget(plus, row, 2);
    } else {
        grid->addWidget(control, row, 1, 1, 2);
    }
}

QGridLayout* rowGrid(QWidget* group)
{
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(1, 1);
    return grid;
}

}  // namespace

PersonalDataTab::PersonalDataTab(TDM_PUM& dm, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(2);
    leftLayout->addWidget(buildPersonalGroup(dm));
    leftLayout->addWidget(buildPassportGroup(dm));
    auto* mailRow = new QWidget(left);
    auto* mailGrid = rowGrid(mailRow);
    mailGrid->setContentsMargins(4, 0, 4, 0);
    DBEdit21 = boundEdit("DBEdit21", dm.DS_Teacher_2, "eMail", mailRow);
    addRow(mailGrid, 0, QStringLiteral("e-mail:"), DBEdit21);
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
    chainEnterKey();
    armSaveOnUserInput();
}

QWidget* PersonalDataTab::buildPersonalGroup(TDM_PUM& dm)
{
    auto* group = new ui::GroupBox(QStringLiteral("Личные данные:"), this);
    auto* grid = rowGrid(group);
    int row = 0;

    DBEdit1 = boundEdit("DBEdit1", dm.DS_TEACHER, "P26", group);
    DBEdit1->installEventFilter(this);
    addRow(grid, row++, QStringLiteral("  Фамилия:"), DBEdit1);

    CheckBox1 = named(new QCheckBox(QStringLiteral("Фамилия до изменения:"), group), "CheckBox1");
    grid->addWidget(CheckBox1, row++, 0, 1, 3);
    GroupBox20 = named(new ui::GroupBox(QString(), group), "GroupBox20");
    auto* former = rowGrid(GroupBox20);
    DBEdit37 = boundEdit("DBEdit37", dm.DS_Teacher_2, "first_p26", GroupBox20);
    former->addWidget(DBEdit37, 0, 0, 1, 3);
    DBEdit38 = boundEdit("DBEdit38", dm.DS_Teacher_2, "num_date_f_p26", GroupBox20);
    addRow(former, 1, QStringLiteral("№ и Дата приказа:"), DBEdit38);
    GroupBox20->setEnabled(false);
    connect(CheckBox1, &QCheckBox::toggled, GroupBox20, &QWidget::setEnabled);
    grid->addWidget(GroupBox20, row++, 0, 1, 3);

    DBEdit2 = boundEdit("DBEdit2", dm.DS_TEACHER, "P27", group);
    addRow(grid, row++, QStringLiteral("  Имя:"), DBEdit2);
    DBEdit3 = boundEdit("DBEdit3", dm.DS_TEACHER, "P28", group);
    addRow(grid, row++, QStringLiteral("  Отчество:"), DBEdit3);
    DBDateTimeEditEh6 = boundDate("DBDateTimeEditEh6", dm.DS_Teacher_2, "D_b", group);
    addRow(grid, row++, QStringLiteral("  Дата рождения:"), DBDateTimeEditEh6);

    // Selectors of the personal data; the "+" button opens the selector's dictionary.
    struct LookupRow {
        ui::DbLookupComboBox** box;
        const char* name;
        const char* field;
        TDataSource* list;
        const char* keyField;
        const char* listField;
        QPushButton** plus;
        const char* plusName;
        const char* caption;
    };
    const LookupRow lookups[] = {
        {&DBLookupComboBox16, "DBLookupComboBox16", "id_nationality", &dm.DS_nationality, "IDNationality",
         "Nationality", &Button11, "Button11", "  Национальность:"},
        {&DBLookupComboBox1, "DBLookupComboBox1", "id_pol", &dm.DS_pol, "id_pol", "p17", nullptr, nullptr,
         "  Пол:"},
        {&DBLookupComboBox17, "DBLookupComboBox17", "id_citizenship", &dm.DS_cityzenship, "IDCitizenship",
         "Citizenship", &Button10, "Button10", "  Гражданство:"},
        {&DBLookupComboboxEh2, "DBLookupComboboxEh2", "id_soc_pr", &dm.DS_Soc_pr, "id_soc_pr", "soc_status",
         &Button3, "Button3", "Соц. происхождение:"},
        {&DBLookupComboBox3, "DBLookupComboBox3", "id_Uch_Stepen", &dm.DS_Uch_step, "id_uch_stepen", "k5",
         &Button4, "Button4", "  Ученая степень:"},
        {&DBLookupComboBox11, "DBLookupComboBox11", "id_Uch_zvanie", &dm.DS_uch_zvanie, "id_uch_zvanie", "k6",
         &Button5, "Button5", "  Ученое звание:"},
    };
    for (const LookupRow& lookup : lookups) {
        *lookup.box = boundLookup(lookup.name, dm.DS_Teacher_2, lookup.field, *lookup.list, lookup.keyField,
                                  lookup.listField, group);
        QPushButton* plus = nullptr;
        if (lookup.plus)
            plus = *lookup.plus = plusButton(lookup.plusName, group);
        addRow(grid, row++, QString::fromUtf8(lookup.caption), *lookup.box, plus);
    }

    struct EditRow {
        ui::DbEdit** edit;
        const char* name;
        const char* field;
        const char* caption;
    };
    const EditRow phones[] = {
        {&DBEdit11, "DBEdit11", "Phone", " Телефон домашний:"},
        {&DBEdit4, "DBEdit4", "Phone_mobile", "  Телефон сотовый:"},
        {&DBEdit12, "DBEdit12", "Phon_w", "Телефон служебный:"},
    };
    for (const EditRow& phone : phones) {
        *phone.edit = boundEdit(phone.name, dm.DS_Teacher_2, phone.field, group);
        addRow(grid, row++, QString::fromUtf8(phone.caption), *phone.edit);
    }
    return group;
}

QWidget* PersonalDataTab::buildPassportGroup(TDM_PUM& dm)
{
    auto* group = new ui::GroupBox(QStringLiteral("Паспортные данные:"), this);
    auto* grid = rowGrid(group);
    int row = 0;
    DBEdit16 = boundEdit("DBEdit16", dm.DS_Passport, "S_p", group);
    addRow(grid, row++, QStringLiteral("Серия:"), DBEdit16);
    DBEdit17 = boundEdit("DBEdit17", dm.DS_Passport, "N_p", group);
    addRow(grid, row++, QStringLiteral("№:"), DBEdit17);
    DBDateTimeEditEh2 = boundDate("DBDateTimeEditEh2", dm.DS_Passport, "D_given_p", group);
    addRow(grid, row++, QStringLiteral("Дата выдачи:"), DBDateTimeEditEh2);
    DBLookupComboboxEh3 = boundLookup("DBLookupComboboxEh3", dm.DS_Passport, "id_passport_organ",
                                      dm.DS_passport_organ, "IDMVD", "CodeMVD", group);
    Button7 = plusButton("Button7", group);
    addRow(grid, row++, QStringLiteral("Кем выдан:"), DBLookupComboboxEh3, Button7);
    DBEdit18 = boundEdit("DBEdit18", dm.DS_Passport, "INN", group);
    addRow(grid, row++, QStringLiteral("ИНН:"), DBEdit18);
    DBCheckBox2 = named(new ui::DbCheckBox(QString(), group), "DBCheckBox2");
    DBCheckBox2->setDataSource(&dm.DS_Passport, QStringLiteral("BessrochnyiPasport"));
    addRow(grid, row++, QStringLiteral("Бессрочный пасспорт:"), DBCheckBox2);
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

    auto* filled = new QWidget(column);
    auto* grid = rowGrid(filled);
    grid->setContentsMargins(0, 0, 0, 0);
    DBDateTimeEditEh7 = boundDate("DBDateTimeEditEh7", dm.DS_Teacher_2, "D_z", filled);
    addRow(grid, 0, QStringLiteral("Дата заполнения:"), DBDateTimeEditEh7);
    layout->addWidget(filled);
    layout->addStretch(1);
    return column;
}

QWidget* PersonalDataTab::buildPhotoGroup(TDM_PUM& dm)
{
    GroupBox21 = named(new ui::GroupBox(QString(), this), "GroupBox21");
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

void PersonalDataTab::chainEnterKey()
{
    const QList<QWidget*> chain = {
        DBEdit1,           DBEdit2,          DBEdit3,           DBDateTimeEditEh6,   DBLookupComboBox16,
        DBLookupComboBox1, DBLookupComboBox17, DBLookupComboboxEh2, DBLookupComboBox3, DBLookupComboBox11,
        DBEdit11,          DBEdit4,          DBEdit12,          DBEdit16,            DBEdit17,
        DBDateTimeEditEh2, DBLookupComboboxEh3, DBEdit18,       DBEdit21,            DBDateTimeEditEh7,
    };
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        ui::EnterChain::setSuccessor(chain[i], chain[i + 1]->objectName());
    // The last one names a control the window does not have.
    ui::EnterChain::setSuccessor(chain.back(), QStringLiteral("DBEdit22"));
}

void PersonalDataTab::armSaveOnUserInput()
{
    for (ui::DbEdit* edit : {DBEdit1, DBEdit2, DBEdit3, DBEdit37, DBEdit38, DBEdit11, DBEdit4, DBEdit12, DBEdit16,
                             DBEdit17, DBEdit18, DBEdit21})
        connect(edit, &ui::DbEdit::clicked, this, &PersonalDataTab::saveArmed);
    for (AddressBlock* block : {PlaceLeave, PlaceResidence})
        connect(block, &AddressBlock::streetClicked, this, &PersonalDataTab::saveArmed);
    for (ui::DbDateEdit* date : {DBDateTimeEditEh6, DBDateTimeEditEh2, DBDateTimeEditEh7})
        connect(date, &ui::DbDateEdit::changed, this, &PersonalDataTab::saveArmed);
    for (ui::DbLookupComboBox* box : {DBLookupComboBox16, DBLookupComboBox1, DBLookupComboBox17, DBLookupComboBox3,
                                      DBLookupComboBox11})
        connect(box, &ui::DbLookupComboBox::clicked, this, &PersonalDataTab::saveArmed);
    for (ui::DbLookupComboBox* box : {DBLookupComboboxEh2, DBLookupComboboxEh3})
        connect(box, &ui::DbLookupComboBox::changed, this, &PersonalDataTab::saveArmed);
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
