#include "data/modules/SaveSequence.h"

#include "data/dataset/TField.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM_PUM.h"

namespace zel::SaveSequence {

namespace {

bool pending(const TDataSet& dataSet)
{
    return dataSet.State() == dsEdit || dataSet.State() == dsInsert;
}

}  // namespace

std::vector<Step> Steps(TDM_PUM& dm)
{
    return {
        {&dm.ADO_TEACHER, "Teacher", "id_teacher", false},
        {&dm.ADOQ_Education, "Educ", "id_educ", true},
        {&dm.ADOQ_family, "Family", "id_family", true},
        {&dm.ADOQ_Experience, "Experience", "id_experience", true},
        {&dm.ADOQ_Kvalification, "Kvalification", "id_kvalification", true},
        {&dm.ADOQ_Work, "Work", "id_Work", true},
        {&dm.ADOQ_Nagrada, "Nagrada", "id_nagrada", true},
        {&dm.ADOQ_Abroad, "Abroad", "id_abroad", true},
        {&dm.ADOQ_Elect_org, "Elect_org", "id_organ", true},
        {&dm.ADOQ_Partiya, "Partia", "id_partia", true},
        {&dm.ADOQ_Holiday, "Holiday", "id_vacation", true},
        {&dm.ADOQ_mil_card, "Mil_card", "id_mil_card", true},
        {&dm.ADOQ_Lang_options, "Language_options", "id_lang_options", true},
        {&dm.ADOQ_Place_of_birth, "Place_of_birth", "id_place_of_birth", true},
        {&dm.ADOQ_place_leave, "Place_leave", "id_place_leave", true},
        {&dm.ADOQ_PlaceResidence, "Place_of_residence", "id_place_of_residence", true},
        {&dm.ADOQ_Teacher_2, "Teacher_info", "id_teacher_info", true},
        {&dm.ADOQ_Passport, "Pasport", "id_pasport", true},
        {&dm.ADOQPensioner, "Pensioners", "id_pensioner", true},
    };
}

void PostStep(const Step& step, TADOUpdateHistoryExec& history)
{
    history.Detach();
    history.Attach(*step.dataSet, step.tableName, step.keyField, step.logChanges, false);
    try {
        step.dataSet->Post();
    } catch (...) {
        // Also when a before-post rule refused: nothing of this attempt may be logged later.
        history.Statements.clear();
        history.Detach();
        throw;
    }
}

bool PostMasterRecord(TDM_PUM& dm, TADOUpdateHistoryExec& history, const QString& surname, const QString& name,
                      const QString& patronymic)
{
    TADOQuery& master = dm.ADO_TEACHER;
    if (!pending(master))
        return false;
    history.Detach();
    history.Attach(master, QStringLiteral("Teacher"), QStringLiteral("id_teacher"), false, false);
    master.Edit();  // nothing while editing or inserting
    // Text typed but not yet committed by the edit controls is saved too.
    master.FieldByName(QStringLiteral("p26"))->SetAsString(surname);
    master.FieldByName(QStringLiteral("p27"))->SetAsString(name);
    master.FieldByName(QStringLiteral("p28"))->SetAsString(patronymic);
    master.Post();
    return true;
}

int PostSections(TDM_PUM& dm, TADOUpdateHistoryExec& history)
{
    const std::vector<Step> steps = Steps(dm);
    int posted = 0;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        if (!pending(*steps[i].dataSet))
            continue;
        PostStep(steps[i], history);
        ++posted;
    }
    return posted;
}

std::vector<TDataSet*> ModifiedSectionsOrder(TDM_PUM& dm)
{
    return {
        &dm.ADO_TEACHER,       &dm.ADOQ_Education,      &dm.ADOQ_family,      &dm.ADOQ_Experience,
        &dm.ADOQ_Kvalification, &dm.ADOQ_Work,          &dm.ADOQ_Nagrada,     &dm.ADOQ_Abroad,
        &dm.ADOQ_Elect_org,    &dm.ADOQ_Partiya,        &dm.ADOQ_Holiday,     &dm.ADOQ_mil_card,
        &dm.ADOQ_Lang_options, &dm.ADOQ_Place_of_birth, &dm.ADOQ_place_leave, &dm.ADOQ_PlaceResidence,
        &dm.ADOQ_Teacher_2,
    };
}

std::vector<TDataSet*> CancelOrder(TDM_PUM& dm)
{
    return {
        &dm.ADOQ_Education, &dm.ADOQ_family,  &dm.ADOQ_Experience, &dm.ADOQ_Kvalification, &dm.ADOQ_Work,
        &dm.ADOQ_Nagrada,   &dm.ADOQ_Abroad,  &dm.ADOQ_Elect_org,  &dm.ADOQ_Partiya,       &dm.ADOQ_Holiday,
        &dm.ADOQ_mil_card,  &dm.ADOQ_Lang_options, &dm.ADOQ_photo, &dm.ADOQ_Teacher_2,
    };
}

bool MasterRowPosted(TDM_PUM& dm)
{
    const TADOQuery& master = dm.ADO_TEACHER;
    return master.Active() && !master.IsEmpty() && master.State() != dsInsert;
}

std::vector<TDataSet*> CardDataSets(TDM_PUM& dm)
{
    std::vector<TDataSet*> dataSets;
    for (const Step& step : Steps(dm))
        dataSets.push_back(step.dataSet);
    dataSets.push_back(&dm.ADOQ_photo);
    return dataSets;
}

bool HasUnpostedChanges(TDM_PUM& dm)
{
    bool changed = false;
    for (TDataSet* dataSet : CardDataSets(dm)) {
        if (!pending(*dataSet))
            continue;
        dataSet->UpdateRecord();
        changed = changed || (pending(*dataSet) && dataSet->Modified());
    }
    return changed;
}

bool PostModifiedPhoto(TDM_PUM& dm)
{
    TDataSet& photo = dm.ADOQ_photo;
    if (!pending(photo))
        return false;
    photo.UpdateRecord();
    if (!pending(photo) || !photo.Modified())
        return false;
    photo.Post();
    return true;
}

void CancelAll(TDM_PUM& dm)
{
    for (TDataSet* dataSet : CardDataSets(dm))
        if (dataSet->Active())
            dataSet->Cancel();
}

int PostModifiedSections(TDM_PUM& dm)
{
    // Without the employee's row the sections would be written without a key, and
    // the master row itself without the name check.
    if (!MasterRowPosted(dm))
        return 0;
    int posted = 0;
    for (TDataSet* dataSet : ModifiedSectionsOrder(dm)) {
        // Text still in a focused control counts as a change.
        if (pending(*dataSet))
            dataSet->UpdateRecord();
        if (pending(*dataSet) && dataSet->Modified()) {
            dataSet->Post();
            ++posted;
        }
    }
    return posted;
}

}  // namespace zel::SaveSequence
