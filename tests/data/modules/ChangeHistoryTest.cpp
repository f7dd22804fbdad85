// The change-history component watching card sections and dictionaries of the demo
// database: what it compares, the messages it makes, the dump, and its handlers.

#include "ModulesFixture.h"

#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TADOUpdateHistoryExec.h"

#include <QDate>
#include <QLocale>

namespace zel::test {
namespace {

class ChangeHistory : public ModulesTest {
protected:
    void SetUp() override
    {
        connect();
        dm.OpenSignInDataSets();
        zel::PostingRules::Install(dm, host);
        history.Template = AuditLog::ChangeTemplate();
        history.OnFieldChanged = [this](const QString& message, TDataSet&, const QString& table,
                                        const QString& key, QStringList& statements) {
            messages << message;
            statements << table + "/" + key + ": " + message;
        };
        history.OnRecordDeleting = [this](const QString& dump, TDataSet&, const QString&, const QString&,
                                          QStringList& statements) {
            dumps << dump;
            statements << "deleted " + dump;
        };
        history.OnStatementsReady = [this](QStringList& statements) { ready.push_back(statements); };
    }

    void load(int key)
    {
        selectEmployee(key);
        CardStatements::LoadCard(dm, host);
    }

    static QString change(const QString& field, const QString& oldText, const QString& newText)
    {
        return "Поле \"" + field + "\" изменило значение \"" + oldText + "\" на \"" + newText + "\".";
    }

    TADOUpdateHistoryExec history;
    QStringList messages;
    QStringList dumps;
    std::vector<QStringList> ready;
};

TEST_F(ChangeHistory, InsertedRowsAndUnchangedPostsProduceNothing)
{
    load(16);
    TADOQuery& work = dm.ADOQ_Work;
    history.Attach(work, "Work", "id_Work", true, false);
    work.Append();
    work.FieldByName("Doljnost")->SetAsString("Инженер");
    work.Post();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(ready.empty());

    // A value typed and typed back.
    const QString position = work.FieldByName("Doljnost")->AsString();
    work.Edit();
    work.FieldByName("Doljnost")->SetAsString("Техник");
    work.FieldByName("Doljnost")->SetAsString(position);
    work.Post();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(ready.empty());
    EXPECT_EQ(history.DataSet(), &work);
}

TEST_F(ChangeHistory, OwnRulesRunAfterTheComparisonSoStampsAreNeverReported)
{
    load(17);
    TADOQuery& family = dm.ADOQ_family;
    if (family.IsEmpty()) {
        family.Append();
        family.FieldByName("p26")->SetAsString("Сидоров");
        host.familyStatus = 1;
        family.Post();
    }
    host.familyStatus = family.FieldByName("id_family_status")->AsInteger() + 1;
    history.Attach(family, "Family", "id_family", true, false);
    family.Edit();
    family.FieldByName("p27")->SetAsString("Пётр");
    const QString oldName = family.FieldByName("p27")->OldValue().toString();
    family.Post();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), change("p27", oldName.isEmpty() ? "NULL" : oldName, "Пётр"));
    // The family-status rule still ran.
    EXPECT_EQ(family.FieldByName("id_family_status")->AsInteger(), host.familyStatus.toInt());
    ASSERT_EQ(ready.size(), 1u);
    EXPECT_TRUE(history.Statements.isEmpty());
}

TEST_F(ChangeHistory, QuotesAreDoubledAndEmptyValuesAreNull)
{
    load(18);
    TADOQuery& info = dm.ADOQ_Teacher_2;
    info.Edit();  // inserts when the employee has no row
    info.FieldByName("nauch_r")->SetAsString("Труды");
    info.FieldByName("eMail")->Clear();
    info.Post();

    history.Attach(info, "Teacher_info", "id_teacher_info", true, false);
    info.Edit();
    info.FieldByName("nauch_r")->SetAsString("O'Brien's");
    info.FieldByName("eMail")->SetAsString("a@b.c");
    info.Post();
    EXPECT_EQ(messages, (QStringList{change("nauch_r", "Труды", "O''Brien''s"), change("eMail", "NULL", "a@b.c")}));

    messages.clear();
    history.Detach();
    history.Attach(info, "Teacher_info", "id_teacher_info", true, false);
    info.Edit();
    info.FieldByName("nauch_r")->Clear();
    info.Post();
    EXPECT_EQ(messages, (QStringList{change("nauch_r", "O''Brien''s", "NULL")}));
}

TEST_F(ChangeHistory, DatesShowTheShortDateOnly)
{
    load(19);
    TADOQuery& holiday = dm.ADOQ_Holiday;
    holiday.Append();
    holiday.FieldByName("Date_begin")->SetAsDateTime(QDateTime(QDate(2020, 7, 1), QTime(0, 0)));
    holiday.Post();
    history.Attach(holiday, "Holiday", "id_vacation", true, false);

    holiday.Edit();
    holiday.FieldByName("Date_begin")->SetAsDateTime(QDateTime(QDate(2020, 7, 1), QTime(9, 30)));
    holiday.Post();
    const QString day = QLocale().toString(QDate(2020, 7, 1), QLocale::ShortFormat);
    EXPECT_EQ(messages, (QStringList{change("Date_begin", day, day)}));

    messages.clear();
    history.Detach();
    history.Attach(holiday, "Holiday", "id_vacation", true, false);
    holiday.Edit();
    holiday.FieldByName("Date_begin")->SetAsDateTime(QDateTime(QDate(2020, 8, 15), QTime(0, 0)));
    holiday.Post();
    EXPECT_EQ(messages, (QStringList{change("Date_begin", day, QLocale().toString(QDate(2020, 8, 15), QLocale::ShortFormat))}));
}

