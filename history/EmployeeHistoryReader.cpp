#include "history/EmployeeHistoryReader.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "history/DictionaryNames.h"
#include "history/LogDescription.h"

namespace zel {

namespace {

QString dateArgument(const QDate& day)
{
    return day.isValid() ? QLatin1Char('\'') + day.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('\'')
                         : QStringLiteral("NULL");
}

QString textArgument(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("NULL");
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

EmployeeHistoryReader::EmployeeHistoryReader(TADOConnection& connection, HistoryLookups lookups)
    : m_connection(connection)
    , m_lookups(std::move(lookups))
{
}

QString EmployeeHistoryReader::Statement(const HistoryRequest& request)
{
    return QStringLiteral("EXEC ZEL_EmployeeHistory @id_teacher = %1, @date_from = %2, @date_to = %3, @table = %4")
        .arg(request.employee)
        .arg(dateArgument(request.from), dateArgument(request.to), textArgument(request.section));
}

std::vector<HistoryEntry> EmployeeHistoryReader::Read(const HistoryRequest& request) const
{
    TADOQuery query;
    query.SetConnection(&m_connection);
    query.SetSQL(Statement(request));
    query.Open();
    std::vector<HistoryEntry> entries;
    entries.reserve(std::size_t(query.RecordCount()));
    const TField* id = query.FieldByName(QStringLiteral("id_log"));
    const TField* when = query.FieldByName(QStringLiteral("date_log"));
    const TField* table = query.FieldByName(QStringLiteral("table"));
    const TField* rowId = query.FieldByName(QStringLiteral("row_id"));
    const TField* descr = query.FieldByName(QStringLiteral("descr"));
    const TField* user = query.FieldByName(QStringLiteral("ZEL_User"));
    const TField* comp = query.FieldByName(QStringLiteral("comp"));
    // Read by position: moving the cursor would run the dataset's move events per row.
    for (int recNo = 1; recNo <= query.RecordCount(); ++recNo) {
        HistoryEntry entry;
        entry.id = id->ValueAt(recNo).toLongLong();
        entry.when = when->ValueAt(recNo).toDateTime();
        entry.table = table->AsStringAt(recNo);
        entry.rowId = rowId->ValueAt(recNo).toLongLong();
        entry.description = descr->AsStringAt(recNo);
        entry.user = user->AsStringAt(recNo);
        entry.workstation = comp->AsStringAt(recNo);
        LogDescription::Parse(entry);
        entries.push_back(std::move(entry));
    }
    DictionaryNames::Resolve(m_connection, m_lookups, entries);
    return entries;
}

}  // namespace zel
