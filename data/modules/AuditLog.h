#pragma once

#include <QString>
#include <QStringList>

namespace zel {

class CardHost;
class TADOQuery;
class TADOUpdateHistoryExec;
class TDataSet;

/// Builds and runs the rows of the audit table ZEL_LOG: the field changes and row
/// deletions reported by the change history, and the photo row. Every literal is
/// written so that no login, workstation, table name or key can break the statement.
///
/// Neither the history, the runner nor the host is owned; all three outlive the log.
class AuditLog {
public:
    /// runner: the statement runner (ADOQ_Exec); host: login and workstation.
    AuditLog(TADOUpdateHistoryExec& history, TADOQuery& runner, CardHost& host);

    /// The change-message template the history is given.
    static QString ChangeTemplate();

    /// Sets the history's template and connects LogFieldChange, LogRecordDeletion and
    /// ExecuteLogAndDetach to it.
    void Connect();
    /// Makes ExecuteLog (no detaching) or ExecuteLogAndDetach the history's
    /// OnStatementsReady (the dictionary window swaps them while it is open).
    void UseExecuteLog(bool withoutDetach);

    /// Appends the row of one changed field: the key field's current value as row id,
    /// the message (already in statement form) as description.
    void LogFieldChange(const QString& message, TDataSet& dataSet, const QString& tableLabel,
                        const QString& keyField, QStringList& statements) const;
    /// Appends the row of a row about to be deleted; dump is "(" + fields + ")".
    void LogRecordDeletion(const QString& dump, TDataSet& dataSet, const QString& tableLabel,
                           const QString& keyField, QStringList& statements) const;
    /// Runs the statements in order through the runner, then detaches the history.
    void ExecuteLogAndDetach(QStringList& statements);
    /// Runs the statements in order through the runner. A failing statement ends the
    /// run with its error and empties the list.
    void ExecuteLog(QStringList& statements);

    /// The row of a new photo; photoKey is the posted row's id_photo.
    QString PhotoStatement(const QString& photoKey) const;

    /// The INSERT of one row. description is in statement form (its quotes already
    /// doubled where the value formatting doubles them); the other texts are raw.
    QString Statement(const QString& tableLabel, const QString& rowId, const QString& description) const;

    /// A raw text as a literal: quotes doubled, between single quotes.
    static QString Literal(const QString& raw);
    /// A description in statement form as a literal. A well-formed description is kept
    /// exactly; a lone quote (from a value no formatting doubled) is doubled.
    static QString DescriptionLiteral(const QString& description);
    /// A key as the row id: its digits bare; NULL when empty; any other text as a literal.
    static QString RowIdLiteral(const QString& key);

private:
    TADOUpdateHistoryExec& m_history;
    TADOQuery& m_runner;
    CardHost& m_host;
};

}  // namespace zel
