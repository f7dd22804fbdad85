#include "server/procedures/EmployeeHistory.h"

#include "data/DbError.h"
#include "server/procedures/ProcedureArguments.h"
#include "server/procedures/ProcedureResult.h"
#include "server/schema/SqliteStatement.h"

#include <QDate>
#include <QDateTime>

namespace zel::server::procedures {

namespace {

/// A card section as the audit log names it, and where its rows live.
struct LoggedSection {
    const char* label;        ///< ZEL_LOG.table as the client writes it
    const char* table;
    const char* key;
    const char* employeeKey;
};

constexpr LoggedSection kSections[] = {
    {"Educ", "Educ", "id_educ", "id_teacher"},
    {"Family", "family_", "id_family", "id_teacher"},
    {"Experience", "Experience", "id_experience", "ID_TEACHER"},
    {"Kvalification", "Kvalifikation", "id_kvalification", "ID_TEACHER"},
    {"Work", "Work", "id_Work", "ID_TEACHER"},
    {"Nagrada", "Nagrada", "id_nagrada", "id_teacher"},
    {"Abroad", "Abroad", "id_abroad", "id_teacher"},
    {"Elect_org", "Elect_org", "id_organ", "id_teacher"},
    {"Partia", "Partiya", "id_partia", "id_teacher"},
    {"Holiday", "Holiday", "id_vacation", "id_teacher"},
    {"Mil_card", "mil_card_", "id_mil_card", "id_teacher"},
    {"Language_options", "Language_OPTIONS", "id_lang_options", "id_teacher"},
    {"Place_of_birth", "Place_of_birth", "id_place_of_birth", "id_teacher"},
    {"Place_leave", "place_leave", "id_place_leave", "id_teacher"},
    {"Place_of_residence", "Place_of_residence", "id_place_of_residence", "id_teacher"},
    {"Teacher_info", "TEACHER_info", "id_teacher_info", "id_teacher"},
    {"Pasport", "Passport", "id_pasport", "id_teacher"},
    {"Pensioners", "Pensioners", "id_pensioner", "id_teacher"},
    {"Photo", "photo", "id_photo", "id_teacher"},
};

// The deletion rows start with this text; the partial index of LogIndexes covers
// exactly them, and the planner uses it because the condition is written the same way.
const char* const kDeletedPrefix = "substr(d.descr, 1, 27) = 'Запись с уникальным номером'";

QString sectionLabels()
{
    QStringList labels;
    for (const LoggedSection& s : kSections)
        labels << QStringLiteral("'%1'").arg(QLatin1String(s.label));
    return labels.join(QStringLiteral(", "));
}

/// One statement: the keys the employee owns (live section rows, the employee row
/// itself, deleted rows found through their dump), joined to the log by its
/// (table, row_id) index.
QString historyStatement()
{
    QStringList owned;
    owned << QStringLiteral("SELECT 'Teacher' AS tbl, ?1 AS rid");
    for (const LoggedSection& s : kSections)
        owned << QStringLiteral("SELECT '%1', \"%2\" FROM \"%3\" WHERE \"%4\" = ?1")
                     .arg(QLatin1String(s.label), QLatin1String(s.key), QLatin1String(s.table),
                          QLatin1String(s.employeeKey));
    // A dump lists the row's employee key as id_teacher[N] (ID_TEACHER[N] in three sections).
    owned << QStringLiteral("SELECT d.\"table\", d.row_id FROM ZEL_LOG AS d "
                            "WHERE %1 AND d.\"table\" IN (%2) "
                            "AND (instr(d.descr, '(id_teacher[' || ?1 || ']') > 0 "
                            "OR instr(d.descr, ' id_teacher[' || ?1 || ']') > 0 "
                            "OR instr(d.descr, '(ID_TEACHER[' || ?1 || ']') > 0 "
                            "OR instr(d.descr, ' ID_TEACHER[' || ?1 || ']') > 0)")
                 .arg(QString::fromUtf8(kDeletedPrefix), sectionLabels());
    return QStringLiteral("WITH owned(tbl, rid) AS (%1) "
                          "SELECT l.id_log, l.date_log, l.\"table\", l.row_id, l.descr, l.ZEL_User, l.comp "
                          "FROM (SELECT DISTINCT tbl, rid FROM owned) AS o "
                          "JOIN ZEL_LOG AS l ON l.\"table\" = o.tbl AND l.row_id = o.rid "
                          "WHERE (?2 IS NULL OR l.date_log >= ?2) AND (?3 IS NULL OR l.date_log < ?3) "
                          "AND (?4 IS NULL OR l.\"table\" = ?4) "
                          "ORDER BY l.date_log DESC, l.id_log DESC")
        .arg(owned.join(QStringLiteral(" UNION ALL ")));
}

/// A day bound as the stored date_log texts compare: "yyyy-MM-dd"; null when not given.
QVariant dayBound(const QVariant& value, int addDays, const QString& parameter)
{
    if (value.isNull())
        return {};
    QDate day;
    if (value.typeId() == QMetaType::QDate)
        day = value.toDate();
    else if (value.typeId() == QMetaType::QDateTime)
        day = value.toDateTime().date();
    else {
        const QString text = value.toString().trimmed();
        day = QDate::fromString(text.left(10), Qt::ISODate);
        if (!day.isValid())
            day = QDate::fromString(text.left(8), QStringLiteral("yyyyMMdd"));
    }
    if (!day.isValid())
        throw DbError(QStringLiteral("Неверная дата в параметре %1 процедуры ZEL_EmployeeHistory: '%2'.")
                          .arg(parameter, value.toString()));
    return day.addDays(addDays).toString(Qt::ISODate);
}

}  // namespace

void employeeHistory(ProcedureContext& context, const std::vector<ProcedureArgument>& arguments)
{
    const ProcedureArguments args(QStringLiteral("ZEL_EmployeeHistory"),
                                  {QStringLiteral("@id_teacher"), QStringLiteral("@date_from"),
                                   QStringLiteral("@date_to"), QStringLiteral("@table")},
                                  arguments);
    const qint64 employee = args.requiredInteger(0);
    const QVariant from = dayBound(args.value(1), 0, QStringLiteral("@date_from"));
    const QVariant to = dayBound(args.value(2), 1, QStringLiteral("@date_to"));
    const QVariant section = args.isNull(3) ? QVariant() : QVariant(args.text(3));

    ProcedureResult result(context.result, {{"id_log", db::SqlType::Int},
                                            {"date_log", db::SqlType::DateTime},
                                            {"table", db::SqlType::VarChar, 50},
                                            {"row_id", db::SqlType::Int},
                                            {"descr", db::SqlType::VarChar, 2000},
                                            {"ZEL_User", db::SqlType::VarChar, 50},
                                            {"comp", db::SqlType::VarChar, 300}});
    static const QString statement = historyStatement();
    schema::SqliteStatement select(context.db, statement);
    select.bind(1, employee);
    select.bind(2, from);
    select.bind(3, to);
    select.bind(4, section);
    auto cell = [&select](int column) { return select.isNull(column) ? QVariant() : select.value(column); };
    while (select.step()) {
        QVariant when = cell(1);
        if (!when.isNull())
            when = QDateTime::fromString(when.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        result.addRow({cell(0), when, cell(2), cell(3), cell(4), cell(5), cell(6)});
    }
}

}  // namespace zel::server::procedures
