#include "address/TForm12.h"

#include "data/modules/TDM_PUM.h"
#include "ui/DbLookupComboBox.h"
#include "ui/GuardedAction.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace zel {

namespace {

constexpr int kClientWidth = 237;
constexpr int kClientHeight = 255;
constexpr int kLeft = 8;
constexpr int kListWidth = kClientWidth - 2 * kLeft;
constexpr int kListHeight = 21;

QString withKey(const char* statement, const QVariant& key)
{
    return QString::fromLatin1(statement) + QString::number(key.toLongLong());
}

}  // namespace

TForm12::TForm12(TDM_PUM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Место нахождение"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    FormCreate();
}

TForm12::~TForm12()
{
    FormDestroy();
}

void TForm12::buildControls()
{
    QFont bold = font();
    bold.setBold(true);
    int top = 4;
    auto caption = [&](const QString& text) {
        auto* label = new QLabel(text, this);
        label->setFont(bold);
        label->setGeometry(kLeft, top, kListWidth, 16);
        top += 16;
    };
    auto radio = [&](const char* name, const QString& text) {
        auto* button = new QRadioButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(bold);
        button->setGeometry(kLeft, top, kListWidth, 18);
        top += 18;
        return button;
    };
    auto list = [&](const char* name, TDataSource* source, const char* keyField, const char* shownField) {
        auto* combo = new ui::DbLookupComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setListSource(source, QString::fromLatin1(keyField), QString::fromLatin1(shownField));
        combo->setGeometry(kLeft, top, kListWidth, kListHeight);
        top += kListHeight + 5;
        return combo;
    };

    caption(QStringLiteral("Республика"));
    RepublicLookupComboBox = list("RepublicLookupComboBox", &m_dm.DS_Republic_Lookup, "id_republics", "republic");
    caption(QStringLiteral("Область"));
    RegionLookupComboBox = list("RegionLookupComboBox", &m_dm.DS_Region_Lookup, "RegionEducat", "NameRegion");
    caption(QStringLiteral("Район"));
    DistrictLookupComboBox = list("DistrictLookupComboBox", &m_dm.DS_District_Lookup, "DistrictEducat", "NameDistrict");
    CityRB = radio("CityRB", QStringLiteral("Город"));
    CityLookupComboBox = list("CityLookupComboBox", &m_dm.DS_City_Lookup, "CityEducat", "NameCity");
    VillageRB = radio("VillageRB", QStringLiteral("Село"));
    VillageLookupComboBox = list("VillageLookupComboBox", &m_dm.DS_Village_Lookup, "VillageEducat", "NameVillage");

    // Both radio buttons share this window as parent: selecting one deselects the other.
    CityRB->setChecked(true);
    for (QWidget* below : std::initializer_list<QWidget*>{RegionLookupComboBox, DistrictLookupComboBox, CityRB,
                                                         CityLookupComboBox, VillageRB, VillageLookupComboBox})
        below->setEnabled(false);

    OkButton = new QPushButton(QStringLiteral("OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(38, kClientHeight - 33, 75, 25);
    OkButton->setDefault(true);
    OkButton->setAutoDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(124, kClientHeight - 33, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // A failing list is shown at the handler; the window stays open.
    connect(RepublicLookupComboBox, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { RepublicLookupComboBoxClick(); }));
    connect(RegionLookupComboBox, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { RegionLookupComboBoxClick(); }));
    connect(DistrictLookupComboBox, &ui::DbLookupComboBox::changed, this,
            ui::guarded(this, [this] { DistrictLookupComboBoxClick(); }));
    // Only a change of selection runs a step: selecting the selected button does nothing.
    connect(CityRB, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            CityRBClick();
    });
    connect(VillageRB, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            VillageRBClick();
    });
}

