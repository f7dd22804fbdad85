#include "DataSetFixture.h"

#include "data/dataset/TBCDField.h"
#include "data/dataset/TDateField.h"
#include "data/dataset/TIntegerField.h"
#include "data/dataset/TStringField.h"

namespace zel::test {
namespace {

/// Field values, conversions and persistent declarations.
class Fields : public DataSetFixture {
protected:
    void SetUp() override
    {
        DataSetFixture::SetUp();
        using db::SqlType;
        server->addTable("Work", {FakeServer::identity("id_work"),
                                  FakeServer::column("ID_TEACHER", SqlType::Int),
                                  FakeServer::column("post", SqlType::NVarChar, 100),
                                  FakeServer::column("D_b", SqlType::DateTime),
                                  FakeServer::column("Salary", SqlType::Decimal),
                                  FakeServer::column("Total_s", SqlType::Float),
                                  FakeServer::column("small", SqlType::SmallInt),
                                  FakeServer::column("photo", SqlType::VarBinary, -1)});
        server->addRow("Work", {10, 1, u"доцент"_s, QDateTime(QDate(1970, 5, 6), QTime(13, 45)),
                                120000, 2.5, 7, QByteArray("\xff\xd8jpeg", 6)});
        work.SetConnection(&connection);
        work.SetSQL("select * from Work");
    }

