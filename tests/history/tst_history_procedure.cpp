// The server's reading of an employee's change history: which log rows belong to
// the employee, in which order, and what the filters keep.
#include "server/procedures/EmployeeHistory.h"
#include "server/schema/PersonnelSchema.h"
#include "tests/server/DemoDatabaseFixture.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

using zel::server::AccountRole;

namespace {

class EmployeeHistoryProcedure : public DemoDatabaseFixture {
protected:
    /// Two employees that both have an info row and an award.
    void SetUp() override
    {
        DemoDatabaseFixture::SetUp();
        const QString both = QStringLiteral(
            "SELECT t.id_teacher FROM TEACHER t WHERE t.id_teacher <> 1"
            " AND EXISTS (SELECT 1 FROM TEACHER_info i WHERE i.id_teacher = t.id_teacher)"
            " AND EXISTS (SELECT 1 FROM Nagrada n WHERE n.id_teacher = t.id_teacher)"
            " ORDER BY t.id_teacher LIMIT 1 OFFSET %1");
        mine = scalar(both.arg(0));
        other = scalar(both.arg(1));
        ASSERT_GT(mine, 0);
        ASSERT_GT(other, 0);
        myInfo = scalar(QStringLiteral("SELECT min(id_teacher_info) FROM TEACHER_info WHERE id_teacher = %1").arg(mine));
        otherInfo = scalar(QStringLiteral("SELECT min(id_teacher_info) FROM TEACHER_info WHERE id_teacher = %1").arg(other));
        myAward = scalar(QStringLiteral("SELECT min(id_nagrada) FROM Nagrada WHERE id_teacher = %1").arg(mine));
        exec(QStringLiteral("DELETE FROM ZEL_LOG"));
    }

    qint64 log(const QString& table, qint64 rowId, const QString& descr, const QString& when)
    {
        zel::server::schema::SqliteStatement insert(db(), QStringLiteral(
            "INSERT INTO ZEL_LOG (\"table\", row_id, descr, ZEL_User, comp, date_log) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"));
        insert.bind(1, table);
        insert.bind(2, rowId);
        insert.bind(3, descr);
        insert.bind(4, QStringLiteral("ivanova"));
        insert.bind(5, QStringLiteral("PC12\\10.0.0.7"));
        insert.bind(6, when);
        insert.run();
        return scalar(QStringLiteral("SELECT max(id_log) FROM ZEL_LOG"));
    }

    static QList<qint64> ids(const zel::db::RowSet& rows)
    {
        QList<qint64> result;
        for (int r = 0; r < rows.rowCount(); ++r)
            result << rows.integer(r, 0);
        return result;
    }

    static zel::db::RowSet history(const QVariantList& arguments, AccountRole role = AccountRole::Editor)
    {
        return call(QStringLiteral("ZEL_EmployeeHistory"), arguments, role);
    }

