#include "EditorTranslator.h"
#include "ServerTestDatabase.h"

#include "QtPrinters.h"
#include "data/DbError.h"

#include <gtest/gtest.h>

#include <QDate>

#include <span>

using zel::DbError;
using zel::db::RowSet;

namespace {

struct StatementCase {
    const char* sql;
    QStringList expected;  // first column, in order
};

class Dialect : public ::testing::Test {
protected:
    void SetUp() override { driver = database.connect(); }

    RowSet query(const QString& sql)
    {
        RowSet rows;
        driver->query(sql, rows);
        return rows;
    }
    QStringList values(const QString& sql, int column = 0) { return columnTexts(query(sql), column); }
    DbError error(const QString& sql)
    {
        try {
            RowSet rows;
            driver->query(sql, rows);
        } catch (const DbError& e) {
            return e;
        }
        ADD_FAILURE() << "no error for " << sql.toStdString();
        return DbError(QString());
    }
    /// Each statement runs and gives the expected first column; a failure is reported
    /// with its statement and the next one still runs.
    void expectFirstColumns(std::span<const StatementCase> cases)
    {
        for (const auto& c : cases) {
            QStringList got;
            try {
                got = values(QString::fromUtf8(c.sql));
            } catch (const DbError& e) {
                ADD_FAILURE() << c.sql << " failed: " << e.message().toStdString();
                continue;
            }
            EXPECT_EQ(got, c.expected) << c.sql;
        }
    }

    ServerTestDatabase database;
    std::unique_ptr<zel::server::EmbeddedDriver> driver;
};

}  // namespace

TEST_F(Dialect, StatementTextsGiveTheRowsTheServerWould)
{
    const StatementCase cases[] = {
        {"Select TOP(1) Pensioners.* from TEACHER Pensioners where id_teacher=2", {"2"}},
        {"select TOP 2 p26 from teacher order by id_teacher", {"Иванов", "ИВАНОВА"}},
        {"Select TOP(1) * from TEACHER order by id_teacher desc", {"6"}},
        {"select top 100 percent p26 from teacher where id_teacher < 3 order by 1", {"Иванов", "ИВАНОВА"}},
        {"Select * From family_ Where id_teacher=1 ORDER BY Date_of_birth", {"1", "2"}},
        {"Select * FROM dbo.family_ WHERE id_teacher =1 ORDER BY Date_of_birth ", {"1", "2"}},
        {"Select  *\nFrom family_\nORDER BY Date_of_birth", {"1", "3", "2"}},
        {"select [p25-2] from [ZEL].[dbo].[specialPUM] order by [p25-2] desc", {"Химия", "Физика"}},
        {"Select *  FROM [ZEL].[dbo].[specialPUM] Where id_special=2", {"2"}},
        {"select P26 from dbo.TEACHER where ID_TEACHER=1", {"Иванов"}},
        {"SELECT     id_teacher\nFROM         dbo.Teacher_Del", {"3"}},
        {" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = 3", {"3"}},
        {"select p26 from teacher where p26 like '%ов' order by id_teacher", {"Иванов", "Петров"}},
        {"select p26 from teacher where p26 LIKE '%ов%' order by id_teacher", {"Иванов", "ИВАНОВА", "Петров"}},
        {"select p26 from teacher where p26 like '[ИП]%' order by id_teacher", {"Иванов", "ИВАНОВА", "Петров"}},
        {"select p26 from teacher where p26 not like '%ов%' order by id_teacher", {"Ёлкин", "Елисеев", "Smith"}},
        {"select p26 from teacher where id_teacher >= 3 order by p26", {"Smith", "Елисеев", "Ёлкин", "Петров"}},
        {"select p26 from teacher where id_teacher >= 3 order by p26 desc", {"Петров", "Ёлкин", "Елисеев", "Smith"}},
        {"select p26 from teacher where p26 = 'иванова'", {"ИВАНОВА"}},
        {"select ISNULL(p28, '-') from teacher where id_teacher in (1, 2) order by id_teacher", {"Иванович", "-"}},
        {"select tab_no + 1 as n from teacher where id_teacher = 1", {"11"}},
        {"select salary + tab_no from teacher where id_teacher = 1", {"1010.5"}},
        {"select tab_no + '1' from teacher where id_teacher = 1", {"11"}},
        {"select '5' + 1", {"6"}},
        {"select 'a' + 'b'", {"ab"}},
        {"select p26 + ' ' + p27 from teacher where id_teacher = 2", {"ИВАНОВА Мария"}},
        {"select p26 + p28 from teacher where id_teacher = 2", {"NULL"}},
        {"select CAST(tab_no AS varchar(10)) + 'x' from teacher where id_teacher = 1", {"10x"}},
        {"select CONVERT(varchar(10), birth, 104) from teacher where id_teacher = 1", {"01.05.1970"}},
        {"select count(*) from teacher where birth between '1970-01-01' and '1990-12-31'", {"4"}},
        {"select case when salary > 1500 then 'high' else 'low' end from teacher where id_teacher < 3 order by id_teacher", {"low", "high"}},
        {"select p26 from teacher where id_teacher in (select id_teacher from family_) order by id_teacher", {"Иванов", "ИВАНОВА"}},
        {"select t.p26 from teacher t join family_ f on f.id_teacher = t.id_teacher where f.fio = 'Сидоров'", {"ИВАНОВА"}},
        {"select p26 from teacher where p28 is null and id_teacher < 5 order by id_teacher", {"ИВАНОВА", "Ёлкин"}},
        {"SET NOCOUNT ON\nselect count(*) from family_", {"3"}},
        {"select 'O''Brien'", {"O'Brien"}},
        {"select N'д''Артаньян'", {"д'Артаньян"}},
        {"select UPPER(p26) from teacher where id_teacher = 4", {"ЁЛКИН"}},
        {"select LEN('ab  ')", {"2"}},
        {"select p26 from teacher where p26 + ' ' + p27 = 'иванова мария'", {"ИВАНОВА"}},
        {"select count(*) from teacher where 'ABC' = 'abc'", {"6"}},
        {"select count(*) from teacher where is_active = 'false'", {"1"}},
        {"select count(*) from teacher where is_active = '1'", {"5"}},
    };
    expectFirstColumns(cases);
}

