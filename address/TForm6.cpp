#include "address/TForm6.h"

#include "data/dataset/TField.h"
#include "data/modules/TDM_PUM.h"
#include "ui/DbLookupComboBox.h"
#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace zel {

namespace {

/// One row of the window: its caption, list, toggle and add panel.
struct RowSpec {
    const char* caption;
    const char* captionName;
    bool radio;
    const char* listName;
    TDataSource TDM_PUM::*source;
    const char* keyField;
    const char* shownField;
    const char* toggleName;
    const char* panelName;
    const char* editName;
    const char* saveName;
};

const RowSpec kRows[TForm6::LevelCount] = {
    {"Республика", "Label1", false, "DBLookupComboBox1", &TDM_PUM::DS_Republic, "id_republics", "republic",
     "SpeedButton10", "Panel5", "Edit5", "SpeedButton9"},
    {"Область", "Label2", false, "DBLookupComboBox13", &TDM_PUM::DS_RegionAdd, "IDRegion", "NameRegion",
     "SpeedButton5", "Panel1", "Edit1", "SpeedButton1"},
    {"Район", "Label3", false, "DBLookupComboBox14", &TDM_PUM::DS_DistrictAdd, "IDDistrict", "NameDistrict",
     "SpeedButton6", "Panel2", "Edit2", "SpeedButton2"},
    {"Город:", "RadioButton3", true, "DBLookupComboBox15", &TDM_PUM::DS_CityAdd, "IDCity", "NameCity",
     "SpeedButton7", "Panel3", "Edit3", "SpeedButton3"},
    {"Село:", "RadioButton4", true, "DBLookupComboBox16", &TDM_PUM::DS_VillageAdd, "IDVillage", "NameVillage",
     "SpeedButton8", "Panel4", "Edit4", "SpeedButton4"},
};

const QString kVisibleOnly = QStringLiteral("visible = 1");

}  // namespace

/// What one save button inserts.
struct TForm6::NewPlace {
    Level level;
    TDataSet& list;
    QLineEdit* edit;
    const char* parentField;  // null for a republic
    QVariant parentKey;
    const char* nameField;
    TDataSet* cardLists[2];
    bool ask;
};

TForm6::TForm6(TDM_PUM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Справочник"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(584, 172);
    buildRows();
    FormCreate();
}

TForm6::~TForm6()
{
    if (!m_closed)
        FormClose();
}