    qint64 mine = 0, other = 0, myInfo = 0, otherInfo = 0, myAward = 0;
};

TEST_F(EmployeeHistoryProcedure, KeepsTheEmployeesRowsNewestFirstAndNoOtherEmployees)
{
    const qint64 phone = log(QStringLiteral("Teacher_info"), myInfo,
                             QStringLiteral("Поле \"Phone\" изменило значение \"1\" на \"2\"."),
                             QStringLiteral("2026-03-01 10:00:00.000"));
    log(QStringLiteral("Teacher_info"), otherInfo, QStringLiteral("Поле \"Phone\" изменило значение \"3\" на \"4\"."),
        QStringLiteral("2026-03-02 10:00:00.000"));
    const qint64 award = log(QStringLiteral("Nagrada"), myAward,
                             QStringLiteral("Поле \"By_who\" изменило значение \"A\" на \"B\"."),
                             QStringLiteral("2026-03-03 10:00:00.000"));
    // The same key in a dictionary is not the employee's row.
    log(QStringLiteral("Nationality"), myInfo, QStringLiteral("Поле \"Nationality\" изменило значение \"x\" на \"y\"."),
        QStringLiteral("2026-03-04 10:00:00.000"));
    // Upper-case table names, as the server's own procedures write them.
    const qint64 copied = log(QStringLiteral("TEACHER"), mine, QStringLiteral("Скопированы данные сотрудника."),
                              QStringLiteral("2026-03-01 09:00:00.000"));

    const zel::db::RowSet rows = history({mine, QVariant(), QVariant(), QVariant()});
    EXPECT_EQ(ids(rows), (QList<qint64>{award, phone, copied}));
    ASSERT_EQ(rows.columnCount(), 7);
    EXPECT_EQ(rows.text(1, 2), QStringLiteral("Teacher_info"));
    EXPECT_EQ(rows.integer(1, 3), myInfo);
    EXPECT_EQ(rows.text(1, 4), QStringLiteral("Поле \"Phone\" изменило значение \"1\" на \"2\"."));
    EXPECT_EQ(rows.text(1, 5), QStringLiteral("ivanova"));
    EXPECT_EQ(rows.text(1, 6), QStringLiteral("PC12\\10.0.0.7"));
}

TEST_F(EmployeeHistoryProcedure, FindsADeletedRowAndItsEarlierChangesThroughTheDump)
{
    const qint64 changed = log(QStringLiteral("Nagrada"), myAward,
                               QStringLiteral("Поле \"nagrada\" изменило значение \"Орден\" на \"Медаль\"."),
                               QStringLiteral("2026-04-01 10:00:00.000"));
    const qint64 deleted = log(QStringLiteral("Nagrada"), myAward,
                               QStringLiteral("Запись с уникальным номером - '%1' была удалена - (id_nagrada[%1], "
                                              "id_teacher[%2], nagrada['Медаль'])."
                                              ).arg(myAward).arg(mine),
                               QStringLiteral("2026-04-02 10:00:00.000"));
    exec(QStringLiteral("DELETE FROM Nagrada WHERE id_nagrada = %1").arg(myAward));
    // A dump of the other employee whose key starts with the same digits.
    log(QStringLiteral("Nagrada"), 999999, QStringLiteral("Запись с уникальным номером - '999999' была удалена - "
                                                         "(id_nagrada[999999], id_teacher[%1%1])."
                                                         ).arg(mine),
        QStringLiteral("2026-04-03 10:00:00.000"));
    // Three sections name the key in capitals.
    const qint64 work = log(QStringLiteral("Work"), 888888, QStringLiteral("Запись с уникальным номером - '888888' была "
                                                                          "удалена - (ID_TEACHER[%1], id_Work[888888])."
                                                                          ).arg(mine),
                            QStringLiteral("2026-04-04 10:00:00.000"));

    EXPECT_EQ(ids(history({mine, QVariant(), QVariant(), QVariant()})), (QList<qint64>{work, deleted, changed}));
    EXPECT_TRUE(ids(history({other, QVariant(), QVariant(), QVariant()})).isEmpty());
}

TEST_F(EmployeeHistoryProcedure, FiltersBySectionAndByDaysBothIncluded)
{
    const qint64 first = log(QStringLiteral("Teacher_info"), myInfo, QStringLiteral("Поле \"Phone\" изменило значение \"1\" на \"2\"."),
                             QStringLiteral("2026-05-01 00:00:00.000"));
    const qint64 lastMinute = log(QStringLiteral("Teacher_info"), myInfo,
                                  QStringLiteral("Поле \"Phone\" изменило значение \"2\" на \"3\"."),
                                  QStringLiteral("2026-05-03 23:59:59.999"));
    const qint64 later = log(QStringLiteral("Teacher_info"), myInfo, QStringLiteral("Поле \"Phone\" изменило значение \"3\" на \"4\"."),
                             QStringLiteral("2026-05-04 00:00:00.000"));
    const qint64 award = log(QStringLiteral("Nagrada"), myAward, QStringLiteral("Поле \"By_who\" изменило значение \"A\" на \"B\"."),
                             QStringLiteral("2026-05-02 12:00:00.000"));

    EXPECT_EQ(ids(history({mine, QStringLiteral("20260501"), QStringLiteral("20260503"), QVariant()})),
              (QList<qint64>{lastMinute, award, first}));
    EXPECT_EQ(ids(history({mine, QStringLiteral("2026-05-02"), QVariant(), QVariant()})),
              (QList<qint64>{later, lastMinute, award}));
    EXPECT_EQ(ids(history({mine, QVariant(), QStringLiteral("20260501"), QVariant()})), (QList<qint64>{first}));
    EXPECT_EQ(ids(history({mine, QVariant(), QVariant(), QStringLiteral("Nagrada")})), (QList<qint64>{award}));
    EXPECT_EQ(ids(history({mine, QVariant(), QVariant(), QStringLiteral("teacher_INFO")})),
              (QList<qint64>{later, lastMinute, first}));
}

TEST_F(EmployeeHistoryProcedure, ReadOnlyAccountsMayReadItAndBadArgumentsAreRefusedInRussian)
{
    const qint64 phone = log(QStringLiteral("Teacher_info"), myInfo, QStringLiteral("Поле \"Phone\" изменило значение \"1\" на \"2\"."),
                             QStringLiteral("2026-03-01 10:00:00.000"));
    const std::optional<zel::server::ProcedureInfo> info = zel::server::findProcedure(QStringLiteral("zel_employeehistory"));
    ASSERT_TRUE(info.has_value());
    EXPECT_FALSE(info->writes);
    EXPECT_FALSE(info->bootstrapAllowed);
    EXPECT_EQ(ids(history({mine, QVariant(), QVariant(), QVariant()}, AccountRole::ReadOnly)), (QList<qint64>{phone}));

    try {
        history({mine, QStringLiteral("31.02.2026"), QVariant(), QVariant()});
        FAIL() << "an impossible date was accepted";
    } catch (const zel::DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Неверная дата в параметре @date_from процедуры ZEL_EmployeeHistory: "
                                              "'31.02.2026'."));
    }
    EXPECT_THROW(history({QVariant(), QVariant(), QVariant(), QVariant()}), zel::DbError);
}

