#include "DemoDatabaseFixture.h"

using zel::DbError;
using zel::db::RowSet;

namespace {
const QStringList kListSections = {QStringLiteral("Educ"), QStringLiteral("family_"), QStringLiteral("Holiday"),
                                   QStringLiteral("Work"), QStringLiteral("Language_OPTIONS")};
}

class EmployeeProceduresTest : public DemoDatabaseFixture {
protected:
    static qint64 rowsOf(const QString& table, qint64 id, const QString& key = QStringLiteral("id_teacher"))
    {
        return scalar(QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"%2\" = %3").arg(table, key).arg(id));
    }
    static qint64 newBareEmployee()
    {
        exec(QStringLiteral("INSERT INTO TEACHER (p26, p27, status) VALUES ('Новиков', 'Пётр', 1)"));
        return scalar(QStringLiteral("SELECT last_insert_rowid()"));
    }
    /// An employee with work history and relatives and no workload.
    static qint64 richEmployee()
    {
        return scalar(QStringLiteral(
            "SELECT id_teacher FROM TEACHER t WHERE id_teacher > 1 "
            "AND EXISTS (SELECT 1 FROM family_ f WHERE f.id_teacher = t.id_teacher) "
            "AND EXISTS (SELECT 1 FROM Work w WHERE w.ID_TEACHER = t.id_teacher) "
            "AND EXISTS (SELECT 1 FROM TEACHER_info i WHERE i.id_teacher = t.id_teacher) "
            "AND NOT EXISTS (SELECT 1 FROM Teacher_Del d WHERE d.id_teacher = t.id_teacher) "
            "ORDER BY id_teacher LIMIT 1"));
    }
    static qint64 protectedEmployee()
    {
        return scalar(QStringLiteral("SELECT min(id_teacher) FROM Teacher_Del"));
    }
};

