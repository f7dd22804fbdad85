#include "server/engine/LikePattern.h"
#include "server/engine/SqliteFunctions.h"
#include "server/engine/TextFolding.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

using zel::server::LikePattern;
using zel::server::TextFolding;

namespace {

bool like(const char* text, const char* pattern)
{
    return LikePattern(pattern).matches(text);
}

class SqliteConnection : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        zel::server::registerServerFunctions(db);
        exec("CREATE TABLE t (id INTEGER PRIMARY KEY, name varchar(50) COLLATE ZEL_CI)");
    }
    void TearDown() override { sqlite3_close(db); }

    void exec(const std::string& sql)
    {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
    }
    std::vector<std::string> column(const std::string& sql)
    {
        std::vector<std::string> out;
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const auto* t = sqlite3_column_text(st, 0);
            out.emplace_back(t ? reinterpret_cast<const char*>(t) : "<NULL>");
        }
        sqlite3_finalize(st);
        return out;
    }

    sqlite3* db = nullptr;
};

}  // namespace

TEST(TextFolding, ComparesWithoutCaseAndSortsYoWithYe)
{
    EXPECT_EQ(TextFolding::compare("Иванов", "ИВАНОВ"), 0);
    EXPECT_EQ(TextFolding::compare("Smith", "sMITH"), 0);
    EXPECT_LT(TextFolding::compare("Ёжиков", "Жуков"), 0);  // Ё with Е, before Ж
    EXPECT_GT(TextFolding::compare("Ёжиков", "Дмитриев"), 0);
    EXPECT_LT(TextFolding::compare("Абрамов", "абрамова"), 0);
    // Ё and Е differ only as a tie, deterministically.
    EXPECT_NE(TextFolding::compare("Ёлкин", "Елкин"), 0);
    EXPECT_EQ(TextFolding::compare("Ёлкин", "Елкин"), -TextFolding::compare("Елкин", "Ёлкин"));
    EXPECT_LT(TextFolding::compare("Елкин", "Ёлкин"), 0);
    EXPECT_LT(TextFolding::compare("Ёлкин", "Елкина"), 0);  // the letters decide before the tie
    EXPECT_EQ(TextFolding::compare("A1", "a1   "), 0);        // trailing blanks do not count
    EXPECT_LT(TextFolding::compare("A1 ", "A1 b"), 0);
}

TEST(TextFolding, MalformedUtf8StaysTotal)
{
    const std::string cut = std::string("Ив") + char(0xD0);  // last byte of a pair missing
    EXPECT_NE(TextFolding::compare(cut, "Ив"), 0);
    EXPECT_EQ(TextFolding::compare(cut, cut), 0);
}

TEST(LikePattern, WildcardsAndCyrillicCase)
{
    EXPECT_TRUE(like("Иванов", "%ов%"));
    EXPECT_TRUE(like("ИВАНОВ", "%ов%"));
    EXPECT_TRUE(like("Иванов", "ив%"));
    EXPECT_FALSE(like("Петрова", "%ов"));
    EXPECT_TRUE(like("Петрова", "%ов_"));
    EXPECT_TRUE(like("abc", "a_c"));
    EXPECT_FALSE(like("ac", "a_c"));
    EXPECT_TRUE(like("", "%"));
    EXPECT_FALSE(like("", "_"));
    EXPECT_TRUE(like("aXbXc", "%b%c"));
    EXPECT_TRUE(like("mississippi", "%iss%ppi"));
}

TEST(LikePattern, BracketClasses)
{
    EXPECT_TRUE(like("100%", "100[%]"));
    EXPECT_FALSE(like("1000", "100[%]"));
    EXPECT_TRUE(like("a_b", "a[_]b"));
    EXPECT_FALSE(like("axb", "a[_]b"));
    EXPECT_TRUE(like("[x]", "[[]x]"));
    EXPECT_TRUE(like("b", "[a-c]"));
    EXPECT_FALSE(like("d", "[a-c]"));
    EXPECT_TRUE(like("d", "[^a-c]"));
    EXPECT_TRUE(like("Б", "[а-в]"));  // class ranges ignore case too
    EXPECT_TRUE(like("[x", "[x"));     // unclosed bracket is a literal
    EXPECT_TRUE(like("O'Brien", "O'%"));
}

TEST(LikePattern, EscapeCharacter)
{
    EXPECT_TRUE(LikePattern("10!%", U'!').matches("10%"));
    EXPECT_FALSE(LikePattern("10!%", U'!').matches("100"));
}

TEST_F(SqliteConnection, LikeOperatorIgnoresCyrillicCase)
{
    exec("INSERT INTO t(name) VALUES ('Иванов'),('ИВАНОВ'),('Петров'),('Сидорова'),('Smith')");
    const auto found = column("SELECT name FROM t WHERE name LIKE '%ов' ORDER BY id");
    EXPECT_EQ(found, (std::vector<std::string>{"Иванов", "ИВАНОВ", "Петров"}));
    EXPECT_EQ(column("SELECT count(*) FROM t WHERE name LIKE 'ив%'"), std::vector<std::string>{"2"});
    EXPECT_EQ(column("SELECT count(*) FROM t WHERE like('%ов%', name)"), std::vector<std::string>{"4"});
    EXPECT_EQ(column("SELECT NULL LIKE 'a'"), std::vector<std::string>{"<NULL>"});
    EXPECT_EQ(column("SELECT count(*) FROM t WHERE name LIKE 'С%' ESCAPE '!'"),
              std::vector<std::string>{"1"});
}

TEST_F(SqliteConnection, CollationOrdersAndEqualsWithoutCase)
{
    exec("INSERT INTO t(name) VALUES ('Жуков'),('Ёжиков'),('Елисеев'),('абрамов'),('Дмитриев'),('Яковлев')");
    EXPECT_EQ(column("SELECT name FROM t ORDER BY name"),
              (std::vector<std::string>{"абрамов", "Дмитриев", "Ёжиков", "Елисеев", "Жуков", "Яковлев"}));
    EXPECT_EQ(column("SELECT name FROM t WHERE name = 'ЖУКОВ'"), std::vector<std::string>{"Жуков"});
    EXPECT_EQ(column("SELECT name FROM t WHERE name = 'жуков' COLLATE BINARY"), std::vector<std::string>{});
}

TEST_F(SqliteConnection, UpperAndLowerKnowCyrillic)
{
    EXPECT_EQ(column("SELECT upper('иванов ёж abc')"), std::vector<std::string>{"ИВАНОВ ЁЖ ABC"});
    EXPECT_EQ(column("SELECT lower('ИВАНОВ ЁЖ')"), std::vector<std::string>{"иванов ёж"});
    EXPECT_EQ(column("SELECT upper(NULL)"), std::vector<std::string>{"<NULL>"});
}
