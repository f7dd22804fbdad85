#include "DataSetFixture.h"

#include "data/dataset/TDataLink.h"
#include "data/dataset/TDataSource.h"

#include <memory>

namespace zel::test {
namespace {

/// Lookup fields over dictionaries and calculated fields.
class LookupFields : public DataSetFixture {
protected:
    void SetUp() override
    {
        DataSetFixture::SetUp();
        using db::SqlType;
        server->addTable("Family_s", {FakeServer::identity("id_family_s"),
                                      FakeServer::column("stepen", SqlType::VarChar, 30)});
        server->addRow("Family_s", {1, u"мать"_s});
        server->addRow("Family_s", {2, u"отец"_s});
        server->addTable("family_", {FakeServer::identity("id_family"),
                                     FakeServer::column("id_teacher", SqlType::Int),
                                     FakeServer::column("id_family_s", SqlType::Int),
                                     FakeServer::column("p26", SqlType::NChar, 20)});
        server->addRow("family_", {1, 1, 2, u"Иванов"_s});
        server->addRow("family_", {2, 1, 7, u"Иванова"_s});
        server->addRow("family_", {3, 1, QVariant(), u"Иванов"_s});

        dictionary.SetConnection(&connection);
        dictionary.SetSQL("Select * from Family_s");
        family.SetConnection(&connection);
        family.SetSQL("Select * from family_");
        family.DeclareFields({{.name = "id_family", .type = ftAutoInc},
                              {.name = "id_teacher", .type = ftInteger},
                              {.name = "id_family_s", .type = ftInteger},
                              {.name = "family_s", .type = ftString, .size = 30, .kind = fkLookup,
                               .keyFields = "id_family_s", .lookupDataSet = &dictionary,
                               .lookupKeyFields = "id_family_s", .lookupResultField = "stepen"},
                              {.name = "p26", .type = ftWideString, .size = 20, .fixedChar = true}});
    }