    TADOQuery work{"ADOQ_Work"};
};

TEST_F(Fields, DynamicFieldsFollowTheResultColumns)
{
    work.Open();
    ASSERT_EQ(work.FieldCount(), 8);
    EXPECT_EQ(work.Field(0)->DataType(), ftAutoInc);
    EXPECT_TRUE(work.Field(0)->ReadOnly());
    EXPECT_EQ(work.Field(1)->DataType(), ftInteger);
    EXPECT_EQ(work.Field(2)->DataType(), ftWideString);
    EXPECT_EQ(work.Field(2)->Size(), 100);
    EXPECT_EQ(work.Field(3)->DataType(), ftDateTime);
    EXPECT_EQ(work.Field(4)->DataType(), ftBCD);
    EXPECT_EQ(work.Field(5)->DataType(), ftFloat);
    EXPECT_EQ(work.Field(6)->DataType(), ftSmallint);
    EXPECT_EQ(work.Field(7)->DataType(), ftBlob);
    EXPECT_EQ(work.FieldByName("photo")->AsBytes(), QByteArray("\xff\xd8jpeg", 6));
    EXPECT_EQ(work.FieldByName("Salary")->Value(), QVariant(qlonglong(120000)));
    EXPECT_EQ(work.FieldByName("Total_s")->AsString(), "2,5");
    EXPECT_EQ(work.FieldByName("D_b")->AsString(), "06.05.1970 13:45:00");
}

TEST_F(Fields, FieldByNameIgnoresLetterCaseAndNamesTheMissingField)
{
    query.Open();
    EXPECT_EQ(query.FieldByName("ZEL_user"), query.FieldByName("ZEL_User"));
    EXPECT_EQ(query.FindField("nope"), nullptr);
    try {
        query.FieldByName("nope");
        FAIL() << "no error";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains("nope"));
        EXPECT_TRUE(e.message().contains("ADO_TEACHER"));
    }
}

TEST_F(Fields, NullReadsAsEmptyTextAndZero)
{
    query.Open();
    query.Last();
    TField* user = query.FieldByName("ZEL_User");
    TField* date = query.FieldByName("ZEL_Update");
    EXPECT_TRUE(user->IsNull());
    EXPECT_EQ(user->AsString(), "");
    EXPECT_EQ(date->AsString(), "");
    EXPECT_EQ(date->DisplayText(), "");
    EXPECT_FALSE(date->AsDateTime().isValid());
    EXPECT_EQ(query.FieldByName("id_teacher")->AsInteger(), 3);
}

TEST_F(Fields, EmptyTextMakesNumbersAndDatesNull)
{
    work.Open();
    work.Edit();
    work.FieldByName("ID_TEACHER")->SetAsString("");
    work.FieldByName("D_b")->SetAsString("");
    work.FieldByName("Total_s")->SetAsString("");
    EXPECT_TRUE(work.FieldByName("ID_TEACHER")->IsNull());
    EXPECT_EQ(work.FieldByName("ID_TEACHER")->AsInteger(), 0);
    EXPECT_TRUE(work.FieldByName("D_b")->IsNull());
    EXPECT_TRUE(work.FieldByName("Total_s")->IsNull());
    work.Post();
    EXPECT_EQ(writes(), QStringList({"update Work set ID_TEACHER=NULL,D_b=NULL,Total_s=NULL where id_work=10"}));
}

TEST_F(Fields, EmptyTextMakesATextFieldNullSoAClearedValueEqualsAnUnsetOne)
{
    query.Open();
    query.Last();
    query.Edit();
    TField* user = query.FieldByName("ZEL_User");
    user->SetAsString("x");
    user->SetAsString("");
    EXPECT_TRUE(user->IsNull());
    EXPECT_EQ(user->Value(), user->OldValue());
    query.Post();
    EXPECT_TRUE(writes().isEmpty());
}

TEST_F(Fields, InvalidTextIsRefusedAndTheValueStays)
{
    work.Open();
    work.Edit();
    TField* teacher = work.FieldByName("ID_TEACHER");
    try {
        teacher->SetAsString("abc");
        FAIL() << "no error";
    } catch (const DataError& e) {
        EXPECT_EQ(e.message(), u"'abc' не является допустимым целым числом."_s);
    }
    EXPECT_EQ(teacher->AsInteger(), 1);
    EXPECT_THROW(work.FieldByName("D_b")->SetAsString("32.13.2020"), DataError);
    EXPECT_EQ(work.FieldByName("D_b")->AsDateTime().date(), QDate(1970, 5, 6));
    EXPECT_THROW(work.FieldByName("small")->SetAsInteger(40000), DataError);
    EXPECT_EQ(work.FieldByName("small")->AsInteger(), 7);
    EXPECT_THROW(teacher->SetAsString("3000000000"), DataError);
    EXPECT_FALSE(work.Modified());
}

TEST_F(Fields, TextsAreCutToSizeAndNumbersAcceptBothSeparators)
{
    query.Open();
    query.Edit();
    TField* user = query.FieldByName("ZEL_User");
    user->SetAsString(QString(30, u'я'));
    EXPECT_EQ(user->AsString(), QString(20, u'я'));
    query.Cancel();
    work.Open();
    work.Edit();
    work.FieldByName("Total_s")->SetAsString("3,75");
    EXPECT_DOUBLE_EQ(work.FieldByName("Total_s")->AsFloat(), 3.75);
    work.FieldByName("Total_s")->SetAsString("4.5");
    EXPECT_DOUBLE_EQ(work.FieldByName("Total_s")->AsFloat(), 4.5);
    EXPECT_THROW(work.FieldByName("Total_s")->SetAsString("4,5,6"), DataError);
}

TEST_F(Fields, SingleByteTextRefusesCharactersOutsideTheCodePage)
{
    query.Open();
    query.Edit();
    EXPECT_THROW(query.FieldByName("p26")->SetAsString(u"Ιωάννης"_s), DataError);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Иванов"_s);
    work.Open();
    work.Edit();
    work.FieldByName("post")->SetAsString(u"Ιωάννης"_s);
    EXPECT_EQ(work.FieldByName("post")->AsString(), u"Ιωάννης"_s);
}

TEST_F(Fields, TextsFromTheServerAreNeverDropped)
{
    server->table("TEACHER").rows[0][1] = u"Ιωάννης"_s;
    server->table("TEACHER").rows[1][3] = QString(25, u'ж');
    query.Open();
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Ιωάννης"_s);
    query.Next();
    EXPECT_EQ(query.FieldByName("ZEL_User")->AsString(), QString(20, u'ж'));
}

TEST_F(Fields, ReadOnlyAndIdentityFieldsRefuseWrites)
{
    query.Open();
    query.Edit();
    EXPECT_THROW(query.FieldByName("id_teacher")->SetAsInteger(9), DataError);
    query.FieldByName("p26")->SetReadOnly(true);
    EXPECT_THROW(query.FieldByName("p26")->SetAsString("X"), DataError);
    EXPECT_FALSE(query.Modified());
}

TEST_F(Fields, WritesOutsideEditStateAreRefused)
{
    query.Open();
    EXPECT_THROW(query.FieldByName("p26")->SetAsString("X"), DataError);
    EXPECT_EQ(query.FieldByName("p26")->AsString(), u"Иванов"_s);
}

TEST_F(Fields, OldValueIsTheValueWhenEditBegan)
{
    query.Open();
    TField* name = query.FieldByName("p26");
    EXPECT_EQ(name->OldValue(), name->Value());
    query.Edit();
    name->SetAsString("A");
    name->SetAsString("B");
    EXPECT_EQ(name->OldValue().toString(), u"Иванов"_s);
    EXPECT_EQ(query.FieldByName("p27")->OldValue(), query.FieldByName("p27")->Value());
    query.Post();
    query.Insert();
    EXPECT_TRUE(name->OldValue().isNull());
}

TEST_F(Fields, DisplayFormatChangesOnlyTheShownText)
{
    query.Open();
    TField* date = query.FieldByName("ZEL_Update");
    date->SetDisplayFormat("dd.MM.yyyy");
    EXPECT_EQ(date->DisplayText(), "02.01.2020");
    date->SetDisplayFormat("d/M/yy");
    EXPECT_EQ(date->DisplayText(), "2/1/20");
    EXPECT_EQ(date->AsString(), "02.01.2020");
}

TEST_F(Fields, DateFieldDropsTheTimeOfDay)
{
    query.Open();
    query.Edit();
    TField* date = query.FieldByName("ZEL_Update");
    date->SetAsDateTime(QDateTime(QDate(2024, 3, 1), QTime(17, 30)));
    EXPECT_EQ(date->Value(), QVariant(QDate(2024, 3, 1)));
    EXPECT_EQ(date->AsString(), "01.03.2024");
    query.Post();
    EXPECT_EQ(server->table("TEACHER").rows[0][4], QVariant(QDate(2024, 3, 1)));
}

TEST_F(Fields, BooleanTextsAndDateTimeTexts)
{
    query.Open();
    query.Edit();
    TField* status = query.FieldByName("status");
    EXPECT_EQ(status->AsString(), "True");
    status->SetAsString("false");
    EXPECT_FALSE(status->AsBoolean());
    status->SetAsString("1");
    EXPECT_TRUE(status->AsBoolean());
    EXPECT_EQ(status->AsInteger(), 1);
    EXPECT_THROW(status->SetAsString("может быть"), DataError);
    work.Open();
    work.Edit();
    work.FieldByName("D_b")->SetAsString("1.2.2003");
    EXPECT_EQ(work.FieldByName("D_b")->AsString(), "01.02.2003");
}

TEST_F(Fields, BcdWithoutFractionKeepsEighteenDigits)
{
    work.Open();
    work.Edit();
    TField* salary = work.FieldByName("Salary");
    salary->SetAsString("123456789012345678");
    EXPECT_EQ(salary->Value(), QVariant(qlonglong(123456789012345678)));
    EXPECT_EQ(salary->AsString(), "123456789012345678");
    EXPECT_THROW(salary->SetAsString("1234567890123456789"), DataError);
    salary->SetAsFloat(2.6);
    EXPECT_EQ(salary->Value(), QVariant(qlonglong(3)));
}

// -- persistent fields --

TEST_F(Fields, PersistentFieldsAreExactlyTheDeclaredOnesInOrder)
{
    query.DeclareFields({{.name = "status", .type = ftBoolean},
                         {.name = "id_teacher", .type = ftAutoInc, .readOnly = true},
                         {.name = "p26", .type = ftString, .size = 50},
                         {.name = "ZEL_User", .type = ftString}});
    ASSERT_EQ(query.FieldCount(), 4);
    query.Open();
    ASSERT_EQ(query.FieldCount(), 4);
    EXPECT_EQ(query.Field(0)->FieldName(), "status");
    EXPECT_EQ(query.Field(2)->Size(), 50);
    EXPECT_EQ(query.Field(3)->Size(), 20);
    EXPECT_EQ(query.FindField("p27"), nullptr);
    EXPECT_EQ(query.Field(2)->AsString(), u"Иванов"_s);
}

TEST_F(Fields, OpenFailsNamingAMissingDeclaredField)
{
    query.DeclareFields({{.name = "id_teacher", .type = ftAutoInc}, {.name = "t_fio", .type = ftString}});
    try {
        query.Open();
        FAIL() << "opened";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains("t_fio")) << e.message().toStdString();
    }
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.State(), dsInactive);
}