TEST_F(Dialect, EmptyCardTextReturnsAllColumnsAndNoRows)
{
    const RowSet rows = query(QStringLiteral("SELECT  TOP (0) PERCENT dbo.TEACHER.*,p26 as t_fio FROM dbo.TEACHER"));
    EXPECT_EQ(rows.rowCount(), 0);
    ASSERT_EQ(rows.columnCount(), 12);
    EXPECT_EQ(rows.columns().front().name, QStringLiteral("id_teacher"));
    EXPECT_EQ(rows.columns().back().name, QStringLiteral("t_fio"));
    EXPECT_EQ(rows.columns().back().type, zel::db::SqlType::VarChar);
    EXPECT_EQ(rows.columns().back().size, 50);

    const RowSet empty = query(QStringLiteral("select TOP 0 * from family_"));
    EXPECT_EQ(empty.rowCount(), 0);
    EXPECT_EQ(empty.columnCount(), 5);
}

TEST_F(Dialect, SearchOrdersByComputedFullNameWithCyrillicCollation)
{
    database.exec(QStringLiteral("INSERT INTO TEACHER(p26, p27) VALUES ('авдеев', 'Юрий'), ('Ковалёв', NULL)"));
    const RowSet rows = query(QStringLiteral(
        "Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+ISNULL(teacher.p28,'')) as t_fio "
        "from teacher where teacher.id_teacher <> 1 AND teacher.p26 LIKE '%ов%' Order by t_fio"));
    EXPECT_EQ(columnTexts(rows, QStringLiteral("t_fio")),
              (QStringList{"ИВАНОВА Мария ", "Ковалёв  ", "Петров Пётр Петрович"}));
    const auto& t_fio = rows.columns()[std::size_t(rows.columnIndex(QStringLiteral("t_fio")))];
    EXPECT_TRUE(t_fio.isComputed());
    EXPECT_TRUE(zel::db::isTextType(t_fio.type));
    EXPECT_EQ(t_fio.size, 152);  // 50 + 1 + 50 + 1 + 50, as the server declares the sum

    const RowSet byName = query(QStringLiteral(
        "Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')) as t_fio from teacher "
        "where teacher.p27 LIKE '%%' Order by t_fio"));
    EXPECT_EQ(columnTexts(byName, QStringLiteral("p26")).mid(0, 3), (QStringList{"Smith", "авдеев", "Елисеев"}));
}

TEST_F(Dialect, DateTextsFollowTheConnectionsDateFormat)
{
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth = '12/25/1985'")), QStringList{"ИВАНОВА"});
    EXPECT_EQ(error(QStringLiteral("select p26 from teacher where birth = '25.12.1985'")).message(),
              QStringLiteral("Conversion failed when converting date and/or time from character string."));

    driver->execute(QStringLiteral("SET DATEFORMAT dmy"));
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth = '25.12.1985'")), QStringList{"ИВАНОВА"});
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth < '01.01.1971' order by birth")),
              (QStringList{"Елисеев", "Иванов"}));
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth = '1985-12-25'")), QStringList{"ИВАНОВА"});

    driver->execute(QStringLiteral("update teacher set birth = '31.01.2000', ZEL_Update = '02.03.2021 14:05' where id_teacher = 6"));
    const RowSet rows = query(QStringLiteral("select birth, ZEL_Update from teacher where id_teacher = 6"));
    EXPECT_EQ(rows.value(0, 0).toDateTime().date(), QDate(2000, 1, 31));
    EXPECT_EQ(rows.value(0, 1).toDateTime(), QDateTime(QDate(2021, 3, 2), QTime(14, 5)));

    // A batch switches the format for the statements after the SET.
    auto other = database.connect();
    RowSet batch;
    other->query(QStringLiteral("SET DATEFORMAT dmy; select p26 from teacher where birth = '31.01.1990'"), batch);
    EXPECT_EQ(columnTexts(batch, 0), QStringList{"Ёлкин"});
    EXPECT_THROW(other->execute(QStringLiteral("SET DATEFORMAT xyz")), DbError);
}

