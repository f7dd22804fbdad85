// The directory's statement texts: the three name parts, and typed apostrophes
// that must stay inside the literal.
#include "directory/DirectorySearch.h"

#include <gtest/gtest.h>

using namespace zel;
using DirectorySearch::Field;

namespace {

QString expectedSearch(const char* column, const QString& literal)
{
    return QStringLiteral("Select teacher.*, (ISNULL(teacher.p26,'')+' '+ISNULL(teacher.p27,'')+' '+ISNULL(teacher.p28,''))"
                          " as t_fio from teacher where teacher.id_teacher <> 1 AND teacher.")
        + QLatin1String(column) + QStringLiteral(" LIKE '%") + literal + QStringLiteral("%' Order by t_fio");
}

TEST(DirectorySearchTest, EachNamePartSearchesItsOwnColumn)
{
    const QString text = QStringLiteral("ов");
    EXPECT_EQ(DirectorySearch::SearchStatement(Field::Surname, text), expectedSearch("p26", text));
    EXPECT_EQ(DirectorySearch::SearchStatement(Field::FirstName, text), expectedSearch("p27", text));
    EXPECT_EQ(DirectorySearch::SearchStatement(Field::Patronymic, text), expectedSearch("p28", text));
    EXPECT_EQ(DirectorySearch::SearchStatement(Field::Surname, QString()), expectedSearch("p26", QString()));
}

TEST(DirectorySearchTest, ApostrophesAreDoubledWildcardsStay)
{
    EXPECT_EQ(DirectorySearch::SearchStatement(Field::Surname, QStringLiteral("Д'Арк")),
              expectedSearch("p26", QStringLiteral("Д''Арк")));
    EXPECT_EQ(DirectorySearch::LiteralText(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    EXPECT_EQ(DirectorySearch::LiteralText(QStringLiteral("'; DROP TABLE TEACHER--")),
              QStringLiteral("''; DROP TABLE TEACHER--"));
    EXPECT_EQ(DirectorySearch::LiteralText(QStringLiteral("''")), QStringLiteral("''''"));
    EXPECT_EQ(DirectorySearch::LiteralText(QStringLiteral("100%_a[x]")), QStringLiteral("100%_a[x]"));
}

TEST(DirectorySearchTest, ExaminationListOfOneEmployee)
{
    EXPECT_EQ(DirectorySearch::ExaminationsStatement(QStringLiteral("42")),
              QStringLiteral("Select * From teacher_medosmotr WHERE id_teacher =42 ORDER BY id_teacher_medosmotr"));
}

}  // namespace
