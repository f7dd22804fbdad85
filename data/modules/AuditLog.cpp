#include "data/modules/AuditLog.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "data/modules/CardHost.h"
#include "data/modules/TADOUpdateHistoryExec.h"

#include <QRegularExpression>

namespace zel {

AuditLog::AuditLog(TADOUpdateHistoryExec& history, TADOQuery& runner, CardHost& host)
    : m_history(history), m_runner(runner), m_host(host)
{
}

QString AuditLog::ChangeTemplate()
{
    return QStringLiteral("Поле \"<?>\" изменило значение \"<old>\" на \"<new>\".");
}

void AuditLog::Connect()
{
    m_history.Template = ChangeTemplate();
    m_history.OnFieldChanged = [this](const QString& message, TDataSet& dataSet, const QString& table,
                                      const QString& key, QStringList& statements) {
        LogFieldChange(message, dataSet, table, key, statements);
    };
    m_history.OnRecordDeleting = [this](const QString& dump, TDataSet& dataSet, const QString& table,
                                        const QString& key, QStringList& statements) {
        LogRecordDeletion(dump, dataSet, table, key, statements);
    };
    UseExecuteLog(false);
}

void AuditLog::UseExecuteLog(bool withoutDetach)
{
    if (withoutDetach)
        m_history.OnStatementsReady = [this](QStringList& statements) { ExecuteLog(statements); };
    else
        m_history.OnStatementsReady = [this](QStringList& statements) { ExecuteLogAndDetach(statements); };
}

void AuditLog::LogFieldChange(const QString& message, TDataSet& dataSet, const QString& tableLabel,
                              const QString& keyField, QStringList& statements) const
{
    statements.append(Statement(tableLabel, dataSet.FieldByName(keyField)->AsString(), message));
}

void AuditLog::LogRecordDeletion(const QString& dump, TDataSet& dataSet, const QString& tableLabel,
                                 const QString& keyField, QStringList& statements) const
{
    const QString key = dataSet.FieldByName(keyField)->AsString();
    // The key is stored between single quotes, so it is written with doubled ones.
    const QString description = QStringLiteral("Запись с уникальным номером - ")
        + QuoteTextTwice(QString(key).replace(u'\'', QStringLiteral("''")))
        + QStringLiteral(" была удалена - ") + dump + u'.';
    statements.append(Statement(tableLabel, key, description));
}

void AuditLog::ExecuteLogAndDetach(QStringList& statements)
{
    ExecuteLog(statements);
    m_history.Detach();
}

void AuditLog::ExecuteLog(QStringList& statements)
{
    const QStringList toRun = statements;
    try {
        for (const QString& statement : toRun) {
            m_runner.SetSQL(statement);
            m_runner.ExecSQL();
        }
    } catch (...) {
        // Left in the list, the rows already written would be written again (and the
        // failing one fail again) by the next post that hands the list over.
        statements.clear();
        throw;
    }
}

QString AuditLog::PhotoStatement(const QString& photoKey) const
{
    return Statement(QStringLiteral("Photo"), photoKey, QStringLiteral("Поле \"photo\" изменило значение."));
}

QString AuditLog::Statement(const QString& tableLabel, const QString& rowId, const QString& description) const
{
    return QStringLiteral("INSERT INTO ZEL_LOG([table], [row_id], [descr], [ZEL_User], [comp]) VALUES(")
        + Literal(tableLabel) + QStringLiteral(", ") + RowIdLiteral(rowId) + QStringLiteral(", ")
        + DescriptionLiteral(description) + QStringLiteral(", ") + Literal(m_host.SignedInLogin())
        + QStringLiteral(", ") + Literal(m_host.Workstation()) + u')';
}

QString AuditLog::Literal(const QString& raw)
{
    return QuoteText(QString(raw).replace(u'\'', QStringLiteral("''")));
}

QString AuditLog::DescriptionLiteral(const QString& description)
{
    // Quotes come in pairs in a description the formatting built; an odd run would end
    // the literal early, so it gets one more quote.
    QString result;
    result.reserve(description.size() + 2);
    for (qsizetype i = 0; i < description.size();) {
        if (description[i] != u'\'') {
            result += description[i++];
            continue;
        }
        qsizetype run = 0;
        while (i < description.size() && description[i] == u'\'') {
            ++run;
            ++i;
        }
        result += QString(run + (run % 2), u'\'');
    }
    return QuoteText(result);
}

QString AuditLog::RowIdLiteral(const QString& key)
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]+$"));
    if (key.isEmpty())
        return QStringLiteral("NULL");
    if (digits.match(key).hasMatch())
        return key;
    return Literal(key);
}

}  // namespace zel