TEST_F(Fields, OpenFailsOnAnIncompatibleColumnType)
{
    query.DeclareFields({{.name = "p26", .type = ftInteger}});
    try {
        query.Open();
        FAIL() << "opened";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains("p26"));
        EXPECT_TRUE(e.message().contains("TIntegerField"));
    }
    EXPECT_FALSE(query.Active());
}

TEST_F(Fields, DynamicFieldsSurviveReopeningTheSameColumns)
{
    query.Open();
    TField* name = query.FieldByName("p26");
    query.SetSQL("select * from TEACHER where id_teacher = 2");
    query.Open();
    EXPECT_EQ(query.FieldByName("p26"), name);
    EXPECT_EQ(name->AsString(), u"Петров"_s);
}

TEST_F(Fields, AFailedOpenLeavesTheDataSetClosed)
{
    query.SetSQL("select * from Missing");
    EXPECT_THROW(query.Open(), DbError);
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.RecordCount(), 0);
    query.SetSQL("select * from TEACHER");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 3);
}

TEST_F(Fields, GridsReadAnyRowWithoutMoving)
{
    query.Open();
    TField* name = query.FieldByName("p26");
    EXPECT_EQ(name->AsStringAt(3), u"Сидоров"_s);
    EXPECT_TRUE(name->ValueAt(4).isNull());
    EXPECT_EQ(query.RecNo(), 1);
    query.Edit();
    name->SetAsString("Правка");
    EXPECT_EQ(name->AsStringAt(1), "Правка");
}

}  // namespace
}  // namespace zel::test