void TForm12::FormCreate()
{
    fill(m_dm.ADOQ_Republic_Lookup, QStringLiteral("exec Ab_RepublicProcSchool "));
    for (ui::DbLookupComboBox* list : {RepublicLookupComboBox, RegionLookupComboBox, DistrictLookupComboBox,
                                       CityLookupComboBox, VillageLookupComboBox})
        list->setKeyValue(QVariant());
}

void TForm12::FormDestroy()
{
    for (TADOQuery* list : {&m_dm.ADOQ_Republic_Lookup, &m_dm.ADOQ_Region_Lookup, &m_dm.ADOQ_District_Lookup,
                            &m_dm.ADOQ_City_Lookup, &m_dm.ADOQ_Village_Lookup})
        list->Close();
}

void TForm12::fill(TADOQuery& list, const QString& statement)
{
    list.Close();
    list.SetSQL(statement);
    list.Open();
}

void TForm12::RepublicLookupComboBoxClick()
{
    for (ui::DbLookupComboBox* below : {RegionLookupComboBox, DistrictLookupComboBox, CityLookupComboBox,
                                        VillageLookupComboBox})
        below->setKeyValue(QVariant());
    for (QWidget* below : std::initializer_list<QWidget*>{CityRB, VillageRB, DistrictLookupComboBox,
                                                         CityLookupComboBox, VillageLookupComboBox})
        below->setEnabled(false);
    const QVariant republic = RepublicLookupComboBox->keyValue();
    if (republic.isNull())
        return;
    fill(m_dm.ADOQ_Region_Lookup, withKey("exec ab_RegionProcSchool ", republic));
    RegionLookupComboBox->setEnabled(true);
}

void TForm12::RegionLookupComboBoxClick()
{
    CityRB->setEnabled(false);
    VillageRB->setEnabled(false);
    for (ui::DbLookupComboBox* below : {DistrictLookupComboBox, CityLookupComboBox, VillageLookupComboBox})
        below->setKeyValue(QVariant());
    CityLookupComboBox->setEnabled(false);
    VillageLookupComboBox->setEnabled(false);
    const QVariant region = RegionLookupComboBox->keyValue();
    if (region.isNull())
        return;
    fill(m_dm.ADOQ_District_Lookup, withKey("exec ab_DistrictProcSchool ", region));
    DistrictLookupComboBox->setEnabled(true);
}

void TForm12::DistrictLookupComboBoxClick()
{
    CityLookupComboBox->setKeyValue(QVariant());
    VillageLookupComboBox->setKeyValue(QVariant());
    CityLookupComboBox->setEnabled(false);
    VillageLookupComboBox->setEnabled(false);
    const QVariant district = DistrictLookupComboBox->keyValue();
    if (district.isNull())
        return;
    fill(m_dm.ADOQ_City_Lookup, withKey("exec ab_CityProcSchool ", district));
    fill(m_dm.ADOQ_Village_Lookup, withKey("exec ab_VillageProcSchool ", district));
    const bool cities = !m_dm.ADOQ_City_Lookup.IsEmpty();
    const bool villages = !m_dm.ADOQ_Village_Lookup.IsEmpty();
    CityRB->setEnabled(cities);
    VillageRB->setEnabled(villages);
    if (villages) {
        VillageRB->setChecked(true);
        VillageRB->setEnabled(true);
        VillageLookupComboBox->setEnabled(true);
    }
    // Cities win: a district with both opens in city mode.
    if (cities) {
        CityRB->setEnabled(true);
        CityRB->setChecked(true);
        CityLookupComboBox->setEnabled(true);
    }
}

void TForm12::CityRBClick()
{
    CityLookupComboBox->setEnabled(true);
    VillageLookupComboBox->setEnabled(false);
    VillageLookupComboBox->setKeyValue(QVariant());
}

void TForm12::VillageRBClick()
{
    CityLookupComboBox->setEnabled(false);
    VillageLookupComboBox->setEnabled(true);
    CityLookupComboBox->setKeyValue(QVariant());
}

}  // namespace zel
