#include "DataSetFixture.h"

#include "data/dataset/TADOTable.h"
#include "data/dataset/ValueOrder.h"

namespace zel::test {
namespace {

/// Client-side order, filter and Locate.
class SortFilter : public DataSetFixture {
protected:
    void SetUp() override
    {
        DataSetFixture::SetUp();
        using db::SqlType;
        server->addTable("Republic", {FakeServer::identity("id_republic"),
                                      FakeServer::column("republic", SqlType::NVarChar, 50),
                                      FakeServer::column("visible", SqlType::Bit),
                                      FakeServer::column("created", SqlType::Date)});
        const char16_t* names[] = {u"ёлкино", u"Ангрен", u"Бишкек", u"абай", u"Елец", u"Жуковка", u"Zurich"};
        for (int i = 0; i < 7; ++i)
            server->addRow("Republic", {i + 1, QString::fromUtf16(names[i]), i % 2 == 0,
                                        QDate(2020, 1, 1).addDays(i)});
        table.SetConnection(&connection);
        table.SetTableName("Republic");
    }

    QStringList column(const char* name)
    {
        QStringList values;
        for (int r = 1; r <= table.RecordCount(); ++r)
            values << table.FieldByName(name)->AsStringAt(r);
        return values;
    }

    TADOTable table{"ADOT_Republic"};
};

TEST_F(SortFilter, TextSortsCaseInsensitivelyWithYoAsYe)
{
    EXPECT_LT(valueorder::compareText(u"ёж", u"ЕЖА"), 0);
    EXPECT_EQ(valueorder::compareText(u"Ёлка", u"елка"), 0);
    EXPECT_LT(valueorder::compareText(u"Яблоко", u"яблоня"), 0);
    table.Open();
    table.SetSort("republic");
    EXPECT_EQ(column("republic"), QStringList({"Zurich", u"абай"_s, u"Ангрен"_s, u"Бишкек"_s,
                                               u"Елец"_s, u"ёлкино"_s, u"Жуковка"_s}));
    table.SetSort("republic DESC");
    EXPECT_EQ(column("republic").first(), u"Жуковка"_s);
    EXPECT_EQ(column("republic").last(), "Zurich");
}

TEST_F(SortFilter, SortKeepsTheCurrentRowAndIsStable)
{
    table.Open();
    table.SetRecNo(3);  // Бишкек
    table.SetSort("visible");
    EXPECT_EQ(table.FieldByName("republic")->AsString(), u"Бишкек"_s);
    EXPECT_EQ(column("id_republic"), QStringList({"2", "4", "6", "1", "3", "5", "7"}));
    EXPECT_EQ(table.RecordCount(), 7);
    table.SetSort("");
    EXPECT_EQ(column("id_republic"), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_THROW(table.SetSort("missing"), DataError);
    EXPECT_EQ(table.Sort(), "");
}

TEST_F(SortFilter, FilterHidesRowsThatDoNotSatisfyIt)
{
    table.Open();
    table.SetFilter("visible = 1");
    EXPECT_EQ(table.RecordCount(), 7);  // not filtered yet
    int scrolls = 0;
    table.AfterScroll = [&](TDataSet&) { ++scrolls; };
    table.SetFiltered(true);
    EXPECT_EQ(column("id_republic"), QStringList({"1", "3", "5", "7"}));
    EXPECT_EQ(scrolls, 1);
    table.SetFilter("id_republic>=3 AND visible = 1");
    EXPECT_EQ(column("id_republic"), QStringList({"3", "5", "7"}));
    table.SetFilter("republic = 'бишкек'");
    EXPECT_EQ(column("id_republic"), QStringList({"3"}));
    table.SetFilter("created < '03.01.2020' and id_republic <> 1");
    EXPECT_EQ(column("id_republic"), QStringList({"2"}));
    table.SetFiltered(false);
    EXPECT_EQ(table.RecordCount(), 7);
}

TEST_F(SortFilter, BadFiltersAreClearErrors)
{
    table.Open();
    EXPECT_THROW(table.SetFilter("visible ="), DataError);
    EXPECT_THROW(table.SetFilter("visible = 1 OR id = 2"), DataError);
    EXPECT_THROW(table.SetFilter("republic = 'open"), DataError);
    EXPECT_THROW(table.SetFilter("[] = 2"), DataError);
    EXPECT_THROW(table.SetFilter("visible = 1 and [ ] <= 2"), DataError);
    table.SetFilter("nosuch = 1");
    EXPECT_THROW(table.SetFiltered(true), DataError);
    EXPECT_FALSE(table.Filtered());
    EXPECT_EQ(table.RecordCount(), 7);
}

TEST_F(SortFilter, QuoteInsideAFilterLiteral)
{
    server->addRow("Republic", {8, u"Кот-д'Ивуар"_s, true, QVariant()});
    table.Open();
    table.SetFilter("republic = 'Кот-д''Ивуар'");
    table.SetFiltered(true);
    EXPECT_EQ(column("id_republic"), QStringList({"8"}));
}

TEST_F(SortFilter, FilterAndSortAreKeptAcrossReopening)
{
    table.SetFilter("visible = 1");
    table.SetFiltered(true);
    table.SetSort("republic");
    table.Open();
    EXPECT_EQ(column("id_republic"), QStringList({"7", "3", "5", "1"}));
}

TEST_F(SortFilter, LocateMovesToTheKeyOrStays)
{
    table.Open();
    int scrolls = 0;
    table.AfterScroll = [&](TDataSet&) { ++scrolls; };
    EXPECT_TRUE(table.Locate("id_republic", 5));
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_FALSE(table.Locate("id_republic", 50));
    EXPECT_EQ(table.RecNo(), 5);
    EXPECT_EQ(scrolls, 1);
    EXPECT_TRUE(table.Locate("republic", "Zurich"));
    EXPECT_EQ(table.RecNo(), 7);
    // the index follows posted and inserted rows
    table.Append();
    table.FieldByName("republic")->SetAsString(u"Ош"_s);
    table.Post();
    EXPECT_TRUE(table.Locate("id_republic", table.FieldByName("id_republic")->AsInteger()));
    table.First();
    EXPECT_TRUE(table.Locate("republic", u"Ош"_s));
    EXPECT_EQ(table.RecNo(), 8);
}

TEST_F(SortFilter, LocatePostsAModifiedRowFirst)
{
    table.Open();
    table.Edit();
    table.FieldByName("republic")->SetAsString(u"Правка"_s);
    EXPECT_TRUE(table.Locate("id_republic", 3));
    EXPECT_EQ(writes(), QStringList({u"update Republic set republic=Правка where id_republic=1"_s}));
}

TEST_F(SortFilter, NavigationAndRecNo)
{
    table.Open();
    EXPECT_EQ(table.MoveBy(3), 3);
    EXPECT_EQ(table.RecNo(), 4);
    EXPECT_EQ(table.MoveBy(10), 3);
    EXPECT_TRUE(table.Eof());
    EXPECT_EQ(table.MoveBy(-10), -6);
    EXPECT_TRUE(table.Bof());
    table.SetRecNo(6);
    EXPECT_EQ(table.FieldByName("id_republic")->AsInteger(), 6);
    int visited = 0;
    for (table.First(); !table.Eof(); table.Next())
        ++visited;
    EXPECT_EQ(visited, 7);
}

}  // namespace
}  // namespace zel::test
