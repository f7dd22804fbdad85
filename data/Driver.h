#pragma once

#include "ConnectionParams.h"
#include "RowSet.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace zel::db {

/// One column and the value to write into it.
struct ColumnValue {
    QString column;
    QVariant value;  ///< a null QVariant writes NULL
    SqlType type = SqlType::Unknown;  ///< the column's type, when the caller knows it
    int precision = 0;  ///< of a decimal column, when the caller knows it (0 unknown)
    int scale = 0;
};

/// A parameter of a stored procedure call, set by position.
struct ProcedureParameter {
    enum class Direction { Input, Output, InputOutput, ReturnValue };
    QString name;  ///< "@NewStatus"; "@RETURN_VALUE" for position 0
    SqlType type = SqlType::Int;
    Direction direction = Direction::Input;
    QVariant value;  ///< null QVariant = NULL
};

/// The one interface between the dataset model and a database server: the
/// embedded server and the ODBC route both implement it. Every failure is a
/// zel::DbError carrying the server's message text. A driver never prompts.
///
/// Statement texts reach the server unchanged. The write-through operations
/// (update/insert/remove) bind their values; no value is spliced into SQL.
class Driver {
public:
    virtual ~Driver() = default;

    /// Connects with the credentials and database of the connection string.
    virtual void open(const ConnectionParams& params) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    /// Runs a statement (or batch, or EXEC) and fills result with the first
    /// result set that has columns; other result sets are drained. A statement
    /// without a result set leaves result with no columns.
    virtual void query(const QString& sql, RowSet& result) = 0;

    /// Runs a statement that returns no rows; returns the rows affected (-1 when unknown).
    virtual qint64 execute(const QString& sql) = 0;

    /// UPDATE table SET values WHERE keyColumn = key; returns the rows affected.
    virtual qint64 update(const QString& table, const QString& keyColumn, const QVariant& key,
                          const std::vector<ColumnValue>& values) = 0;

    /// INSERT INTO table (values); returns the identity the server assigned
    /// (null when the table has none). identityColumn may be empty.
    virtual QVariant insert(const QString& table, const std::vector<ColumnValue>& values,
                            const QString& identityColumn) = 0;

    /// DELETE FROM table WHERE keyColumn = key; returns the rows affected.
    virtual qint64 remove(const QString& table, const QString& keyColumn, const QVariant& key) = 0;

    /// update(), but only while every column of originals still holds its value
    /// there (NULL matches NULL): 0 rows affected means that another user changed
    /// or deleted the row since it was read. A driver that cannot compare matches
    /// by the key alone.
    virtual qint64 updateUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                   const std::vector<ColumnValue>& values,
                                   const std::vector<ColumnValue>& originals)
    {
        Q_UNUSED(originals);
        return update(table, keyColumn, key, values);
    }
    /// remove(), under the same condition as updateUnchanged().
    virtual qint64 removeUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                   const std::vector<ColumnValue>& originals)
    {
        Q_UNUSED(originals);
        return remove(table, keyColumn, key);
    }

    /// Starts a transaction: what runs until commitTransaction() or rollbackTransaction()
    /// is stored all together or not at all. A writing transaction waits for the other
    /// connections' writes as a single write does. Not nested.
    ///
    /// A driver without transactions (the test doubles) keeps the defaults, under
    /// which every statement stands on its own.
    virtual void beginTransaction() {}
    /// Stores the transaction. When the server cannot, the transaction is rolled back
    /// and the error is thrown: nothing of it was stored.
    virtual void commitTransaction() {}
    /// Undoes the transaction; nothing when none is open (the server may have ended it
    /// after an error). Never throws.
    virtual void rollbackTransaction() noexcept {}

    /// Calls a procedure without reading rows; parameters[0] is the return value
    /// when its direction is ReturnValue. Output values are written back.
    virtual void callProcedure(const QString& name, std::vector<ProcedureParameter>& parameters) = 0;
};

/// Chooses and creates the driver for a connection string. Drivers register
/// themselves (the embedded server from server/, ODBC from data/); the first
/// whose predicate accepts the parameters wins, registered order.
class DriverRegistry {
public:
    using Accepts = bool (*)(const ConnectionParams&);
    using Create = std::unique_ptr<Driver> (*)();

    static void add(const char* name, Accepts accepts, Create create);
    /// Throws DbError when no registered driver accepts the parameters.
    static std::unique_ptr<Driver> create(const ConnectionParams& params);
};

}  // namespace zel::db
