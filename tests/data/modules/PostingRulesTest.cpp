// The rules that run inside the card datasets' events, against the demo database.

#include "ModulesFixture.h"

#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM.h"

#include <QDate>

namespace zel::test {
namespace {

class PostingRules : public ModulesTest {
protected:
    void SetUp() override
    {
        connect();
        dm.OpenSignInDataSets();
        zel::PostingRules::Install(dm, host);
    }

    void load(int key)
    {
        selectEmployee(key);
        CardStatements::LoadCard(dm, host);
    }
};

TEST_F(PostingRules, EditKeepsTheCreatorAndInsertStampsTheLogin)
{
    load(6);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    if (awards.IsEmpty()) {
        host.login = "creator";
        awards.Insert();
        awards.FieldByName("nagrada")->SetAsString("Грамота");
        awards.Post();
        load(6);
    }
    host.login = "editor7";
    const QString creator = awards.FieldByName("ZEL_User")->AsString();
    const QString key = awards.FieldByName("id_nagrada")->AsString();
    awards.Edit();
    awards.FieldByName("By_who")->SetAsString("Ректор");
    awards.Post();
    EXPECT_EQ(serverValue("select ZEL_User from Nagrada where id_nagrada=" + key).toString(), creator);
    EXPECT_NE(creator, "editor7");

    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("Медаль");
    awards.Post();
    const QString newKey = awards.FieldByName("id_nagrada")->AsString();
    EXPECT_EQ(serverValue("select ZEL_User from Nagrada where id_nagrada=" + newKey).toString(), "editor7");
    EXPECT_EQ(serverValue("select id_teacher from Nagrada where id_nagrada=" + newKey).toInt(), 6);
    // Only the master row and the registration record write ZEL_Update.
    EXPECT_TRUE(serverValue("select ZEL_Update from Nagrada where id_nagrada=" + newKey).isNull());
}

TEST_F(PostingRules, EditAndInsertArmTheSaveButton)
{
    load(7);
    host.calls.clear();
    dm.ADOQ_mil_card.Edit();  // a one-row section: inserts when the employee has none
    EXPECT_TRUE(host.saveEnabled);
    dm.ADOQ_mil_card.Cancel();
    host.saveEnabled = false;
    dm.ADOQ_Teacher_2.Edit();
    EXPECT_TRUE(host.saveEnabled);
    dm.ADOQ_Teacher_2.Cancel();
}

TEST_F(PostingRules, RelativesCarryTheChosenFamilyStatusOnEveryPost)
{
    load(8);
    TADOQuery& family = dm.ADOQ_family;
    family.Append();
    family.FieldByName("p26")->SetAsString("Иванова");
    host.familyStatus = 3;
    family.Post();
    const QString key = family.FieldByName("id_family")->AsString();
    EXPECT_EQ(serverValue("select id_family_status from family_ where id_family=" + key).toInt(), 3);

    // Only the name changes; the status chosen now is written all the same.
    host.familyStatus = 2;
    family.Edit();
    family.FieldByName("p27")->SetAsString("Анна");
    family.Post();
    EXPECT_EQ(serverValue("select id_family_status from family_ where id_family=" + key).toInt(), 2);

    host.familyStatus = QVariant();
    family.Edit();
    family.FieldByName("p28")->SetAsString("Петровна");
    family.Post();
    EXPECT_TRUE(serverValue("select id_family_status from family_ where id_family=" + key).isNull());
}

TEST_F(PostingRules, PhotoNamesItsLastEditorAndTakesTheKey)
{
    load(9);
    TADOQuery& photo = dm.ADOQ_photo;
    host.login = "first";
    photo.Edit();  // inserts when there is no photo row
    photo.FieldByName("photo")->SetAsBytes(QByteArray("\xff\xd8 jpeg", 7));
    photo.Post();
    const QString key = photo.FieldByName("id_photo")->AsString();
    EXPECT_EQ(serverValue("select ZEL_User from photo where id_photo=" + key).toString(), "first");
    EXPECT_EQ(serverValue("select id_teacher from photo where id_photo=" + key).toInt(), 9);

    host.login = "second";
    photo.Edit();
    photo.FieldByName("photo")->Clear();
    photo.Post();
    EXPECT_EQ(serverValue("select ZEL_User from photo where id_photo=" + key).toString(), "second");
    EXPECT_TRUE(serverValue("select photo from photo where id_photo=" + key).isNull());
}

TEST_F(PostingRules, WithoutACurrentEmployeeSectionsGetNullAndDocumentsZero)
{
    // The master dataset opened with its initial text: no row, no employee.
    CardStatements::OpenEmptyCard(dm);
    dm.ADOQ_Abroad.Insert();
    zel::PostingRules::TakeEmployeeKey(dm, dm.ADOQ_Abroad, "id_teacher");
    EXPECT_TRUE(dm.ADOQ_Abroad.FieldByName("id_teacher")->IsNull());
    dm.ADOQ_Abroad.Cancel();

    TDM second(dm);
    second.ADOQ_obrazovanie_teacher.SetSQL(TDM::DocumentsStatement("0"));
    second.ADOQ_obrazovanie_teacher.Open();
    second.ADOQ_obrazovanie_teacher.Insert();
    second.ADOQ_obrazovanie_teacher.BeforePost(second.ADOQ_obrazovanie_teacher);
    EXPECT_EQ(second.ADOQ_obrazovanie_teacher.FieldByName("id_teacher")->Value(), QVariant(0));
    second.ADOQ_obrazovanie_teacher.Cancel();

    load(10);
    second.ADOQ_obrazovanie_teacher.Insert();
    second.ADOQ_obrazovanie_teacher.FieldByName("Number")->SetAsString("12/3");
    second.ADOQ_obrazovanie_teacher.Post();
    EXPECT_EQ(serverCount("select count(*) from obrazovanie_teacher where id_teacher=10 and Number='12/3'"), 1);
}

TEST_F(PostingRules, EducationCaptionsNamePositionAndFaculty)
{
    load(11);
    TADOQuery& education = dm.ADOQ_Education;
    education.Append();
    education.FieldByName("Faculty")->SetAsString("Физический");
    education.Post();
    education.Append();
    education.Post();  // no faculty
    load(11);
    ASSERT_GE(education.RecordCount(), 2);
    education.First();
    EXPECT_EQ(education.FieldByName("RecInfo")->AsString(),
              "1 - " + education.FieldByName("Faculty")->AsString());
    bool sawEmpty = false;
    for (education.First(); !education.Eof(); education.Next()) {
        EXPECT_TRUE(education.FieldByName("RecInfo")->AsString().startsWith(QString::number(education.RecNo()) + " - "));
        if (education.FieldByName("Faculty")->AsString().isEmpty()) {
            EXPECT_EQ(education.FieldByName("RecInfo")->AsString(), QString::number(education.RecNo()) + " - ");
            sawEmpty = true;
        }
    }
    EXPECT_TRUE(sawEmpty);
}

TEST_F(PostingRules, NewEmployeeIsStampedWithLoginAndDateOnly)
{
    host.login = "newcomer";
    dm.ADO_TEACHER.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    dm.ADO_TEACHER.Open();
    dm.ADO_TEACHER.Edit();  // an empty dataset inserts
    ASSERT_EQ(dm.ADO_TEACHER.State(), dsInsert);
    EXPECT_EQ(dm.ADO_TEACHER.FieldByName("ZEL_User")->AsString(), "newcomer");
    EXPECT_EQ(dm.ADO_TEACHER.FieldByName("ZEL_Update")->AsDateTime().date(), QDate::currentDate());
    EXPECT_EQ(dm.ADO_TEACHER.FieldByName("ZEL_Update")->AsDateTime().time(), QTime(0, 0));
    dm.ADO_TEACHER.FieldByName("p26")->SetAsString("Новиков");
    dm.ADO_TEACHER.FieldByName("p27")->SetAsString("Олег");
    dm.ADO_TEACHER.Post();
    const QString key = dm.ADO_TEACHER.FieldByName("id_teacher")->AsString();
    ASSERT_FALSE(key.isEmpty());
    EXPECT_EQ(serverValue("select ZEL_User from TEACHER where id_teacher=" + key).toString(), "newcomer");
}

TEST_F(PostingRules, RegistrationRecordAloneWritesItsInsertTime)
{
    load(12);
    host.login = "addr";
    for (TADOQuery* record : {&dm.ADOQ_Place_of_birth, &dm.ADOQ_PlaceResidence}) {
        record->SetSQL(QString("SELECT  TOP (0) PERCENT dbo.%1.* FROM dbo.%1")
                           .arg(record == &dm.ADOQ_PlaceResidence ? "Place_of_residence" : "Place_of_birth"));
        record->Open();
        record->Edit();
        record->FieldByName("id_cityKR")->SetAsInteger(200);
        record->Post();
    }
    EXPECT_TRUE(dm.ADOQ_Place_of_birth.FieldByName("ZEL_Update")->IsNull());
    EXPECT_EQ(dm.ADOQ_Place_of_birth.FieldByName("ZEL_User")->AsString(), "addr");
    const QDateTime stamped = dm.ADOQ_PlaceResidence.FieldByName("ZEL_Update")->AsDateTime();
    EXPECT_LE(std::abs(stamped.secsTo(QDateTime::currentDateTime())), 60);

    // An edit keeps both stamps.
    host.login = "later";
    dm.ADOQ_PlaceResidence.Edit();
    dm.ADOQ_PlaceResidence.FieldByName("Address")->SetAsString("ул. Ленина, 1");
    dm.ADOQ_PlaceResidence.Post();
    EXPECT_EQ(dm.ADOQ_PlaceResidence.FieldByName("ZEL_User")->AsString(), "addr");
    EXPECT_EQ(dm.ADOQ_PlaceResidence.FieldByName("ZEL_Update")->AsDateTime(), stamped);
}

TEST_F(PostingRules, NewRepublicIsVisibleAtOnce)
{
    dm.ADOT_Republic.Insert();
    EXPECT_TRUE(dm.ADOT_Republic.FieldByName("visible")->AsBoolean());
    dm.ADOT_Republic.Cancel();
    dm.ADOT_Republic2.Insert();
    EXPECT_EQ(dm.ADOT_Republic2.FindField("visible"), nullptr);
    dm.ADOT_Republic2.Cancel();
}

TEST_F(PostingRules, DirectorySyncRunsOnlyWithTheDirectory)
{
    host.calls.clear();
    selectEmployee(13);
    EXPECT_TRUE(host.calls.isEmpty());

    host.directoryExists = true;
    selectEmployee(13);
    const QString fio = dm.ADO_TEACHER.FieldByName("t_fio")->AsString();
    EXPECT_EQ(host.calls, (QStringList{"record " + fio + "/13", "caption Запись - 13", "save off", "reload"}));
}

TEST_F(PostingRules, LeavingARowSettlesTheCardFirstAndMayBeRefused)
{
    dm.ADO_TEACHER.SetSQL(QStringLiteral("select teacher.*, p26 as t_fio from teacher where id_teacher in (12, 13, 14)"
                                         " order by id_teacher"));
    dm.ADO_TEACHER.Open();
    host.directoryExists = true;
    int keyWhenAsked = 0;
    host.settle = [&] {
        keyWhenAsked = dm.ADO_TEACHER.FieldByName("id_teacher")->AsInteger();
        return false;
    };
    host.calls.clear();
    EXPECT_THROW(dm.ADO_TEACHER.Next(), AbortSignal);
    EXPECT_EQ(dm.ADO_TEACHER.RecNo(), 1);
    EXPECT_EQ(keyWhenAsked, 12);
    EXPECT_EQ(host.calls, QStringList{"settle"});

    // Allowed: asked while the employee left is still current, then the card follows.
    host.settle = [&] {
        keyWhenAsked = dm.ADO_TEACHER.FieldByName("id_teacher")->AsInteger();
        return true;
    };
    host.calls.clear();
    dm.ADO_TEACHER.Next();
    EXPECT_EQ(keyWhenAsked, 12);
    EXPECT_EQ(dm.ADO_TEACHER.FieldByName("id_teacher")->AsInteger(), 13);
    ASSERT_FALSE(host.calls.isEmpty());
    EXPECT_EQ(host.calls.front(), "settle");
    EXPECT_EQ(host.calls.back(), "reload");

    // Without the directory nothing reloads, so nothing is asked.
    host.directoryExists = false;
    host.calls.clear();
    dm.ADO_TEACHER.Next();
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(PostingRules, RefusedForLackOfRightsTheChangesAreDiscarded)
{
    load(14);
    dm.ADO_PUM.Close();
    dm.ADO_PUM.SetConnectionString(connectionString(2));  // the reader account
    dm.ADO_PUM.Open();
    load(14);
    const QString before = dm.ADOQ_Teacher_2.FieldByName("eMail")->AsString();
    dm.ADOQ_Teacher_2.Edit();
    dm.ADOQ_Teacher_2.FieldByName("eMail")->SetAsString("x@y.z");
    host.calls.clear();
    EXPECT_THROW(dm.ADOQ_Teacher_2.Post(), AbortSignal);
    EXPECT_EQ(host.calls, (QStringList{"warning Warning! " + zel::PostingRules::NoRightsText()}));
    EXPECT_EQ(dm.ADOQ_Teacher_2.State(), dsBrowse);
    EXPECT_EQ(dm.ADOQ_Teacher_2.FieldByName("eMail")->AsString(), before);
}

TEST_F(PostingRules, WithTheHistoryAttachedARefusalKeepsTheChangesAndItsText)
{
    dm.ADO_PUM.Close();
    dm.ADO_PUM.SetConnectionString(connectionString(2));  // the reader account
    dm.ADO_PUM.Open();
    load(16);
    TADOUpdateHistoryExec history;
    SaveSequence::PostStep({&dm.ADOQ_Teacher_2, "Teacher_info", "id_teacher_info", true}, history);  // nothing pending
    dm.ADOQ_Teacher_2.Edit();
    dm.ADOQ_Teacher_2.FieldByName("eMail")->SetAsString("kept@x.y");
    host.calls.clear();
    try {
        SaveSequence::PostStep({&dm.ADOQ_Teacher_2, "Teacher_info", "id_teacher_info", true}, history);
        ADD_FAILURE() << "the reader account wrote a row";
    } catch (const AbortSignal&) {
        ADD_FAILURE() << "the refusal was answered silently";
    } catch (const DbError& error) {
        EXPECT_EQ(error.kind(), DbError::Kind::PermissionDenied);
        EXPECT_FALSE(error.message().isEmpty());
    }
    EXPECT_TRUE(host.calls.filter("warning").isEmpty());
    EXPECT_EQ(dm.ADOQ_Teacher_2.State(), dsEdit);
    EXPECT_EQ(dm.ADOQ_Teacher_2.FieldByName("eMail")->AsString(), "kept@x.y");
    EXPECT_EQ(history.DataSet(), nullptr);
    // Detached again, the no-rights answer is back in place.
    EXPECT_THROW(dm.ADOQ_Teacher_2.Post(), AbortSignal);
    EXPECT_EQ(host.calls.filter("warning").size(), 1);
}

TEST_F(PostingRules, OtherFailuresKeepTheChangesAndTheServerText)
{
    load(15);
    TADOQuery& info = dm.ADOQ_Teacher_2;
    info.Edit();
    info.FieldByName("Phone")->SetAsString("555-01");
    host.calls.clear();
    TDataAction action = daFail;
    zel::PostingRules::AnswerNoRights(info, host, DbError("Violation of constraint", DbError::Kind::Constraint),
                                      action);
    EXPECT_EQ(action, daFail);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(info.State(), dsEdit);
    EXPECT_EQ(info.FieldByName("Phone")->AsString(), "555-01");
    zel::PostingRules::AnswerNoRights(info, host, DataError("Поле не найдено"), action);
    EXPECT_EQ(action, daFail);
    EXPECT_EQ(info.State(), dsEdit);

    // A real post that the server refuses for another reason: the employee was
    // deleted meanwhile, so the foreign key refuses the row.
    selectVanishedEmployee();  // the section still shows employee 15
    host.calls.clear();
    try {
        info.Post();
        ADD_FAILURE() << "the server accepted a row of a deleted employee";
    } catch (const AbortSignal&) {
        ADD_FAILURE() << "a failure other than rights was answered as a rights refusal";
    } catch (const Error& error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(info.State(), dsEdit);
    EXPECT_EQ(info.FieldByName("Phone")->AsString(), "555-01");
    info.Cancel();
}

}  // namespace
}  // namespace zel::test
