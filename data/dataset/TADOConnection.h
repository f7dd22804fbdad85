#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace zel {

namespace db {
class Driver;
}

class TDataSet;

/// The database connection. The connection string chooses and configures the driver
/// (DriverRegistry); the connection owns that driver while connected. It never asks
/// the user for a login: the string carries the credentials.
///
/// Datasets name their connection with TDataSet::SetConnection. Opening a dataset on a
/// closed connection connects it first; closing the connection closes its datasets.
class TADOConnection {
public:
    TADOConnection();
    ~TADOConnection();
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;

    const QString& ConnectionString() const { return m_connectionString; }
    /// Replacing the string of an open connection closes it first.
    void SetConnectionString(const QString& connectionString);
    /// Always false: the layer never prompts.
    bool LoginPrompt() const { return false; }

    /// Connects; throws DbError with the server's (or driver's) text and stays closed.
    void Open();
    /// Closes every open dataset of the connection, then the driver. Nothing when closed.
    void Close();
    bool Connected() const { return m_driver != nullptr; }
    void SetConnected(bool connected) { connected ? Open() : Close(); }

    /// Runs a statement that returns no rows; returns the rows affected (-1 unknown).
    qint64 Execute(const QString& sql);

    // -- transactions --
    /// Starts a transaction (connecting first); returns the nesting level, 1 for the
    /// outermost. A nested one joins the outer: only the outermost is stored or undone.
    int BeginTrans();
    /// Ends the innermost level; the outermost stores the transaction. When an inner
    /// level was rolled back, the outermost undoes everything and throws DataError.
    /// A commit the server refuses is undone and its error thrown. DataError when no
    /// transaction is open.
    void CommitTrans();
    /// Ends the innermost level, undoing the whole transaction at the outermost (an
    /// inner level only marks it to be undone). Nothing when none is open. Never throws.
    void RollbackTrans() noexcept;
    bool InTransaction() const { return m_transactionLevel > 0; }

    /// The driver of the open connection; throws DataError when closed.
    db::Driver& driver() const;

    /// Datasets that name this connection (not owned).
    const std::vector<TDataSet*>& dataSets() const { return m_dataSets; }

private:
    friend class TDataSet;
    void attach(TDataSet* dataSet);
    void detach(TDataSet* dataSet);

    QString m_connectionString;
    std::unique_ptr<db::Driver> m_driver;
    std::vector<TDataSet*> m_dataSets;
    int m_transactionLevel = 0;
    bool m_transactionDoomed = false;
};

}  // namespace zel