TEST_F(Dialect, AuditInsertStoresTheDescriptionAsTheLiteralsSayIt)
{
    const QString sql = QStringLiteral(
        "INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Educ', 5, "
        "'Поле \"Faculty\" изменило значение \"O''Brien\" на \"B\".', 'editor', 'PC\\10.0.0.1')");
    EXPECT_EQ(driver->execute(sql), 1);
    const RowSet rows = query(QStringLiteral("select [table], row_id, descr, comp from ZEL_LOG"));
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.text(0, 0), QStringLiteral("Educ"));
    EXPECT_EQ(rows.integer(0, 1), 5);
    EXPECT_EQ(rows.text(0, 2), QStringLiteral("Поле \"Faculty\" изменило значение \"O'Brien\" на \"B\"."));
    EXPECT_EQ(rows.text(0, 3), QStringLiteral("PC\\10.0.0.1"));

    // A quote in the login breaks the statement: a clear error and no row.
    EXPECT_THROW(driver->execute(QStringLiteral(
                     "INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES('Educ', 5, 'x', 'O'Brien', 'PC')")),
                 DbError);
    EXPECT_EQ(database.count(QStringLiteral("ZEL_LOG")), 1);
}

TEST_F(Dialect, BatchWithSeveralWritesIsAllOrNothing)
{
    EXPECT_EQ(driver->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('A')\nINSERT INTO specialPUM([p25-2]) VALUES('B')")), 2);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 4);
    EXPECT_THROW(driver->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('C'); INSERT INTO family_(id_teacher) VALUES(999)")),
                 DbError);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 4);
    // A statement later in the batch that does not compile stops the batch before anything runs.
    EXPECT_THROW(driver->execute(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('D'); select nosuch from teacher")),
                 DbError);
    EXPECT_EQ(database.count(QStringLiteral("specialPUM")), 4);
}

TEST_F(Dialect, TextTypedIntoASearchCannotAppendAChangeOfData)
{
    const QString typed = QStringLiteral("'; DELETE FROM family_--");
    const QString search = QStringLiteral("select teacher.*, p26 as t_fio from teacher where teacher.p26 LIKE '%") + typed
        + QStringLiteral("%' Order by t_fio");
    EXPECT_EQ(error(search).kind(), DbError::Kind::Syntax);
    EXPECT_EQ(database.count(QStringLiteral("family_")), 3);
    EXPECT_EQ(error(QStringLiteral("select * from teacher where p26 LIKE '%'; DROP TABLE teacher--%'")).kind(),
              DbError::Kind::Syntax);
    EXPECT_EQ(database.count(QStringLiteral("TEACHER")), 6);
    // Writing first and then reading stays possible, and so does a batch run without rows.
    EXPECT_EQ(values(QStringLiteral("INSERT INTO specialPUM([p25-2]) VALUES('x'); select SCOPE_IDENTITY()")), QStringList{"3"});
    EXPECT_EQ(driver->execute(QStringLiteral("select 1; delete from specialPUM where id_special = 3")), 1);
}

TEST_F(Dialect, ErrorsReadLikeTheServers)
{
    const DbError table = error(QStringLiteral("select * from nosuch"));
    EXPECT_EQ(table.message(), QStringLiteral("Invalid object name 'nosuch'."));
    EXPECT_EQ(table.kind(), DbError::Kind::InvalidObject);
    EXPECT_EQ(error(QStringLiteral("select nosuch from teacher")).message(), QStringLiteral("Invalid column name 'nosuch'."));
    EXPECT_EQ(error(QStringLiteral("select * from teacher order by nosuch")).message(),
              QStringLiteral("Invalid column name 'nosuch'."));
    EXPECT_EQ(error(QStringLiteral("select * from OTHER.dbo.specialPUM")).message(),
              QStringLiteral("Invalid object name 'OTHER.dbo.specialPUM'."));
    EXPECT_EQ(error(QStringLiteral("select x.p26 from teacher")).kind(), DbError::Kind::InvalidObject);
    EXPECT_EQ(error(QStringLiteral("select * from teacher where")).kind(), DbError::Kind::Syntax);
    EXPECT_EQ(error(QStringLiteral("select p26 + 1 from teacher where id_teacher = 1")).message(),
              QStringLiteral("Conversion failed when converting the varchar value 'Иванов' to data type int."));
    EXPECT_EQ(error(QStringLiteral("select * from teacher where id_teacher = 'abc'")).message(),
              QStringLiteral("Conversion failed when converting the varchar value 'abc' to data type int."));
    EXPECT_EQ(error(QStringLiteral("exec NoSuchProc 1")).message(), QStringLiteral("Could not find stored procedure 'NoSuchProc'."));
    EXPECT_EQ(error(QStringLiteral("select nosuchfn(1)")).kind(), DbError::Kind::InvalidObject);
    EXPECT_EQ(error(QStringLiteral("select top 10 percent * from teacher")).kind(), DbError::Kind::Syntax);
    EXPECT_EQ(error(QStringLiteral("select @x")).kind(), DbError::Kind::Syntax);
}

TEST_F(Dialect, ConstraintViolationsNameTableAndColumn)
{
    EXPECT_EQ(error(QStringLiteral("INSERT INTO family_(fio) VALUES('x')")).message(),
              QStringLiteral("Cannot insert the value NULL into column 'id_teacher', table 'ZEL.dbo.family_'; column does not allow nulls. INSERT fails."));
    const DbError fk = error(QStringLiteral("INSERT INTO family_(id_teacher) VALUES(999)"));
    EXPECT_EQ(fk.kind(), DbError::Kind::Constraint);
    EXPECT_TRUE(fk.message().startsWith(QStringLiteral("The INSERT statement conflicted with the FOREIGN KEY constraint")))
        << fk.message().toStdString();
    EXPECT_TRUE(error(QStringLiteral("DELETE FROM teacher WHERE id_teacher = 1")).message()
                    .startsWith(QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint")));
    driver->execute(QStringLiteral("INSERT INTO Codes(code, label) VALUES('a', 'one')"));
    EXPECT_EQ(error(QStringLiteral("INSERT INTO Codes(code, label) VALUES('A', 'two')")).message(),
              QStringLiteral("Violation of PRIMARY KEY constraint 'PK_Codes'. Cannot insert duplicate key in object 'dbo.Codes'."));
    EXPECT_TRUE(error(QStringLiteral("INSERT INTO Codes(code, label) VALUES('b', 'ONE')")).message()
                    .startsWith(QStringLiteral("Violation of UNIQUE KEY constraint")));
    EXPECT_EQ(error(QStringLiteral("INSERT INTO TEACHER(id_teacher, p26) VALUES(50, 'x')")).kind(), DbError::Kind::Constraint);
    EXPECT_EQ(error(QStringLiteral("UPDATE TEACHER SET id_teacher = 50")).kind(), DbError::Kind::Constraint);
    EXPECT_EQ(database.count(QStringLiteral("family_")), 3);
    EXPECT_EQ(database.count(QStringLiteral("TEACHER")), 6);
}

TEST_F(Dialect, ComputedColumnsWithoutAliasAreUnnamed)
{
    const RowSet rows = query(QStringLiteral("select p26, p26 + 'x', count(*) as n from teacher group by p26 order by p26"));
    ASSERT_EQ(rows.columnCount(), 3);
    EXPECT_EQ(rows.columns()[0].name, QStringLiteral("p26"));
    EXPECT_EQ(rows.columns()[1].name, QString());
    EXPECT_EQ(rows.columns()[2].name, QStringLiteral("n"));
    EXPECT_EQ(rows.columns()[2].type, zel::db::SqlType::BigInt);
    EXPECT_EQ(rows.rowCount(), 6);
}

TEST_F(Dialect, InsertWithoutColumnListSkipsTheIdentity)
{
    driver->execute(QStringLiteral("insert into specialPUM values ('Биология')"));
    EXPECT_EQ(values(QStringLiteral("select id_special from specialPUM where [p25-2] = 'биология'")), QStringList{"3"});
    EXPECT_EQ(values(QStringLiteral("select SCOPE_IDENTITY()")), QStringList{"3"});
}

TEST_F(Dialect, StatementsDifferingOnlyInValuesReuseTheTranslationWithTheNewValues)
{
    for (int id = 1; id <= 6; ++id)
        EXPECT_EQ(values(QStringLiteral("Select * from teacher where id_teacher=%1").arg(id)), QStringList{QString::number(id)});
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where p26 like '%ов%' and id_teacher > 1 order by id_teacher")),
              (QStringList{"ИВАНОВА", "Петров"}));
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where p26 like '%ин%' and id_teacher > 1 order by id_teacher")),
              QStringList{"Ёлкин"});
    // Dates are read in the column's type again for every new value.
    driver->execute(QStringLiteral("SET DATEFORMAT dmy"));
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth = '25.12.1985'")), QStringList{"ИВАНОВА"});
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where birth = '31.01.1990'")), QStringList{"Ёлкин"});
    EXPECT_THROW(values(QStringLiteral("select p26 from teacher where birth = '31.02.1990'")), DbError);
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where id_teacher = '2'")), QStringList{"ИВАНОВА"});
    EXPECT_THROW(values(QStringLiteral("select p26 from teacher where id_teacher = 'x'")), DbError);
    // Literals that shape the statement itself are never taken as values.
    EXPECT_EQ(query(QStringLiteral("select top 1 * from teacher order by id_teacher")).rowCount(), 1);
    EXPECT_EQ(query(QStringLiteral("select top 3 * from teacher order by id_teacher")).rowCount(), 3);
    EXPECT_EQ(values(QStringLiteral("select p26 from teacher where id_teacher < 3 order by 1")), (QStringList{"Иванов", "ИВАНОВА"}));
    EXPECT_EQ(values(QStringLiteral("select p27, p26 from teacher where id_teacher < 3 order by 2")), (QStringList{"Иван", "Мария"}));
    EXPECT_EQ(values(QStringLiteral("select CAST(p26 AS varchar(3)) from teacher where id_teacher = 1")), QStringList{"Ива"});
    EXPECT_EQ(values(QStringLiteral("select CAST(p26 AS varchar(2)) from teacher where id_teacher = 1")), QStringList{"Ив"});
    EXPECT_EQ(values(QStringLiteral("select 'a' + 'b'")), QStringList{"ab"});
    EXPECT_EQ(values(QStringLiteral("select 1 + 2")), QStringList{"3"});
    EXPECT_EQ(query(QStringLiteral("select 'ab' + p26 as x from teacher where id_teacher = 1")).columns()[0].size, 52);
    EXPECT_EQ(query(QStringLiteral("select 'abcd' + p26 as x from teacher where id_teacher = 1")).columns()[0].size, 54);
}

TEST_F(Dialect, ANameHoldingANulCharacterIsRefusedAsSyntax)
{
    const QString alias = QStringLiteral("select 1 as [a") + QChar(u'\0') + QStringLiteral("b]");
    EXPECT_EQ(error(alias).message().section(u'\n', 0, 0), "Incorrect syntax near 'ab'.");
    const QString literalAlias = QStringLiteral("select 'x' 'y") + QChar(u'\0') + QStringLiteral("z'");
    EXPECT_EQ(error(literalAlias).kind(), DbError::Kind::Syntax);
    // Inside a value the character is kept: values travel as parameters.
    EXPECT_EQ(values(QStringLiteral("select len('a") + QChar(u'\0') + QStringLiteral("b')")), QStringList{"3"});
}

TEST_F(Dialect, WhatTheServerWouldRefuseOrCompareWithoutCaseIsNotAnsweredSilently)
{
    // Texts compare without regard to case wherever the server compares them.
    const StatementCase sameAsServer[] = {
        {"select count(*) from teacher where 'ИВАНОВ' in ('иванов', 'петров')", {"6"}},
        {"select count(*) from teacher where p26 + '' in ('иванов')", {"1"}},
        {"select count(*) from teacher where 'b' between 'A' and 'C'", {"6"}},
        {"select count(*) from teacher where upper(p26) between 'иванов' and 'иванова'", {"2"}},
        {"select count(*) from teacher where p26 + '' in (select 'ИВАНОВА')", {"1"}},
        {"select count(*) from (select lower(p26) + '' as n from teacher where id_teacher < 3 "
         "union select upper(p26) from teacher where id_teacher < 3) u", {"2"}},
        {"select count(*) from (select distinct substring(p26, 1, 6) as n from teacher where id_teacher < 3) d", {"1"}},
        {"select count(*) from (select upper(p27) as n from teacher where id_teacher in (1, 2) "
         "union select lower(p27) from teacher where id_teacher in (1, 2)) u", {"2"}},
        {"select min(p26 + '') from teacher where id_teacher in (1, 2)", {"Иванов"}},
        {"select max(x) from (select 'b' + '' as x union all select 'C' + '') t", {"C"}},
        {"select min(x) from (select 'b' + '' as x union all select 'C' + '') t", {"b"}},
        {"select count(*) from (select substring(p26, 1, 6) as n from teacher where id_teacher < 3 "
         "group by substring(p26, 1, 6)) g", {"1"}},
        {"select 7 / 2", {"3"}},
        {"select 7 % 3", {"1"}},
        {"select salary / 2 from teacher where id_teacher = 1", {"500.25"}},
        {"select NULL / 0", {"NULL"}},
        {"select (select p26 from teacher where id_teacher = 2)", {"ИВАНОВА"}},
        {"select (select p26 from teacher where id_teacher = 99)", {"NULL"}},
    };
    expectFirstColumns(sameAsServer);

    struct Refusal {
        const char* sql;
        const char* message;  // the first line of the error
    };
    const Refusal refusals[] = {
        {"select 1 / 0", "Divide by zero error encountered."},
        {"select tab_no % (tab_no - 10) from teacher where id_teacher = 1", "Divide by zero error encountered."},
        {"select salary / 0.0 from teacher where id_teacher = 1", "Divide by zero error encountered."},
        {"select p26 from teacher where id_teacher = (select id_teacher from family_)",
         "Subquery returned more than 1 value. This is not permitted when the subquery follows =, !=, <, <= , >, >= "
         "or when the subquery is used as an expression."},
        {"select (select fio from family_ f where f.id_teacher = t.id_teacher) from teacher t",
         "Subquery returned more than 1 value. This is not permitted when the subquery follows =, !=, <, <= , >, >= "
         "or when the subquery is used as an expression."},
        {"SET ANSI_NULLS OFF", "SET ANSI_NULLS OFF is not supported by this server; nothing was run."},
        {"SET CONCAT_NULL_YIELDS_NULL OFF", "SET CONCAT_NULL_YIELDS_NULL OFF is not supported by this server; nothing was run."},
        {"INSERT INTO family_(id_teacher, code) VALUES(1, 'ABCDEFGHIJK')", "String or binary data would be truncated."},
        {"UPDATE teacher SET p26 = p26 + '123456789012345678901234567890123456789012345' WHERE id_teacher = 1",
         "String or binary data would be truncated."},
        {"UPDATE teacher SET tab_no = 40000 WHERE id_teacher = 1",
         "Arithmetic overflow error converting expression to data type smallint."},
        {"UPDATE teacher SET tab_no = tab_no * 10000 WHERE id_teacher = 2",
         "Arithmetic overflow error converting expression to data type smallint."},
        {"INSERT INTO family_(id_teacher, code) SELECT id_teacher, p26 + ' ' + p27 FROM teacher WHERE id_teacher = 1",
         "String or binary data would be truncated."},
        {"INSERT INTO TEACHER(p26, tab_no) SELECT p26, tab_no * 4000 FROM teacher WHERE id_teacher = 1",
         "Arithmetic overflow error converting expression to data type smallint."},
        {"SELECT count(.7777777,777777777777,777771000)", "The count function requires 1 argument(s)."},
        {"select count() from teacher", "The count function requires 1 argument(s)."},
        {"select nullif(p26) from teacher", "The nullif function requires 2 argument(s)."},
        {"select coalesce(p26) from teacher", "The coalesce function requires at least 2 arguments."},
    };
    for (const auto& r : refusals) {
        const DbError e = error(QString::fromUtf8(r.sql));
        EXPECT_EQ(e.message().section(u'\n', 0, 0), QString::fromUtf8(r.message)) << r.sql;
    }
    // A refusal of this server's own says which statement it was, also one raised
    // while the statement was being translated.
    EXPECT_TRUE(error(QStringLiteral("SET ANSI_NULLS OFF")).message().endsWith(QStringLiteral("\nStatement: SET ANSI_NULLS OFF")));
    EXPECT_EQ(error(QStringLiteral("select 1; select top 10 percent * from teacher")).message(),
              QStringLiteral("Incorrect syntax near 'PERCENT'.\nStatement: select top 10 percent * from teacher"));
    // Nothing of a refused write reached the table; fitting values still go in.
    EXPECT_EQ(values(QStringLiteral("select p26 + '|' + CAST(tab_no AS varchar(10)) from teacher where id_teacher in (1, 2) order by id_teacher")),
              (QStringList{"Иванов|10", "ИВАНОВА|11"}));
    EXPECT_EQ(driver->execute(QStringLiteral("UPDATE teacher SET tab_no = 32767, p28 = 'Иванович   ' WHERE id_teacher = 1")), 1);
    EXPECT_EQ(database.count(QStringLiteral("family_")), 3);
    // Rows that fit are copied as before.
    EXPECT_EQ(driver->execute(QStringLiteral("INSERT INTO family_(id_teacher, code) SELECT id_teacher, 'K' + CAST(tab_no AS varchar(5)) "
                                             "FROM teacher WHERE id_teacher IN (1, 2) ORDER BY id_teacher")),
              2);
    EXPECT_EQ(values(QStringLiteral("select code from family_ where id_family > 3 order by id_family")),
              (QStringList{"K32767    ", "K11       "}));
}

TEST_F(Dialect, DeepNestingIsRefusedBeforeSQLiteGivesUp)
{
    // Up to the limit the statement runs; one level more is the server's refusal.
    const auto nested = [](int levels, const QString& open, const QString& close) {
        return QStringLiteral("select ") + open.repeated(levels) + QStringLiteral("5") + close.repeated(levels);
    };
    EXPECT_EQ(values(nested(30, "~", "")), QStringList{"5"});
    EXPECT_EQ(values(nested(30, "(", ")")), QStringList{"5"});
    EXPECT_EQ(values(nested(15, "(-", ")")), QStringList{"-5"});
    EXPECT_EQ(values(QStringLiteral("select count(*) from teacher where ") + nested(15, "not (", ")").mid(7)
                     .replace(QStringLiteral("5"), QStringLiteral("id_teacher = 1"))),
              QStringList{"5"});
    for (const QString& sql : {nested(40, "~", ""), nested(40, "(", ")"), nested(200, "-(", ")")}) {
        const DbError refused = error(sql);
        EXPECT_EQ(refused.message().section(u'\n', 0, 0),
                  "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into "
                  "smaller queries.");
        EXPECT_EQ(refused.kind(), DbError::Kind::Syntax);
    }
}

TEST_F(Dialect, LongChainsOfOneOperatorRunAsTheServerRunsThem)
{
    const auto chain = [](const QString& head, const QString& link, int links) {
        return head + link.repeated(links);
    };
    EXPECT_EQ(values(chain(QStringLiteral("select 1"), QStringLiteral(" + 1"), 299)), QStringList{"300"});
    EXPECT_EQ(values(chain(QStringLiteral("select count(*) from teacher where id_teacher = 1"),
                           QStringLiteral(" AND 1 = 1"), 200)),
              QStringList{"1"});
    EXPECT_EQ(values(chain(QStringLiteral("select count(*) from teacher where id_teacher = 0"),
                           QStringLiteral(" OR id_teacher = 2"), 200)),
              QStringList{"1"});
    EXPECT_EQ(values(chain(QStringLiteral("select 'а'"), QStringLiteral(" + 'а'"), 149)),
              QStringList{QString(150, QChar(0x430))});
    // Every division names its dividend once: forty of them are as short as forty
    // divisions typed, not a text twice as long for each.
    EXPECT_EQ(values(chain(QStringLiteral("select 1099511627776"), QStringLiteral(" / 2"), 40)), QStringList{"1"});
    EXPECT_EQ(values(chain(QStringLiteral("select 1099511627776"), QStringLiteral(" % 1000003"), 40)),
              QStringList{"329252"});
    EXPECT_EQ(values(chain(QStringLiteral("select 1"), QStringLiteral(" ^ 3"), 41)), QStringList{"2"});
    EXPECT_EQ(values(QStringLiteral("select right('12345', ") + QStringLiteral("right('3', ").repeated(11)
                     + QStringLiteral("1") + QStringLiteral(")").repeated(12)),
              QStringList{"345"});
}

TEST_F(Dialect, ArithmeticAndRightKeepTheServersResults)
{
    const StatementCase cases[] = {
        {"select 7 ^ 2", {"5"}},
        {"select tab_no ^ 1 from teacher where id_teacher = 1", {"11"}},
        {"select NULL ^ 1", {"NULL"}},
        {"select -7 / 2", {"-3"}},
        {"select -7 % 3", {"-1"}},
        {"select 7.5 % 2", {"1.5"}},
        {"select 7 % -1", {"0"}},
        {"select 1 / NULL", {"NULL"}},
        {"select NULL % 0", {"NULL"}},
        {"select salary / 4 from teacher where id_teacher = 1", {"250.125"}},
        {"select right(p26, 4) from teacher where id_teacher = 2", {"НОВА"}},
        {"select right('абв', 0)", {""}},
        {"select right('абв', 10)", {"абв"}},
        {"select right(NULL, 1)", {"NULL"}},
    };
    expectFirstColumns(cases);
    EXPECT_EQ(error(QStringLiteral("select right('абв', -1)")).message().section(u'\n', 0, 0),
              QStringLiteral("Invalid length parameter passed to the right function."));
    EXPECT_EQ(error(QStringLiteral("select 5 % 0.0")).message().section(u'\n', 0, 0),
              QStringLiteral("Divide by zero error encountered."));
}

TEST_F(Dialect, AStatementNestedBeyondWhatCanBeTranslatedIsTheServersRefusal)
{
    // Operators that change at every link cannot share parentheses.
    QString sql = QStringLiteral("select count(*) from teacher where 1");
    for (int i = 0; i < 150; ++i)
        sql += (i % 2 == 0) ? QStringLiteral(" = 1") : QStringLiteral(" > 0");
    const DbError refused = error(sql);
    EXPECT_EQ(refused.message().section(u'\n', 0, 0),
              "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into "
              "smaller queries.");
    EXPECT_EQ(refused.kind(), DbError::Kind::Syntax);
    EXPECT_EQ(refused.nativeCode(), 191);

    // A chain longer than the translation can follow is refused before it is
    // followed, also when its parts sit inside and outside a subquery.
    const QStringList tooLong = {
        QStringLiteral("select 1") + QStringLiteral(" + 1").repeated(2000),
        QStringLiteral("select count(*) from teacher where 1 = 1") + QStringLiteral(" AND 1 = 1").repeated(2000),
        QStringLiteral("select p26 from teacher where p26 like 'a'") + QStringLiteral(" collate Cyrillic_General_CI_AS").repeated(500),
        QStringLiteral("select (select 1") + QStringLiteral(" + 1").repeated(250) + QStringLiteral(")")
            + QStringLiteral(" + 1").repeated(250),
    };
    for (const QString& statement : tooLong)
        EXPECT_EQ(error(statement).nativeCode(), 191) << statement.left(60).toStdString();
    EXPECT_EQ(values(QStringLiteral("select (select 1") + QStringLiteral(" + 1").repeated(150) + QStringLiteral(")")
                     + QStringLiteral(" + 1").repeated(150)),
              QStringList{"301"});
}

TEST_F(Dialect, ANestedSelectIsOrderedOnlyToPickItsTopRows)
{
    const StatementCase cases[] = {
        {"select (select top 1 fio from family_ f where f.id_teacher = t.id_teacher order by f.fio desc) "
         "from teacher t where id_teacher = 1", {"Иванова Анна"}},
        {"select count(*) from (select top 2 id_teacher from teacher order by tab_no desc) d", {"2"}},
        // The outer row's column is one value for the whole subquery: it orders nothing.
        {"select (select top 1 fio from family_ f where f.id_teacher = t.id_teacher order by t.p26, f.fio) "
         "from teacher t where id_teacher = 1", {"Иванов Олег"}},
        {"select (select top 1 fio from family_ f where f.id_teacher = t.id_teacher order by p26) "
         "from teacher t where id_teacher = 2", {"Сидоров"}},
    };
    expectFirstColumns(cases);

    const QString noOrder = QStringLiteral(
        "The ORDER BY clause is invalid in views, inline functions, derived tables, subqueries, and common table "
        "expressions, unless TOP, OFFSET or FOR XML is also specified.");
    for (const char* sql : {"select p26 from teacher where id_teacher in (select id_teacher from family_ order by fio)",
                            "select count(*) from (select id_teacher from teacher order by p26) d",
                            "select p26 from teacher t where exists (select 1 from family_ order by t.p26)"})
        EXPECT_EQ(error(QString::fromUtf8(sql)).message().section(u'\n', 0, 0), noOrder) << sql;
    EXPECT_TRUE(error(QStringLiteral("select (select top 1 fio from family_ f where f.id_teacher = t.id_teacher "
                                     "order by t.p26 + f.fio) from teacher t"))
                    .message()
                    .startsWith(QStringLiteral("ORDER BY of a subquery by an expression over the outer query's columns "
                                               "is not supported by this server")));
}

TEST_F(Dialect, SelectListsOfTheWrongLengthAreRefusedInTheServersWords)
{
    struct Refusal {
        const char* sql;
        int code;
    };
    const Refusal refusals[] = {
        {"select p26, p27 from teacher union select p26 from teacher", 205},
        {"select p26 from teacher except select p26, p27 from teacher", 205},
        {"INSERT INTO family_(id_teacher, code) SELECT id_teacher FROM teacher", 120},
        {"INSERT INTO family_(id_teacher, code) SELECT id_teacher, p26, p27 FROM teacher", 121},
        {"INSERT INTO family_(id_teacher, code) SELECT * FROM teacher", 121},
        {"INSERT INTO family_(id_teacher, code) SELECT id_teacher FROM teacher UNION SELECT id_teacher FROM teacher", 120},
        {"select (select p26, p27 from teacher where id_teacher = 1)", 116},
        {"select p26 from teacher where id_teacher in (select id_teacher, code from family_)", 116},
        {"select 1 where 1 = (select 2, 3)", 116},
        {"select count(*) from teacher where id_teacher = (select * from family_ where id_family = 1)", 116},
    };
    for (const auto& r : refusals) {
        const DbError e = error(QString::fromUtf8(r.sql));
        EXPECT_EQ(e.nativeCode(), r.code) << r.sql;
        EXPECT_EQ(e.kind(), DbError::Kind::Syntax) << r.sql;
        const QString expected = r.code == 205 ? QStringLiteral("All queries combined using a UNION")
            : r.code == 116 ? QStringLiteral("Only one expression can be specified in the select list when the "
                                             "subquery is not introduced with EXISTS.")
                            : QStringLiteral("The select list for the INSERT statement contains %1 items than the "
                                             "insert list.")
                                  .arg(r.code == 120 ? "fewer" : "more");
        EXPECT_TRUE(e.message().startsWith(expected)) << e.message().toStdString();
    }
    EXPECT_EQ(database.count(QStringLiteral("family_")), 3);
}

TEST_F(Dialect, NestedSubqueriesRunUpToTheDepthSQLiteCanParse)
{
    const auto nested = [](int levels) {
        return QStringLiteral("select ") + QStringLiteral("(select ").repeated(levels) + QStringLiteral("7")
            + QStringLiteral(")").repeated(levels);
    };
    EXPECT_EQ(values(nested(16)), QStringList{"7"});
    EXPECT_EQ(error(nested(24)).nativeCode(), 191);
    // Subqueries that could give several rows are checked for it at every level.
    EXPECT_EQ(values(QStringLiteral("select ") + QStringLiteral("(select top 2 ").repeated(6) + QStringLiteral("7")
                     + QStringLiteral(" from family_ where id_family = 1)").repeated(6)),
              QStringList{"7"});
    EXPECT_EQ(error(QStringLiteral("select (select (select id_teacher from family_)) ")).message().section(u'\n', 0, 0),
              QStringLiteral("Subquery returned more than 1 value. This is not permitted when the subquery follows =, "
                             "!=, <, <= , >, >= or when the subquery is used as an expression."));
}

namespace {

/// The translator alone, over the server's own schema: what SQLite is given.
class Translation : public ::testing::Test {
protected:
    qsizetype translatedLength(const QString& statement)
    {
        const auto statements = server.translator.translate(statement, QStringLiteral("mdy"));
        return statements.empty() ? 0 : statements.front().sql.size();
    }

    EditorTranslator server;
};

}  // namespace

TEST_F(Translation, EveryOperandAndSubqueryIsWrittenOnce)
{
    // Twice the links give about twice the text; a part written twice per level
    // would give thousands of times as much.
    const auto growth = [&](const QString& head, const QString& link, const QString& tail, int links) {
        const auto text = [&](int n) { return head + link.repeated(n) + QStringLiteral("1") + tail.repeated(n); };
        return double(translatedLength(text(2 * links))) / double(translatedLength(text(links)));
    };
    EXPECT_LT(growth(QStringLiteral("select 1"), QStringLiteral(" / 2"), QString(), 12), 2.5);
    EXPECT_LT(growth(QStringLiteral("select 1"), QStringLiteral(" % 2"), QString(), 12), 2.5);
    EXPECT_LT(growth(QStringLiteral("select 1"), QStringLiteral(" ^ 2"), QString(), 12), 2.5);
    EXPECT_LT(growth(QStringLiteral("select "), QStringLiteral("right('abc', "), QStringLiteral(")"), 8), 2.5);
    EXPECT_LT(growth(QStringLiteral("select "), QStringLiteral("(select "), QStringLiteral(")"), 8), 2.5);
    EXPECT_LT(growth(QStringLiteral("select "), QStringLiteral("(select top 2 p26 + "),
                     QStringLiteral(" from teacher)"), 4),
              2.5);
}