    TADOQuery dictionary{"ADOQ_Family_s"};
    TADOQuery family{"ADOQ_family"};
};

TEST_F(LookupFields, OpeningOpensTheDictionaryAndResolvesKeys)
{
    EXPECT_FALSE(dictionary.Active());
    family.Open();
    EXPECT_TRUE(dictionary.Active());
    TField* relation = family.FieldByName("family_s");
    EXPECT_EQ(relation->FieldKind(), fkLookup);
    EXPECT_EQ(relation->AsString(), u"отец"_s);
    family.Next();
    EXPECT_TRUE(relation->IsNull());  // key 7 has no dictionary row
    family.Next();
    EXPECT_TRUE(relation->IsNull());  // null key
    EXPECT_EQ(relation->AsStringAt(1), u"отец"_s);
}

TEST_F(LookupFields, ChangingTheKeyReevaluatesAtOnceAndNotifiesTheLookupField)
{
    struct Changes : TDataLink {
        QStringList names;
        void recordChanged(TField* field) override { names << (field ? field->FieldName() : "*"); }
    } link;
    TDataSource source(&family);
    link.SetDataSource(&source);
    family.Open();
    family.Edit();
    family.FieldByName("id_family_s")->SetAsInteger(1);
    EXPECT_EQ(family.FieldByName("family_s")->AsString(), u"мать"_s);
    EXPECT_EQ(link.names, QStringList({"id_family_s", "family_s"}));
    family.Post();
    EXPECT_EQ(writes(), QStringList({"update family_ set id_family_s=1 where id_family=1"}));
}

TEST_F(LookupFields, ChoosingALookupTextWritesTheKey)
{
    family.Open();
    family.Edit();
    family.FieldByName("family_s")->SetAsString(u"мать"_s);
    EXPECT_EQ(family.FieldByName("id_family_s")->AsInteger(), 1);
    EXPECT_THROW(family.FieldByName("family_s")->SetAsString(u"тётя"_s), DataError);
    EXPECT_EQ(family.FieldByName("id_family_s")->AsInteger(), 1);
}

TEST_F(LookupFields, ADictionaryRowAddedElsewhereShowsAtOnce)
{
    struct Refills : TDataLink {
        int count = 0;
        void dataSetChanged() override { ++count; }
    } grid;
    TDataSource source(&family);
    grid.SetDataSource(&source);
    family.Open();
    family.Next();
    EXPECT_TRUE(family.FieldByName("family_s")->IsNull());
    const int before = grid.count;
    // the dictionary window adds key 7
    server->table("Family_s").nextIdentity = 7;
    dictionary.Append();
    dictionary.FieldByName("stepen")->SetAsString(u"брат"_s);
    dictionary.Post();
    EXPECT_EQ(family.FieldByName("family_s")->AsString(), u"брат"_s);
    EXPECT_GT(grid.count, before);
    // and a deleted dictionary row stops resolving
    dictionary.Delete();
    EXPECT_TRUE(family.FieldByName("family_s")->IsNull());
    dictionary.Close();
    family.First();
    EXPECT_TRUE(family.FieldByName("family_s")->IsNull());
}

TEST_F(LookupFields, LookupAndCalculatedFieldsAreNeverWritten)
{
    family.AddField({.name = "RecInfo", .type = ftString, .size = 200, .kind = fkCalculated});
    family.OnCalcFields = [](TDataSet& ds) {
        ds.FieldByName("RecInfo")->SetAsString(QString::number(std::abs(ds.RecNo())) + " - "
                                               + ds.FieldByName("p26")->AsString());
    };
    family.Open();
    family.Insert();
    family.FieldByName("id_family_s")->SetAsInteger(1);
    family.FieldByName("p26")->SetAsString(u"Новая"_s);
    family.Post();
    EXPECT_EQ(writes(), QStringList({u"insert family_ id_family_s=1,p26=Новая"_s}));
}

TEST_F(LookupFields, CalculatedFieldsFollowTheRowTheyAreReadFor)
{
    family.AddField({.name = "RecInfo", .type = ftString, .size = 200, .kind = fkCalculated});
    int runs = 0;
    family.OnCalcFields = [&](TDataSet& ds) {
        ++runs;
        ds.FieldByName("RecInfo")->SetAsString(QString::number(std::abs(ds.RecNo())) + " - "
                                               + ds.FieldByName("p26")->AsString());
    };
    family.Open();
    TField* info = family.FieldByName("RecInfo");
    EXPECT_EQ(info->AsString(), u"1 - Иванов"_s);
    EXPECT_EQ(info->AsStringAt(2), u"2 - Иванова"_s);
    EXPECT_EQ(family.RecNo(), 1);
    family.Edit();
    family.FieldByName("p26")->Clear();
    EXPECT_EQ(info->AsString(), "1 - ");
    EXPECT_THROW(info->SetAsString("x"), DataError);
    family.Cancel();
    family.Last();
    EXPECT_EQ(info->AsString(), u"3 - Иванов"_s);
    EXPECT_GE(runs, 4);
}

TEST_F(LookupFields, FixedCharTextKeepsItsBlanks)
{
    server->table("family_").rows[0][3] = QString(u"Иванов"_s).leftJustified(20);
    family.Open();
    EXPECT_TRUE(family.FieldByName("p26")->FixedChar());
    EXPECT_EQ(family.FieldByName("p26")->AsString().size(), 20);
}

TEST_F(LookupFields, LookupWithoutItsKeyFieldFailsToOpen)
{
    TADOQuery broken("broken");
    broken.SetConnection(&connection);
    broken.SetSQL("Select * from family_");
    broken.DeclareFields({{.name = "id_family", .type = ftAutoInc},
                          {.name = "family_s", .type = ftString, .kind = fkLookup,
                           .keyFields = "id_family_s", .lookupDataSet = &dictionary,
                           .lookupKeyFields = "id_family_s", .lookupResultField = "stepen"}});
    EXPECT_THROW(broken.Open(), DataError);
    EXPECT_FALSE(broken.Active());
}

TEST_F(LookupFields, ADestroyedDictionaryReadsAsNoMatch)
{
    auto own = std::make_unique<TADOQuery>("ADOQ_Holliday_t");
    own->SetConnection(&connection);
    own->SetSQL("Select * from Family_s");
    TADOQuery holiday("ADOQ_Holiday");
    holiday.SetConnection(&connection);
    holiday.SetSQL("Select * from family_");
    holiday.DeclareFields({{.name = "id_family_s", .type = ftInteger},
                           {.name = "kind", .type = ftString, .kind = fkLookup, .keyFields = "id_family_s",
                            .lookupDataSet = own.get(), .lookupKeyFields = "id_family_s",
                            .lookupResultField = "stepen"}});
    holiday.Open();
    EXPECT_EQ(holiday.FieldByName("kind")->AsString(), u"отец"_s);
    own.reset();
    EXPECT_EQ(holiday.FieldByName("kind")->LookupDataSet(), nullptr);
    EXPECT_TRUE(holiday.FieldByName("kind")->IsNull());
}

TEST_F(LookupFields, DatasetLookupFindsByKeyWithoutMoving)
{
    dictionary.Open();
    dictionary.Last();
    EXPECT_EQ(dictionary.Lookup("id_family_s", 1, "stepen").toString(), u"мать"_s);
    EXPECT_EQ(dictionary.Lookup("id_family_s", "2", "stepen").toString(), u"отец"_s);
    EXPECT_TRUE(dictionary.Lookup("id_family_s", 9, "stepen").isNull());
    EXPECT_EQ(dictionary.RecNo(), 2);
}

}  // namespace
}  // namespace zel::test
