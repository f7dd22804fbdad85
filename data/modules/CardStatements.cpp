#include "data/modules/CardStatements.h"

#include "data/dataset/TField.h"
#include "data/modules/CardHost.h"
#include "data/modules/TDM_PUM.h"

namespace zel::CardStatements {

namespace {

QString emptyText(const char* table)
{
    const QString name = QString::fromLatin1(table);
    return QStringLiteral("SELECT  TOP (0) PERCENT dbo.") + name + QStringLiteral(".* FROM dbo.") + name;
}

}  // namespace

std::vector<Section> Sections(TDM_PUM& dm)
{
    const QString where = QStringLiteral(" where id_teacher=");
    const QString Where = QStringLiteral(" Where id_teacher=");
    return {
        {&dm.ADOQPensioner, "Select TOP(1) Pensioners.* from Pensioners" + where, {}, {}},
        {&dm.ADOQ_Education, "Select * from Educ" + where, {}, emptyText("Educ")},
        {&dm.ADOQ_family, "Select * From family_" + Where, " ORDER BY Date_of_birth", emptyText("family_")},
        {&dm.ADOQ_Experience, "Select * from Experience" + where, {}, emptyText("Experience")},
        {&dm.ADOQ_Kvalification, "Select * From Kvalifikation" + Where, " ORDER BY date_1",
         emptyText("Kvalifikation")},
        {&dm.ADOQ_Work, "Select * From Work" + Where, " ORDER BY Date_Enter", emptyText("Work")},
        {&dm.ADOQ_Nagrada, "Select * From Nagrada" + Where, " ORDER BY date_get", emptyText("Nagrada")},
        {&dm.ADOQ_Abroad, "Select * From Abroad" + Where, " ORDER BY date_begin", emptyText("Abroad")},
        {&dm.ADOQ_Elect_org, "Select * From Elect_org" + Where, " ORDER BY year_elect", emptyText("Elect_org")},
        {&dm.ADOQ_Partiya, "Select * from Partiya" + where, {}, emptyText("Partiya")},
        {&dm.ADOQ_Holiday, "Select * From Holiday" + Where, " ORDER BY Date_begin", emptyText("Holiday")},
        {&dm.ADOQ_mil_card, "Select * from mil_card_" + where, {}, emptyText("mil_card_")},
        {&dm.ADOQ_Lang_options, "Select * from LANGUAGE_OPTIONS" + where, {}, emptyText("Language_options")},
        {&dm.ADOQ_photo, "Select * from photo" + where, {}, emptyText("Photo")},
        {&dm.ADOQ_Place_of_birth, "Select * from Place_of_birth" + where, {}, emptyText("Place_of_birth")},
        {&dm.ADOQ_place_leave, "Select * from place_leave" + where, {}, emptyText("place_leave")},
        {&dm.ADOQ_PlaceResidence, "Select * from Place_of_residence" + where, {}, emptyText("Place_of_residence")},
        {&dm.ADOQ_Teacher_2, "Select * from Teacher_info" + where, {}, emptyText("TEACHER_info")},
        {&dm.ADOQ_Passport, "Select * from Passport" + where, {}, emptyText("Passport")},
    };
}

QString CurrentEmployeeKey(TDM_PUM& dm)
{
    TADOQuery& master = dm.ADO_TEACHER;
    if (!master.Active() || master.IsEmpty())
        return QString();
    const TField* key = master.FindField(QStringLiteral("id_teacher"));
    return key ? key->AsString() : QString();
}

QString FullName(TDM_PUM& dm)
{
    TADOQuery& master = dm.ADO_TEACHER;
    return master.FieldByName(QStringLiteral("p26"))->AsString() + u' '
        + master.FieldByName(QStringLiteral("p27"))->AsString() + u' '
        + master.FieldByName(QStringLiteral("p28"))->AsString();
}

bool LoadCard(TDM_PUM& dm, CardHost& host)
{
    const QString key = CurrentEmployeeKey(dm);
    if (key.isEmpty())
        return false;
    const std::vector<Section> sections = Sections(dm);
    for (const Section& section : sections) {
        section.query->SetSQL(section.LoadText(key));
        section.query->Open();
        if (section.query == &dm.ADOQPensioner) {
            host.SetPensionerMark(!dm.ADOQPensioner.IsEmpty());
        } else if (section.query == &dm.ADOQ_family) {
            host.SetFamilyStatusLocked(true);
            host.SetFamilyStatusKey(dm.ADOQ_family.FieldByName(QStringLiteral("id_family_status"))->Value());
        }
    }
    // Without relatives the chooser stays empty rather than showing the status last
    // located for somebody else.
    TADOQuery& statuses = dm.ADOQ_Family_status;
    const bool hasRelatives = dm.ADOQ_family.Active() && !dm.ADOQ_family.IsEmpty();
    host.SetFamilyStatusKey(hasRelatives && statuses.Active() && !statuses.IsEmpty()
                                ? statuses.FieldByName(QStringLiteral("id_family"))->Value()
                                : QVariant());
    host.SetStatusText(FullName(dm));
    host.SetSaveEnabled(false);
    return true;
}

void OpenEmptyCard(TDM_PUM& dm)
{
    for (const Section& section : Sections(dm)) {
        if (section.emptyText.isEmpty())
            continue;
        section.query->SetSQL(section.emptyText);
        section.query->Open();
    }
}

void UpdateFamilyStatus(TDM_PUM& dm)
{
    TADOStoredProc& procedure = dm.ADO_SP_Update_Family_Staus;
    TADOQuery& statuses = dm.ADOQ_Family_status;
    TADOQuery& master = dm.ADO_TEACHER;
    procedure.Parameter(1).Value =
        statuses.Active() && !statuses.IsEmpty() ? statuses.FieldByName(QStringLiteral("id_Family"))->Value()
                                                 : QVariant();
    procedure.Parameter(2).Value = master.Active() && !master.IsEmpty()
        ? master.FieldByName(QStringLiteral("id_teacher"))->Value()
        : QVariant();
    procedure.ExecProc();
}

void OpenEmptyPension(TDM_PUM& dm)
{
    dm.ADOQPensioner.SetSQL(QStringLiteral("Select TOP(0) Pensioners.* from Pensioners"));
    dm.ADOQPensioner.Open();
}

void ApplyStartupSorts(TDM_PUM& dm)
{
    const std::pair<TADOQuery*, const char*> sorts[] = {
        {&dm.ADOQ_Speciality, "p25-2"},     {&dm.ADOQ_diploma_kval, "diploma_kval"},
        {&dm.ADOQ_nationality, "nationality"}, {&dm.ADOQ_cityzenship, "citizenship"},
        {&dm.ADOQ_Soc_pr, "soc_status"},    {&dm.ADOQ_Uch_step, "k5"},
        {&dm.ADOQ_uch_zvanie, "k6"},        {&dm.ADOQ_Area, "NameRegion"},
        {&dm.ADOQ_Region, "NameDistrict"},  {&dm.ADOQ_City, "NameCity"},
        {&dm.ADOQ_Village, "NameVillage"},  {&dm.ADOQ_passport_organ, "CodeMVD"},
    };
    for (const auto& [query, field] : sorts)
        query->SetSort(QString::fromLatin1(field));
}

}  // namespace zel::CardStatements
