#pragma once

#include "data/dataset/TDataSet.h"

#include <QStringList>

namespace zel {

/// A dataset defined by an SQL text, sent to the server unchanged. A text that calls
/// a procedure returning rows ("exec ...") is opened like any other.
class TADOQuery : public TDataSet {
public:
    explicit TADOQuery(const QString& name = QString()) : TDataSet(name) {}

    const QString& SQL() const { return m_sql; }
    /// Replaces the text; an open query is closed first (even for the same text).
    void SetSQL(const QString& sql);
    /// Lines joined by "\n", as a multi-line statement is written.
    void SetSQL(const QStringList& lines) { SetSQL(lines.join(u'\n')); }

    /// Runs the text as a statement without rows; returns the rows affected (-1 unknown).
    /// The query's open rows, if any, are not touched.
    qint64 ExecSQL();
    /// Rows affected by the last ExecSQL.
    qint64 RowsAffected() const { return m_rowsAffected; }

protected:
    QString commandText() const override { return m_sql; }

private:
    QString m_sql;
    qint64 m_rowsAffected = -1;
};

}  // namespace zel
