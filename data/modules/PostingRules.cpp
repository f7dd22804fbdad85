#include "data/modules/PostingRules.h"

#include "data/DbError.h"
#include "data/dataset/TField.h"
#include "data/modules/CardHost.h"
#include "data/modules/TDM_PUM.h"

#include <QDate>
#include <QDateTime>

#include <cstdlib>

namespace zel::PostingRules {

namespace {

const QString kEmployeeKey = QStringLiteral("id_teacher");
const QString kUpperEmployeeKey = QStringLiteral("ID_TEACHER");
const QString kUser = QStringLiteral("ZEL_User");
const QString kUpdate = QStringLiteral("ZEL_Update");


/// The common rules of a card section: arm Save after insert and edit, employee key
/// and creator stamp before post.
void installSectionRules(TDM_PUM& dm, CardHost& host, TDataSet& dataSet, const QString& keyField,
                         TDataSetNotifyEvent firstBeforePost = {}, TDataSetNotifyEvent lastBeforePost = {})
{
    auto markModified = [&host](TDataSet&) { host.SetSaveEnabled(true); };
    dataSet.AfterInsert = markModified;
    dataSet.AfterEdit = markModified;
    std::vector<TDataSetNotifyEvent> steps;
    if (firstBeforePost)
        steps.push_back(firstBeforePost);
    steps.push_back([&dm, keyField](TDataSet& ds) { TakeEmployeeKey(dm, ds, keyField); });
    steps.push_back([&host](TDataSet& ds) { StampInsertUser(ds, host.SignedInLogin()); });
    if (lastBeforePost)
        steps.push_back(lastBeforePost);
    dataSet.BeforePost = [steps](TDataSet& ds) {
        for (const auto& step : steps)
            step(ds);
    };
}

void directorySync(TDM_PUM& dm, CardHost& host)
{
    if (!host.DirectoryExists())
        return;
    TADOQuery& master = dm.ADO_TEACHER;
    if (!master.IsEmpty())
        host.ShowDirectoryRecord(master.FieldByName(QStringLiteral("t_fio"))->AsString(),
                                 master.FieldByName(kEmployeeKey)->Value());
    host.SetDirectoryRecordCaption(QStringLiteral("Запись - ") + master.FieldByName(kEmployeeKey)->AsString());
    host.SetSaveEnabled(false);
    host.ReloadCard();
}

}  // namespace

QString NoRightsText()
{
    return QStringLiteral("Вы пытаетесь изменить запись в поле , но у вас нет на это прав.");
}

QString NoRightsCaption()
{
    return QStringLiteral("Warning!");
}

void TakeEmployeeKey(TDM_PUM& dm, TDataSet& dataSet, const QString& keyField)
{
    TADOQuery& master = dm.ADO_TEACHER;
    QVariant key;
    if (master.Active() && !master.IsEmpty())
        key = master.FieldByName(kEmployeeKey)->Value();
    dataSet.FieldByName(keyField)->SetValue(key);
}

void StampInsertUser(TDataSet& dataSet, const QString& login)
{
    if (dataSet.State() == dsInsert)
        dataSet.FieldByName(kUser)->SetAsString(login);
}

void AnswerNoRights(TDataSet& dataSet, CardHost& host, const Error& error, TDataAction& action)
{
    // Only a refusal for lack of rights is answered so; any other failure keeps the
    // user's changes and reaches the caller with the server's text.
    const auto* dbError = dynamic_cast<const DbError*>(&error);
    if (!dbError || dbError->kind() != DbError::Kind::PermissionDenied)
        return;
    action = daAbort;
    host.ShowNoRightsWarning(NoRightsText(), NoRightsCaption());
    dataSet.Cancel();
}

void Install(TDM_PUM& dm, CardHost& host)
{
    auto markModified = [&host](TDataSet&) { host.SetSaveEnabled(true); };
    auto stampInsertUser = [&host](TDataSet& ds) { StampInsertUser(ds, host.SignedInLogin()); };
    auto noRights = [&host](TDataSet& ds, const Error& error, TDataAction& action) {
        AnswerNoRights(ds, host, error, action);
    };

    // The master row.
    dm.ADO_TEACHER.AfterInsert = [&host](TDataSet& ds) {
        ds.FieldByName(kUser)->SetAsString(host.SignedInLogin());
        ds.FieldByName(kUpdate)->SetValue(QDate::currentDate());
    };
    dm.ADO_TEACHER.AfterEdit = markModified;
    dm.ADO_TEACHER.BeforePost = stampInsertUser;
    // Leaving a row reloads the card: what the clerk typed for this employee is settled
    // first, while its key is still the current one.
    dm.ADO_TEACHER.BeforeScroll = [&host](TDataSet& ds) {
        if (host.DirectoryExists() && ds.State() == dsBrowse && !ds.IsEmpty() && !host.SettlePendingEdits())
            throw AbortSignal();
    };
    dm.ADO_TEACHER.AfterScroll = [&dm, &host](TDataSet&) { directorySync(dm, host); };
    dm.ADO_TEACHER.OnPostError = noRights;

    installSectionRules(dm, host, dm.ADOQ_Teacher_2, kEmployeeKey);
    dm.ADOQ_Teacher_2.OnPostError = noRights;
    installSectionRules(dm, host, dm.ADOQPensioner, kEmployeeKey);

    installSectionRules(dm, host, dm.ADOQ_Education, kEmployeeKey);
    dm.ADOQ_Education.OnCalcFields = [](TDataSet& ds) {
        ds.FieldByName(QStringLiteral("RecInfo"))
            ->SetAsString(QString::number(std::abs(ds.RecNo())) + QStringLiteral(" - ")
                          + ds.FieldByName(QStringLiteral("Faculty"))->AsString());
    };

    // Every posted relative carries the family status chosen on the card.
    installSectionRules(dm, host, dm.ADOQ_family, kEmployeeKey, [&host](TDataSet& ds) {
        const QVariant key = host.FamilyStatusKey();
        TField* status = ds.FieldByName(QStringLiteral("id_family_status"));
        if (key.isNull())
            status->Clear();
        else
            status->SetAsString(key.toString());
    });

    installSectionRules(dm, host, dm.ADOQ_Experience, kUpperEmployeeKey);
    installSectionRules(dm, host, dm.ADOQ_Kvalification, kUpperEmployeeKey);
    installSectionRules(dm, host, dm.ADOQ_Work, kUpperEmployeeKey);
    for (TDataSet* section : {static_cast<TDataSet*>(&dm.ADOQ_Nagrada), static_cast<TDataSet*>(&dm.ADOQ_Abroad),
                              static_cast<TDataSet*>(&dm.ADOQ_Elect_org), static_cast<TDataSet*>(&dm.ADOQ_Partiya),
                              static_cast<TDataSet*>(&dm.ADOQ_Holiday), static_cast<TDataSet*>(&dm.ADOQ_mil_card),
                              static_cast<TDataSet*>(&dm.ADOQ_Lang_options),
                              static_cast<TDataSet*>(&dm.ADOQ_Passport),
                              static_cast<TDataSet*>(&dm.ADOQ_Place_of_birth),
                              static_cast<TDataSet*>(&dm.ADOQ_place_leave)})
        installSectionRules(dm, host, *section, kEmployeeKey);

    installSectionRules(dm, host, dm.ADOQ_PlaceResidence, kEmployeeKey, {}, [](TDataSet& ds) {
        if (ds.State() == dsInsert)
            ds.FieldByName(kUpdate)->SetValue(QDateTime::currentDateTime());
    });

    // The photo row names its last editor, not its creator.
    auto photoStamp = [&host](TDataSet& ds) {
        host.SetSaveEnabled(true);
        ds.FieldByName(kUser)->SetAsString(host.SignedInLogin());
    };
    dm.ADOQ_photo.AfterInsert = photoStamp;
    dm.ADOQ_photo.AfterEdit = photoStamp;
    dm.ADOQ_photo.BeforePost = [&dm](TDataSet& ds) { TakeEmployeeKey(dm, ds, kEmployeeKey); };

    for (TDataSet* dictionary :
         {static_cast<TDataSet*>(&dm.ADOQ_Speciality), static_cast<TDataSet*>(&dm.ADOQ_Soc_pr),
          static_cast<TDataSet*>(&dm.ADOQ_Uch_step), static_cast<TDataSet*>(&dm.ADOQ_uch_zvanie),
          static_cast<TDataSet*>(&dm.ADOQ_Rang), static_cast<TDataSet*>(&dm.ADOQ_Mil_name),
          static_cast<TDataSet*>(&dm.ADOQ_Mil_R_Voisk), static_cast<TDataSet*>(&dm.ADOQ_passport_organ),
          static_cast<TDataSet*>(&dm.ADOQ_diploma_kval)})
        dictionary->BeforePost = stampInsertUser;

    dm.ADOT_Republic.AfterInsert = [](TDataSet& ds) {
        ds.FieldByName(QStringLiteral("visible"))->SetAsBoolean(true);
    };
}

}  // namespace zel::PostingRules
