// Saving a card over several sections, one of them refused, and posting the modified
// sections without the change history.

#include "CardFixture.h"

#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/dataset/TDataLink.h"

namespace zel::test {
namespace {

using Save = CardTest;

TEST_F(Save, SequenceNamesEveryStepInOrder)
{
    const auto steps = SaveSequence::Steps(dm);
    ASSERT_EQ(steps.size(), 19u);
    EXPECT_EQ(steps[0].dataSet, &dm.ADO_TEACHER);
    EXPECT_FALSE(steps[0].logChanges);
    EXPECT_EQ(steps[9].tableName, "Partia");
    EXPECT_EQ(steps[17].tableName, "Pasport");
    EXPECT_EQ(steps[18].dataSet, &dm.ADOQPensioner);
    for (std::size_t i = 1; i < steps.size(); ++i) {
        EXPECT_TRUE(steps[i].logChanges);
        // Every key field named for the log exists in its dataset.
        steps[i].dataSet->Close();
        auto* query = dynamic_cast<TADOQuery*>(steps[i].dataSet);
        ASSERT_NE(query, nullptr);
        CardStatements::OpenEmptyCard(dm);
        if (query == &dm.ADOQPensioner)
            CardStatements::OpenEmptyPension(dm);
        EXPECT_NE(steps[i].dataSet->FindField(steps[i].keyField), nullptr) << steps[i].tableName.toStdString();
    }
}

TEST_F(Save, RefusedSectionStopsTheSaveTheEarlierOnesAreWrittenAndLogged)
{
    load(31);
    dm.ADOQ_Education.Append();
    dm.ADOQ_Education.FieldByName("Faculty")->SetAsString("Первый");
    dm.ADOQ_Work.Append();
    dm.ADOQ_Work.FieldByName("Doljnost")->SetAsString("Лаборант");
    dm.ADOQ_Holiday.Append();
    dm.ADOQ_Holiday.FieldByName("N_Days")->SetAsInteger(24);
    EXPECT_EQ(SaveSequence::PostSections(dm, history), 3);

    load(31);
    dm.ADOQ_Education.Last();
    dm.ADOQ_Education.Edit();
    dm.ADOQ_Education.FieldByName("Faculty")->SetAsString("Второй");
    dm.ADOQ_Work.Last();
    dm.ADOQ_Work.Edit();
    dm.ADOQ_Work.FieldByName("Doljnost")->SetAsString("Доцент");
    dm.ADOQ_Holiday.Last();
    dm.ADOQ_Holiday.Edit();
    dm.ADOQ_Holiday.FieldByName("N_Days")->SetAsInteger(28);

    // The work section's rules refuse, as a server constraint would.
    const TDataSetNotifyEvent rules = dm.ADOQ_Work.BeforePost;
    dm.ADOQ_Work.BeforePost = [rules](TDataSet& ds) {
        rules(ds);
        throw DbError("Нарушение ограничения", DbError::Kind::Constraint);
    };
    try {
        SaveSequence::PostSections(dm, history);
        FAIL() << "the refusal did not reach the caller";
    } catch (const DbError& error) {
        EXPECT_EQ(error.message(), "Нарушение ограничения");
    }
    EXPECT_EQ(dm.ADOQ_Education.State(), dsBrowse);
    EXPECT_EQ(dm.ADOQ_Work.State(), dsEdit);
    EXPECT_EQ(dm.ADOQ_Work.FieldByName("Doljnost")->AsString(), "Доцент");
    EXPECT_EQ(dm.ADOQ_Holiday.State(), dsEdit);  // not reached
    EXPECT_EQ(newLogRows(), 1);                   // the education change only
    EXPECT_EQ(history.DataSet(), nullptr);
    EXPECT_TRUE(history.Statements.isEmpty());

    // The master row posted next without comparison finds nothing left over.
    dm.ADO_TEACHER.Edit();
    EXPECT_TRUE(SaveSequence::PostMasterRecord(dm, history, dm.ADO_TEACHER.FieldByName("p26")->AsString(),
                                               dm.ADO_TEACHER.FieldByName("p27")->AsString(), "Иванович"));
    EXPECT_EQ(newLogRows(), 1);
    EXPECT_EQ(serverValue("select p28 from TEACHER where id_teacher=31").toString(), "Иванович");

    // Once the refusal is gone the rest goes through.
    dm.ADOQ_Work.BeforePost = rules;
    EXPECT_EQ(SaveSequence::PostSections(dm, history), 2);
    EXPECT_EQ(newLogRows(), 3);
}

TEST_F(Save, NewEmployeeKeyReachesTheSectionsTypedBeforeTheFirstSave)
{
    dm.ADO_TEACHER.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    dm.ADO_TEACHER.Open();
    CardStatements::OpenEmptyCard(dm);
    dm.ADO_TEACHER.Edit();
    dm.ADOQ_Passport.Edit();
    dm.ADOQ_Passport.FieldByName("N_p")->SetAsString("123456");
    EXPECT_TRUE(SaveSequence::PostMasterRecord(dm, history, "Петров", "Пётр", ""));
    const int key = dm.ADO_TEACHER.FieldByName("id_teacher")->AsInteger();
    ASSERT_GT(key, 0);
    EXPECT_EQ(SaveSequence::PostSections(dm, history), 1);
    EXPECT_EQ(serverValue("select id_teacher from Passport where N_p='123456'").toInt(), key);
    EXPECT_EQ(serverValue("select ZEL_User from Passport where N_p='123456'").toString(), host.login);
    EXPECT_EQ(newLogRows(), 0);
    EXPECT_TRUE(CardStatements::LoadCard(dm, host));
    EXPECT_EQ(dm.ADOQ_Passport.RecordCount(), 1);
}

TEST_F(Save, ModifiedSectionsArePostedWithoutTheHistory)
{
    load(32);
    dm.ADOQ_Nagrada.Append();
    dm.ADOQ_Nagrada.FieldByName("nagrada")->SetAsString("Благодарность");
    dm.ADOQ_Elect_org.Edit();  // started but nothing typed: not modified
    dm.ADOQ_Passport.Edit();
    dm.ADOQ_Passport.FieldByName("S_p")->SetAsString("AB");  // the passport is not among them
    EXPECT_EQ(SaveSequence::PostModifiedSections(dm), 1);
    EXPECT_EQ(dm.ADOQ_Nagrada.State(), dsBrowse);
    EXPECT_NE(dm.ADOQ_Elect_org.State(), dsBrowse);
    EXPECT_EQ(dm.ADOQ_Passport.State() == dsBrowse, false);
    EXPECT_EQ(newLogRows(), 0);
}

TEST_F(Save, TextStillInAControlCountsAsAModifiedSection)
{
    // A control that holds typed text it has not written yet (it still has the focus).
    struct PendingControl : TDataLink {
        QString typed;
        void updateData() override
        {
            if (!typed.isEmpty())
                DataSet()->FieldByName("eMail")->SetAsString(typed);
        }
    } control;
    control.SetDataSource(&dm.DS_Teacher_2);
    load(32);
    dm.ADOQ_Teacher_2.Edit();
    control.typed = "kadry@knu.kg";
    EXPECT_EQ(SaveSequence::PostModifiedSections(dm), 1);
    EXPECT_EQ(dm.ADOQ_Teacher_2.State(), dsBrowse);
    EXPECT_EQ(serverValue("select eMail from TEACHER_info where id_teacher=32").toString(), "kadry@knu.kg");
}

TEST_F(Save, LoadCardWithoutAnEmployeeIssuesNothing)
{
    dm.ADO_TEACHER.Close();
    host.calls.clear();
    const QString before = dm.ADOQ_Work.SQL();
    EXPECT_FALSE(CardStatements::LoadCard(dm, host));
    dm.ADO_TEACHER.SetSQL("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER");
    dm.ADO_TEACHER.Open();
    EXPECT_FALSE(CardStatements::LoadCard(dm, host));
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(dm.ADOQ_Work.SQL(), before);
}

TEST_F(Save, LoadCardReportsPensionFamilyStatusAndName)
{
    load(33);
    dm.ADOQ_family.Append();
    host.familyStatus = 2;
    dm.ADOQ_family.FieldByName("Date_of_birth")->SetAsDateTime(QDateTime(QDate(1950, 1, 1), QTime(0, 0)));
    dm.ADOQ_family.Post();
    host.calls.clear();
    load(33);
    const QStringList calls = host.calls;
    ASSERT_GE(calls.size(), 6);
    EXPECT_TRUE(calls[0].startsWith("pensioner "));
    EXPECT_EQ(calls[1], "lock 1");
    EXPECT_EQ(calls[2], "status 2");  // the earliest-born relative
    EXPECT_TRUE(calls[3].startsWith("status "));
    EXPECT_EQ(calls[4], "text " + CardStatements::FullName(dm));
    EXPECT_EQ(calls[5], "save off");
    EXPECT_EQ(dm.ADOQ_Work.SQL(), "Select * From Work Where id_teacher=33 ORDER BY Date_Enter");
    EXPECT_EQ(dm.ADOQPensioner.SQL(), "Select TOP(1) Pensioners.* from Pensioners where id_teacher=33");
}

TEST_F(Save, AnEmployeeWithoutRelativesShowsNoFamilyStatus)
{
    const int lonely = serverValue("select top 1 id_teacher from TEACHER where id_teacher not in"
                                   " (select id_teacher from family_) and id_teacher <> 1").toInt();
    ASSERT_GT(lonely, 1);
    dm.ADOQ_Family_status.Last();  // left there by an earlier employee
    load(lonely);
    EXPECT_TRUE(dm.ADOQ_family.IsEmpty());
    EXPECT_TRUE(host.familyStatus.isNull());
    EXPECT_EQ(host.calls.filter("status ").last(), "status NULL");
}

TEST_F(Save, ChosenFamilyStatusGoesToEveryRelativeThroughTheProcedure)
{
    load(34);
    for (const char* name : {"Мать", "Отец"}) {
        dm.ADOQ_family.Append();
        dm.ADOQ_family.FieldByName("p27")->SetAsString(name);
        dm.ADOQ_family.Post();
    }
    dm.ADOQ_Family_status.Last();
    const int chosen = dm.ADOQ_Family_status.FieldByName("id_family")->AsInteger();
    CardStatements::UpdateFamilyStatus(dm);
    EXPECT_EQ(dm.ADO_SP_Update_Family_Staus.Parameter(1).Value.toInt(), chosen);
    EXPECT_EQ(dm.ADO_SP_Update_Family_Staus.Parameter(2).Value.toInt(), 34);
    EXPECT_EQ(serverCount("select count(*) from family_ where id_teacher=34 and id_family_status<>"
                          + QString::number(chosen)),
              0);
    EXPECT_GE(serverCount("select count(*) from family_ where id_teacher=34"), 2);
}

TEST_F(Save, LookupDictionariesOpenWithTheFirstCardLoad)
{
    EXPECT_FALSE(dm.ADOQ_HighQualification.Active());
    EXPECT_FALSE(dm.ADOQ_Trudoem.Active());
    load(35);
    EXPECT_TRUE(dm.ADOQ_HighQualification.Active());
    EXPECT_TRUE(dm.ADOQ_Trudoem.Active());
    EXPECT_TRUE(dm.ADOQ_Holliday_t.Active());
}

}  // namespace
}  // namespace zel::test