TEST_F(ChangeHistory, LookupFieldsAreNeverReportedTheirKeysAre)
{
    load(20);
    TADOQuery& languages = dm.ADOQ_Lang_options;
    languages.Append();
    languages.FieldByName("id_lang")->SetAsInteger(dm.ADOQ_languages.FieldByName("id_lang")->AsInteger());
    languages.Post();
    history.Attach(languages, "Language_options", "id_lang_options", true, false);
    dm.ADOQ_languages.Last();
    const int otherLanguage = dm.ADOQ_languages.FieldByName("id_lang")->AsInteger();
    const QString oldLanguage = languages.FieldByName("id_lang")->AsString();
    ASSERT_NE(oldLanguage, QString::number(otherLanguage));
    languages.Edit();
    languages.FieldByName("id_lang")->SetAsInteger(otherLanguage);
    languages.Post();
    EXPECT_EQ(messages, (QStringList{change("id_lang", oldLanguage, QString::number(otherLanguage))}));
}

TEST_F(ChangeHistory, PlaceholdersAreReplacedInSequence)
{
    load(21);
    TADOQuery& awards = dm.ADOQ_Nagrada;
    awards.Append();
    awards.FieldByName("nagrada")->SetAsString("a<new>b");
    awards.Post();
    history.Attach(awards, "Nagrada", "id_nagrada", true, false);
    awards.Edit();
    awards.FieldByName("nagrada")->SetAsString("X");
    awards.Post();
    EXPECT_EQ(messages, (QStringList{change("nagrada", "aXb", "X")}));
}

TEST_F(ChangeHistory, DumpOfARowEndingInALookupHasNoTrailingComma)
{
    load(22);
    TADOQuery& languages = dm.ADOQ_Lang_options;
    languages.Append();
    languages.Post();
    const QString key = languages.FieldByName("id_lang_options")->AsString();
    history.Attach(languages, "Language_options", "id_lang_options", true, true);
    languages.Delete();
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_EQ(dumps.first(), "(ZEL_User[''clerk''], ZEL_Update[NULL], id_lang_options[" + key
                                 + "], id_lang[NULL], id_level[NULL], id_teacher[22])");
    ASSERT_EQ(ready.size(), 1u);
    EXPECT_EQ(ready.front().size(), 1);
}

TEST_F(ChangeHistory, DictionaryDeletionThenInsertHandsTheStatementOverOnce)
{
    TADOQuery& ranks = dm.ADOQ_Rang;
    ranks.Append();
    ranks.FieldByName("rang")->SetAsString("Советник 'первого' класса");
    ranks.Post();
    history.Attach(ranks, "Rang", "id_rang", true, true);
    ranks.Last();
    ranks.Delete();
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_TRUE(dumps.first().contains("rang[''Советник ''первого'' класса'']")) << dumps.first().toStdString();
    ranks.Append();
    ranks.FieldByName("rang")->SetAsString("Новый");
    ranks.Post();
    EXPECT_EQ(ready.size(), 1u);
    EXPECT_EQ(dumps.size(), 1);
}

TEST_F(ChangeHistory, DetachPutsTheDataSetsOwnHandlersBack)
{
    TADOQuery& awards = dm.ADOQ_Nagrada;
    int ownAfterPost = 0;
    awards.AfterPost = [&ownAfterPost](TDataSet&) { ++ownAfterPost; };
    const bool hadBeforePost = bool(awards.BeforePost);
    history.Attach(awards, "Nagrada", "id_nagrada", true, false);
    history.Detach();
    history.Detach();  // detaching twice does nothing
    EXPECT_EQ(history.DataSet(), nullptr);
    EXPECT_EQ(bool(awards.BeforePost), hadBeforePost);
    EXPECT_FALSE(awards.OnPostError);
    load(23);
    awards.Append();
    awards.Post();
    EXPECT_EQ(ownAfterPost, 1);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ChangeHistory, FailedPostDetachesAndDropsTheStatementsOfThatAttempt)
{
    load(24);
    TADOQuery& info = dm.ADOQ_Teacher_2;
    info.Edit();
    info.FieldByName("Phone")->SetAsString("111");
    info.Post();

    selectVanishedEmployee();  // no card reload: the section still shows employee 24
    history.Attach(info, "Teacher_info", "id_teacher_info", true, false);
    info.Edit();
    info.FieldByName("Phone")->SetAsString("222");
    host.calls.clear();
    try {
        info.Post();
        FAIL() << "the server accepted a row of a deleted employee";
    } catch (const AbortSignal&) {
        FAIL() << "the refusal was answered as a lack of rights";
    } catch (const Error& error) {
        EXPECT_FALSE(error.message().isEmpty());
    }
    EXPECT_EQ(messages.size(), 1);  // the comparison ran
    EXPECT_TRUE(history.Statements.isEmpty());
    EXPECT_EQ(history.DataSet(), nullptr);
    EXPECT_EQ(info.State(), dsEdit);
    EXPECT_EQ(info.FieldByName("Phone")->AsString(), "222");
    EXPECT_TRUE(host.calls.filter("warning").isEmpty());

    // A later post without comparison finds nothing left over.
    history.Attach(dm.ADO_TEACHER, "Teacher", "id_teacher", false, false);
    info.Cancel();
    selectEmployee(24);
    dm.ADO_TEACHER.Edit();
    dm.ADO_TEACHER.FieldByName("status")->SetAsBoolean(true);
    dm.ADO_TEACHER.Post();
    EXPECT_TRUE(ready.empty());
}

TEST_F(ChangeHistory, QuotingHelpers)
{
    EXPECT_EQ(QuoteText("a'b"), "'a'b'");
    EXPECT_EQ(QuoteTextTwice("5"), "''5''");
}

}  // namespace
}  // namespace zel::test