TEST_F(EmployeeProceduresTest, CopyAppendsListSectionsAndFillsMissingOneRowSections)
{
    const qint64 from = richEmployee();
    ASSERT_GT(from, 1);
    const qint64 to = newBareEmployee();
    exec(QStringLiteral("INSERT INTO Passport (id_teacher, S_p, N_p) VALUES (%1, 'ID', '1234567')").arg(to));

    callNamed(QStringLiteral("CopyDataFromTeacher"),
              {{QStringLiteral("@id_teacherFrom"), from}, {QStringLiteral("@id_teacherTo"), to},
               {QStringLiteral("@zel_user"), QStringLiteral("ivanova")}, {QStringLiteral("@ip"), QStringLiteral("PC12\\10.0.0.7")}});

    for (const QString& table : kListSections) {
        const QString key = table == QLatin1String("Work") ? QStringLiteral("ID_TEACHER") : QStringLiteral("id_teacher");
        EXPECT_EQ(rowsOf(table, to, key), rowsOf(table, from, key)) << table.toStdString();
    }
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER_info"), to), 1);
    // The target's own passport is kept, not overwritten.
    EXPECT_EQ(rowsOf(QStringLiteral("Passport"), to), 1);
    EXPECT_EQ(text(QStringLiteral("SELECT N_p FROM Passport WHERE id_teacher = %1").arg(to)), QStringLiteral("1234567"));
    EXPECT_EQ(text(QStringLiteral("SELECT min(ZEL_User) || max(ZEL_User) FROM family_ WHERE id_teacher = %1").arg(to)),
              QStringLiteral("ivanovaivanova"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ZEL_LOG WHERE row_id = %1 AND comp = 'PC12\\10.0.0.7'").arg(to)), 1);
    // The source is unchanged.
    EXPECT_GT(rowsOf(QStringLiteral("family_"), from), 0);
}

TEST_F(EmployeeProceduresTest, CopyRefusesSameUnknownAndReservedEmployees)
{
    const qint64 from = richEmployee();
    EXPECT_THROW(call(QStringLiteral("CopyDataFromTeacher"), {from, from, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    EXPECT_THROW(call(QStringLiteral("CopyDataFromTeacher"), {from, 999999, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    EXPECT_THROW(call(QStringLiteral("CopyDataFromTeacher"), {from, 1, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    EXPECT_THROW(call(QStringLiteral("CopyDataFromTeacher"), {from}), DbError);  // @id_teacherTo missing
}

TEST_F(EmployeeProceduresTest, DeleteTeacherDeletesOnlyEmployeesWithoutLinkedRows)
{
    const qint64 linked = richEmployee();
    RowSet rows = call(QStringLiteral("DeleteTeacher"), {linked, QStringLiteral("ivanova"), QStringLiteral("PC\\1.2.3.4")});
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.integer(0, 0), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER"), linked), 1);

    const qint64 bare = newBareEmployee();
    rows = callNamed(QStringLiteral("DeleteTeacher"), {{QStringLiteral("@id_teacher"), QString::number(bare)},
                                                       {QStringLiteral("@zel_user"), QStringLiteral("ivanova")},
                                                       {QStringLiteral("@ip"), QStringLiteral("PC\\1.2.3.4")}});
    EXPECT_EQ(rows.integer(0, 0), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER"), bare), 0);

    EXPECT_THROW(call(QStringLiteral("DeleteTeacher"), {1, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    EXPECT_THROW(call(QStringLiteral("DeleteTeacher"), {bare, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
}

TEST_F(EmployeeProceduresTest, DeleteTeacher2RemovesEverythingLinked)
{
    const qint64 id = richEmployee();
    call(QStringLiteral("DeleteTeacher2"), {id, QStringLiteral("ivanova"), QStringLiteral("PC\\1.2.3.4")});
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER"), id), 0);
    for (const QString& table : kListSections + QStringList{QStringLiteral("TEACHER_info"), QStringLiteral("photo"),
                                                            QStringLiteral("Passport"), QStringLiteral("Place_of_birth")}) {
        const QString key = table == QLatin1String("Work") ? QStringLiteral("ID_TEACHER") : QStringLiteral("id_teacher");
        EXPECT_EQ(rowsOf(table, id, key), 0) << table.toStdString();
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM ZEL_LOG WHERE [table] = 'TEACHER' AND row_id = %1").arg(id)), 1);
}

TEST_F(EmployeeProceduresTest, DeleteTeacher2RefusesEmployeesWithWorkload)
{
    const qint64 id = protectedEmployee();
    ASSERT_GT(id, 1);
    const qint64 before = rowsOf(QStringLiteral("Teacher_Nagruzka"), id);
    try {
        call(QStringLiteral("DeleteTeacher2"), {id, QStringLiteral("u"), QStringLiteral("ip")});
        FAIL() << "protected employee deleted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("нагрузка")));
    }
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER"), id), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("Teacher_Nagruzka"), id), before);
}

TEST_F(EmployeeProceduresTest, DeleteTeacher2FailingMidwayLeavesEveryRow)
{
    const qint64 id = richEmployee();
    const qint64 relatives = rowsOf(QStringLiteral("family_"), id);
    // The master row is deleted last; make that step fail.
    exec(QStringLiteral("CREATE TEMP TRIGGER refuse_master BEFORE DELETE ON TEACHER "
                        "BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    EXPECT_THROW(call(QStringLiteral("DeleteTeacher2"), {id, QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    exec(QStringLiteral("DROP TRIGGER refuse_master"));
    EXPECT_EQ(rowsOf(QStringLiteral("family_"), id), relatives);
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER_info"), id), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("TEACHER"), id), 1);
}

TEST_F(EmployeeProceduresTest, FamilyStatusIsStoredOnEveryRelativeRow)
{
    const qint64 id = richEmployee();
    // Positional as the stored-procedure component sends it: return value first.
    callNamed(QStringLiteral("Update_Family_Staus;1"), {{QStringLiteral("@RETURN_VALUE"), QVariant()},
                                                         {QStringLiteral("@OldStatus"), 5},
                                                         {QStringLiteral("@NewStatus"), id}});
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM family_ WHERE id_teacher = %1 AND id_family_status IS NOT 5").arg(id)), 0);
    EXPECT_GT(rowsOf(QStringLiteral("family_"), id), 0);

    call(QStringLiteral("Update_Family_Staus"), {QVariant(), id});
    EXPECT_EQ(scalar(QStringLiteral("SELECT count(*) FROM family_ WHERE id_teacher = %1 AND id_family_status IS NOT NULL").arg(id)), 0);
}

TEST_F(EmployeeProceduresTest, FamilyStatusRefusesUnknownStatusAndEmployeesWithoutRelatives)
{
    EXPECT_THROW(call(QStringLiteral("Update_Family_Staus"), {999, richEmployee()}), DbError);
    EXPECT_THROW(call(QStringLiteral("Update_Family_Staus"), {1, newBareEmployee()}), DbError);
    EXPECT_THROW(call(QStringLiteral("Update_Family_Staus"), {1, QVariant()}), DbError);
}

TEST_F(EmployeeProceduresTest, ArgumentsAreMatchedLikeSqlServerDoes)
{
    const qint64 bare = newBareEmployee();
    try {
        callNamed(QStringLiteral("DeleteTeacher"), {{QStringLiteral("@id_teachr"), bare}});
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("@id_teachr")));
    }
    EXPECT_THROW(call(QStringLiteral("DeleteTeacher"), {bare, QStringLiteral("u"), QStringLiteral("ip"), 4}), DbError);
    EXPECT_THROW(call(QStringLiteral("DeleteTeacher"), {QStringLiteral("12abc"), QStringLiteral("u"), QStringLiteral("ip")}), DbError);
    // Named arguments in any letter case and without "@".
    const RowSet rows = callNamed(QStringLiteral("DeleteTeacher"), {{QStringLiteral("ID_TEACHER"), bare}});
    EXPECT_EQ(rows.integer(0, 0), 1);
}