TEST_F(EmployeeHistoryProcedure, DeletionsAreFoundThroughTheirPartialIndex)
{
    zel::server::schema::SqliteStatement plan(db(), QStringLiteral(
        "EXPLAIN QUERY PLAN SELECT d.\"table\", d.row_id FROM ZEL_LOG AS d "
        "WHERE substr(d.descr, 1, 27) = 'Запись с уникальным номером' AND d.\"table\" IN ('Nagrada', 'Work')"));
    QStringList steps;
    while (plan.step())
        steps << plan.text(3);
    EXPECT_TRUE(steps.join(u'|').contains(QStringLiteral("IX_ZEL_LOG_deletions"))) << steps.join(u'|').toStdString();
}

}  // namespace

namespace {

// The SQL Server procedure names each section table, its key and its employee key by
// hand; every one must be a real table with that identity and that employee key.
TEST(EmployeeHistoryScript, EverySectionArmNamesARealTableKeyAndEmployeeKey)
{
    QFile script(qEnvironmentVariable("ZEL_SOURCE_DIR") + QStringLiteral("/sql/mssql/06_history.sql"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(script.readAll());
    static const QRegularExpression arm(QStringLiteral(
        R"(UNION ALL SELECT '(\w+)', \[(\w+)\] FROM \[dbo\]\.\[(\w+)\] WHERE \[(\w+)\] = @id_teacher)"));
    QStringList labels;
    for (auto it = arm.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        labels << m.captured(1);
        const zel::server::schema::TableDefinition* table = zel::server::schema::PersonnelSchema::findTable(m.captured(3));
        ASSERT_NE(table, nullptr) << m.captured(0).toStdString();
        ASSERT_NE(table->identityColumn(), nullptr) << m.captured(0).toStdString();
        EXPECT_EQ(table->identityColumn()->name, m.captured(2)) << m.captured(0).toStdString();
        EXPECT_EQ(table->employeeKey, m.captured(4)) << m.captured(0).toStdString();
    }
    EXPECT_EQ(labels, (QStringList{"Educ", "Family", "Experience", "Kvalification", "Work", "Nagrada", "Abroad",
                                   "Elect_org", "Partia", "Holiday", "Mil_card", "Language_options", "Place_of_birth",
                                   "Place_leave", "Place_of_residence", "Teacher_info", "Pasport", "Pensioners",
                                   "Photo"}));
    // The trigger and the back-fill keep deletions of exactly these sections.
    const QString inList = QStringLiteral("IN ('") + labels.join(QStringLiteral("', '")) + QStringLiteral("')");
    EXPECT_EQ(text.count(inList), 2);
}

}  // namespace
