#pragma once

#include "data/dataset/DataSetTypes.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace zel {

class TDataSet;
class TField;

/// Watches one dataset at a time for the audit trail. While attached it takes over seven
/// event slots of the dataset: before an edited row is posted it compares every data
/// field with its old value and reports each difference to OnFieldChanged; before a
/// row is deleted it dumps the row to OnRecordDeleting. The callbacks turn those into
/// statements in Statements; once the row is written or deleted on the server the list
/// goes to OnStatementsReady, from the dataset's OnRowWritten: the change and its
/// audit rows are then stored together or not at all. It writes nothing itself.
///
/// A failed post detaches the component and drops the statements of that attempt, so
/// nothing is ever logged for a change that did not reach the database.
///
/// The dataset is not owned; it must outlive the attachment (Detach or destruction).
class TADOUpdateHistoryExec {
public:
    /// One changed field or one row about to be deleted: the message (or "(" + dump + ")"),
    /// the dataset, the table label, the key field name and the list to append to.
    using TChangeEvent = std::function<void(const QString& message, TDataSet& dataSet, const QString& tableLabel,
                                            const QString& keyField, QStringList& statements)>;
    using TStatementsEvent = std::function<void(QStringList& statements)>;

    TADOUpdateHistoryExec();
    ~TADOUpdateHistoryExec();
    TADOUpdateHistoryExec(const TADOUpdateHistoryExec&) = delete;
    TADOUpdateHistoryExec& operator=(const TADOUpdateHistoryExec&) = delete;

    /// Takes over the dataset's post, delete and error events. The component must be
    /// detached (attaching twice would save its own handlers as the dataset's).
    void Attach(TDataSet& dataSet, const QString& tableLabel, const QString& keyField, bool logChanges,
                bool logDeletes);
    /// Puts the saved handlers back; nothing when detached. Statements, flags and
    /// callbacks stay.
    void Detach();

    /// The attached dataset; null when detached.
    TDataSet* DataSet() const { return m_dataSet; }
    const QString& TableLabel() const { return m_tableLabel; }
    const QString& KeyField() const { return m_keyField; }
    bool LogChanges() const { return m_logChanges; }
    bool LogDeletes() const { return m_logDeletes; }

    /// Statements collected since the last comparison or dump.
    QStringList Statements;
    /// Message pattern of a changed field: "<?>" the field name, "<old>", "<new>" the values.
    QString Template;

    TChangeEvent OnFieldChanged;
    TStatementsEvent OnStatementsReady;
    TChangeEvent OnRecordDeleting;

    // -- the handlers it installs (public for the data layer's tests) --
    void HandleBeforePost(TDataSet& dataSet);
    void HandleRowWritten(TDataSet& dataSet);
    void HandleAfterPost(TDataSet& dataSet);
    void HandleBeforeDelete(TDataSet& dataSet);
    void HandleAfterDelete(TDataSet& dataSet);
    void HandleError(TDataSet& dataSet, const Error& error, TDataAction& action);

    /// A value as it appears in a change message: "NULL" when empty, the date part in
    /// the short date format for dates, text with single quotes doubled.
    static QString FormatChangeValue(const TField& field, const QVariant& value);
    /// A value as it appears in a row dump: "NULL" when empty; float, date and text
    /// values between doubled quotes (text with its own quotes doubled); others plain.
    static QString FormatDumpValue(const TField& field);

private:
    /// Empties the list (delivered by now, or left by a write that failed), runs own.
    void runSaved(TDataSet& dataSet, TDataSetNotifyEvent own);
    QString changeMessage(const TField& field, const QVariant& oldValue, const QVariant& newValue) const;

    TDataSet* m_dataSet = nullptr;
    QString m_tableLabel;
    QString m_keyField;
    bool m_logChanges = true;
    bool m_logDeletes = false;

    TDataSetNotifyEvent m_savedBeforePost, m_savedAfterPost, m_savedBeforeDelete, m_savedAfterDelete;
    TDataSetNotifyEvent m_savedOnRowWritten;
    TDataSetErrorEvent m_savedOnEditError, m_savedOnPostError;
};

/// "'" + s + "'"; quotes inside s are not doubled.
QString QuoteText(const QString& s);
/// "'" + QuoteText(s) + "'".
QString QuoteTextTwice(const QString& s);

}  // namespace zel
