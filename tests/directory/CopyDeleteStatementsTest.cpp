// The texts of the copy and delete statements.
#include "directory/CopyDeleteStatements.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::CopyDeleteStatements;

TEST(CopyDeleteStatements, WorkstationJoinsNameAndAddressWithOneBackslash)
{
    EXPECT_EQ(Workstation(QStringLiteral("PC12"), QStringLiteral("10.0.0.7")), QStringLiteral("PC12\\10.0.0.7"));
    EXPECT_EQ(Workstation(QString(), QStringLiteral("10.0.0.7")), QStringLiteral("\\10.0.0.7"));
}

TEST(CopyDeleteStatements, OrdinaryNamesGiveTheTextsAsTheServerExpectsThem)
{
    const Author author{QStringLiteral("ivanova"), QStringLiteral("PC12\\10.0.0.7")};
    EXPECT_EQ(CopyStatement(57, 9, author),
              QStringLiteral("EXEC CopyDataFromTeacher @id_teacherFrom = 57, @id_teacherTo = 9, "
                             "@zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'"));
    EXPECT_EQ(DeleteStatement(57, author),
              QStringLiteral("EXEC [DeleteTeacher] @id_teacher = 57, @zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'"));
    EXPECT_EQ(ForcedDeleteStatement(57, author),
              QStringLiteral("EXEC DeleteTeacher2 @id_teacher=57, @zel_user = 'ivanova', @ip = 'PC12\\10.0.0.7'"));
    EXPECT_EQ(ProtectedEmployeeStatement(0),
              QStringLiteral(" SELECT     id_teacher  FROM   dbo.Teacher_Del  WHERE     id_teacher = 0"));
}

TEST(CopyDeleteStatements, ApostrophesAreDoubledSoTheLiteralsHoldTheWholeNames)
{
    const Author author{QStringLiteral("д'Артаньян"), QStringLiteral("O'BRIEN-PC\\10.0.0.7")};
    for (const QString& statement :
         {CopyStatement(2, 3, author), DeleteStatement(2, author), ForcedDeleteStatement(2, author)})
        EXPECT_TRUE(statement.endsWith(QStringLiteral("@zel_user = 'д''Артаньян', @ip = 'O''BRIEN-PC\\10.0.0.7'")))
            << statement.toStdString();
    const Author injection{QStringLiteral("x'; DROP TABLE TEACHER--"), QStringLiteral("PC\\1.2.3.4")};
    EXPECT_EQ(DeleteStatement(5, injection),
              QStringLiteral("EXEC [DeleteTeacher] @id_teacher = 5, @zel_user = 'x''; DROP TABLE TEACHER--', "
                             "@ip = 'PC\\1.2.3.4'"));
}