void TForm6::buildRows()
{
    QLabel* TForm6::*const labels[] = {&TForm6::Label1, &TForm6::Label2, &TForm6::Label3};
    QRadioButton* TForm6::*const radios[] = {&TForm6::RadioButton3, &TForm6::RadioButton4};
    ui::DbLookupComboBox* TForm6::*const lists[] = {&TForm6::DBLookupComboBox1, &TForm6::DBLookupComboBox13,
                                                    &TForm6::DBLookupComboBox14, &TForm6::DBLookupComboBox15,
                                                    &TForm6::DBLookupComboBox16};
    QToolButton* TForm6::*const toggles[] = {&TForm6::SpeedButton10, &TForm6::SpeedButton5, &TForm6::SpeedButton6,
                                             &TForm6::SpeedButton7, &TForm6::SpeedButton8};
    QWidget* TForm6::*const panels[] = {&TForm6::Panel5, &TForm6::Panel1, &TForm6::Panel2, &TForm6::Panel3,
                                        &TForm6::Panel4};
    QLineEdit* TForm6::*const edits[] = {&TForm6::Edit5, &TForm6::Edit1, &TForm6::Edit2, &TForm6::Edit3,
                                         &TForm6::Edit4};
    QToolButton* TForm6::*const saves[] = {&TForm6::SpeedButton9, &TForm6::SpeedButton1, &TForm6::SpeedButton2,
                                           &TForm6::SpeedButton3, &TForm6::SpeedButton4};
    void (TForm6::*const saveActions[])() = {&TForm6::SpeedButton9Click, &TForm6::SpeedButton1Click,
                                             &TForm6::SpeedButton2Click, &TForm6::SpeedButton3Click,
                                             &TForm6::SpeedButton4Click};

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 1);
    m_toggles = new QButtonGroup(this);
    m_toggles->setExclusive(true);
    QFont bold = font();
    bold.setBold(true);
    const QIcon saveIcon = style()->standardIcon(QStyle::SP_DialogSaveButton);

    for (int level = 0; level < LevelCount; ++level) {
        const RowSpec& spec = kRows[level];
        const QString caption = QString::fromUtf8(spec.caption);
        QWidget* captionWidget = nullptr;
        if (spec.radio) {
            QRadioButton*& radio = this->*radios[level - City];
            radio = new QRadioButton(caption, this);
            captionWidget = radio;
        } else {
            QLabel*& label = this->*labels[level];
            label = new QLabel(caption, this);
            captionWidget = label;
        }
        captionWidget->setObjectName(QString::fromLatin1(spec.captionName));

        ui::DbLookupComboBox*& list = this->*lists[level];
        list = new ui::DbLookupComboBox(this);
        list->setObjectName(QString::fromLatin1(spec.listName));
        list->setListSource(&(m_dm.*spec.source), QString::fromLatin1(spec.keyField),
                            QString::fromLatin1(spec.shownField));

        QToolButton*& toggle = this->*toggles[level];
        toggle = new QToolButton(this);
        toggle->setObjectName(QString::fromLatin1(spec.toggleName));
        toggle->setText(QStringLiteral("->"));
        toggle->setFont(bold);
        toggle->setCheckable(true);
        toggle->setFixedSize(23, 22);
        m_toggles->addButton(toggle, level);

        QWidget*& panel = this->*panels[level];
        panel = new QWidget(this);
        panel->setObjectName(QString::fromLatin1(spec.panelName));
        auto* panelLayout = new QHBoxLayout(panel);
        panelLayout->setContentsMargins(0, 0, 0, 0);
        panelLayout->setSpacing(3);
        QLineEdit*& edit = this->*edits[level];
        edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(spec.editName));
        edit->setFixedWidth(201);
        QToolButton*& save = this->*saves[level];
        save = new QToolButton(panel);
        save->setObjectName(QString::fromLatin1(spec.saveName));
        save->setIcon(saveIcon);
        save->setToolTip(QStringLiteral("Сохранить"));
        save->setAutoRaise(true);
        save->setFixedSize(23, 22);
        save->setEnabled(false);
        panelLayout->addWidget(edit);
        panelLayout->addWidget(save);
        panelLayout->addStretch(1);
        panel->setFixedWidth(240);

        grid->addWidget(captionWidget, level, 0);
        grid->addWidget(list, level, 1);
        grid->addWidget(toggle, level, 2);
        grid->addWidget(panel, level, 3);

        // EditNChange: a save button is offered exactly while its text box holds text.
        connect(edit, &QLineEdit::textChanged, save, [save](const QString& text) { save->setEnabled(!text.isEmpty()); });
        connect(save, &QToolButton::clicked, this, ui::guarded(this, [this, action = saveActions[level]] {
                    (this->*action)();
                }));
        if (level != Republic) {
            list->setEnabled(false);
            toggle->setEnabled(false);
            panel->setVisible(false);
        }
    }

    SpeedButton10->setChecked(true);
    RadioButton3->setChecked(true);
    RadioButton3->setEnabled(false);
    RadioButton4->setEnabled(false);

    connect(DBLookupComboBox1, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { DBLookupComboBox1Click(); }));
    connect(DBLookupComboBox13, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { DBLookupComboBox13Click(); }));
    connect(DBLookupComboBox14, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { DBLookupComboBox14Click(); }));
    connect(RadioButton3, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton3Click();
    });
    connect(RadioButton4, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton4Click();
    });
    connect(m_toggles, &QButtonGroup::buttonClicked, this, [this] { SpeedButton6Click(); });
}

void TForm6::FormCreate()
{
    for (TDataSet* list : std::initializer_list<TDataSet*>{&m_dm.ADOT_Republic, &m_dm.ADOQ_RegionAdd,
                                                           &m_dm.ADOQ_DistrictAdd, &m_dm.ADOQ_CityAdd,
                                                           &m_dm.ADOQ_VillageAdd}) {
        list->SetFilter(kVisibleOnly);
        list->SetFiltered(true);
    }
}

void TForm6::done(int result)
{
    if (!m_closed)
        FormClose();
    QDialog::done(result);
}

void TForm6::FormClose()
{
    m_closed = true;
    for (TDataSet* list : std::initializer_list<TDataSet*>{&m_dm.ADOT_Republic, &m_dm.ADOQ_RegionAdd,
                                                           &m_dm.ADOQ_DistrictAdd, &m_dm.ADOQ_CityAdd,
                                                           &m_dm.ADOQ_VillageAdd}) {
        // A place whose post failed never reached the database; its row must not
        // linger in a list the card and the other dictionaries go on reading.
        if (list->State() == dsInsert)
            list->Cancel();
        list->SetFiltered(false);
    }
}

void TForm6::narrow(TDataSet& list, const char* parentField, const QVariant& parentKey)
{
    list.SetFilter(QString::fromLatin1(parentField) + u'=' + QString::number(parentKey.toLongLong())
                   + QStringLiteral(" AND ") + kVisibleOnly);
    list.SetFiltered(true);
}

void TForm6::DBLookupComboBox1Click()
{
    narrow(m_dm.ADOQ_RegionAdd, "id_republic", DBLookupComboBox1->keyValue());
    DBLookupComboBox13->setEnabled(true);
    SpeedButton5->setEnabled(true);
}

void TForm6::DBLookupComboBox13Click()
{
    narrow(m_dm.ADOQ_DistrictAdd, "IDRegion", DBLookupComboBox13->keyValue());
    DBLookupComboBox14->setEnabled(!m_dm.ADOQ_RegionAdd.IsEmpty());
    SpeedButton6->setEnabled(true);
}

void TForm6::DBLookupComboBox14Click()
{
    const QVariant district = DBLookupComboBox14->keyValue();
    narrow(m_dm.ADOQ_CityAdd, "IDDistrict", district);
    narrow(m_dm.ADOQ_VillageAdd, "IDDistrict", district);
    RadioButton3->setEnabled(true);
    RadioButton4->setEnabled(true);
    RadioButton3->setChecked(true);
    RadioButton3Click();
}

void TForm6::RadioButton3Click()
{
    DBLookupComboBox16->setEnabled(false);
    DBLookupComboBox15->setEnabled(true);
    SpeedButton7->setEnabled(true);
    SpeedButton8->setEnabled(false);
}

void TForm6::RadioButton4Click()
{
    DBLookupComboBox16->setEnabled(true);
    DBLookupComboBox15->setEnabled(false);
    SpeedButton8->setEnabled(true);
    SpeedButton7->setEnabled(false);
}

void TForm6::SpeedButton6Click()
{
    const QToolButton* toggles[] = {SpeedButton10, SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton8};
    QWidget* panels[] = {Panel5, Panel1, Panel2, Panel3, Panel4};
    for (int level = 0; level < LevelCount; ++level)
        panels[level]->setVisible(toggles[level]->isChecked());
}

QString TForm6::BlankNameText()
{
    return QStringLiteral("Название не может состоять из одних пробелов. Введите название.");
}

QString TForm6::MissingParentText(int level)
{
    switch (level) {
    case Region:
        return QStringLiteral("Не выбрана республика. Выберите республику, к которой относится новая область.");
    case District:
        return QStringLiteral("Не выбрана область. Выберите область, к которой относится новый район.");
    case City:
        return QStringLiteral("Не выбран район. Выберите район, к которому относится новый город.");
    case Village:
        return QStringLiteral("Не выбран район. Выберите район, к которому относится новое село.");
    default:
        return {};
    }
}

void TForm6::SpeedButton9Click()
{
    savePlace({Republic, m_dm.ADOT_Republic, Edit5, nullptr, {}, "republic",
               {&m_dm.ADOT_Republic, &m_dm.ADOT_Republic2}, false});
}

void TForm6::SpeedButton1Click()
{
    savePlace({Region, m_dm.ADOQ_RegionAdd, Edit1, "id_republic", DBLookupComboBox1->keyValue(), "NameRegion",
               {&m_dm.ADOQ_Area, &m_dm.ADOQ_AreaNow}, true});
}

void TForm6::SpeedButton2Click()
{
    savePlace({District, m_dm.ADOQ_DistrictAdd, Edit2, "IDRegion", DBLookupComboBox13->keyValue(), "NameDistrict",
               {&m_dm.ADOQ_Region, &m_dm.ADOQ_RegionNow}, false});
}

void TForm6::SpeedButton3Click()
{
    savePlace({City, m_dm.ADOQ_CityAdd, Edit3, "IDDistrict", DBLookupComboBox14->keyValue(), "NameCity",
               {&m_dm.ADOQ_City, &m_dm.ADOQ_CityNow}, false});
}

void TForm6::SpeedButton4Click()
{
    savePlace({Village, m_dm.ADOQ_VillageAdd, Edit4, "IDDistrict", DBLookupComboBox14->keyValue(), "NameVillage",
               {&m_dm.ADOQ_Village, &m_dm.ADOQ_VillageNow}, false});
}

void TForm6::savePlace(const NewPlace& place)
{
    const QString name = place.edit->text();
    // Stored as typed otherwise: no trimming, no duplicate check.
    if (name.trimmed().isEmpty()) {
        ui::MessageBoxes::warning(this, BlankNameText());
        return;
    }
    if (place.parentField && place.parentKey.isNull()) {
        ui::MessageBoxes::warning(this, MissingParentText(place.level));
        return;
    }
    if (place.ask && !ui::MessageBoxes::askYesNo(this, QStringLiteral("Вы действительно хотите добавить запись?")))
        return;

    TDataSet& list = place.list;
    // A row whose post failed is written again rather than posted twice.
    if (list.State() != dsInsert)
        list.Insert();
    if (place.parentField)
        list.FieldByName(QString::fromLatin1(place.parentField))->SetAsString(QString::number(place.parentKey.toLongLong()));
    list.FieldByName(QString::fromLatin1(place.nameField))->SetAsString(name);
    list.FieldByName(QStringLiteral("visible"))->SetValue(true);
    list.Post();

    for (TDataSet* cardList : place.cardLists) {
        cardList->Close();
        cardList->Open();
    }
    place.edit->clear();
}

}  // namespace zel
