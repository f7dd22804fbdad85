#pragma once

#include "data/Driver.h"
#include "data/odbc/OdbcHandle.h"
#include "data/odbc/OdbcKeyCache.h"
#include "data/odbc/OdbcText.h"
#include "data/odbc/ServerDialect.h"

namespace zel::db {

class OdbcStatement;

/// The Driver over an ODBC connection: SQL Server through FreeTDS in
/// production, any ODBC driver in principle (the tests use SQLite's).
///
/// The connection string is mapped by OdbcConnectionString. Statement texts
/// reach the server unchanged; every result of a batch is read or drained
/// before the call returns, so the connection is always idle in between.
/// Results carry base table, base column, identity and key of each column as
/// far as the driver reports them; keys are asked once per table. Once
/// connected, the session gets what its ServerDialect needs (browse mode on
/// SQL Server). Logins time out after 15 s, statements after 30 s, as OLE DB's
/// defaults. A failed query() leaves its result as it was.
///
/// Not thread-safe: one driver, one thread, like the connection it wraps.
class OdbcDriver : public Driver {
public:
    OdbcDriver() = default;
    ~OdbcDriver() override;

    void open(const ConnectionParams& params) override;
    /// Opens with a ready ODBC connection string (tests, tools); mode says how
    /// text crosses the API with that driver (Wide for FreeTDS).
    void openConnectionString(const QString& odbcConnectionString, OdbcTextMode mode);
    void close() override;
    bool isOpen() const override { return bool(m_connection); }

    void query(const QString& sql, RowSet& result) override;
    /// Rows affected, summed over the batch's counts; -1 when none was reported.
    qint64 execute(const QString& sql) override;
    qint64 update(const QString& table, const QString& keyColumn, const QVariant& key,
                  const std::vector<ColumnValue>& values) override;
    QVariant insert(const QString& table, const std::vector<ColumnValue>& values,
                    const QString& identityColumn) override;
    qint64 remove(const QString& table, const QString& keyColumn, const QVariant& key) override;
    qint64 updateUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                           const std::vector<ColumnValue>& values,
                           const std::vector<ColumnValue>& originals) override;
    qint64 removeUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                           const std::vector<ColumnValue>& originals) override;
    void callProcedure(const QString& name, std::vector<ProcedureParameter>& parameters) override;

    /// Manual commit mode until the transaction ends (SQLEndTran), then automatic again.
    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() noexcept override;

    /// Seconds a statement may run before it fails with Kind::Timeout; 30 by
    /// default, as OLE DB commands; 0 waits for ever.
    void setStatementTimeout(unsigned seconds) { m_statementTimeout = seconds; }

    /// SQL_DBMS_NAME of the open connection ("Microsoft SQL Server", "SQLite").
    const QString& dbmsName() const { return m_dbmsName; }

private:
    SQLHDBC connection() const;
    /// Reads every result of statement; fills result with the first that has columns.
    void readResults(OdbcStatement& statement, RowSet* result, qint64* rowsAffected);
    void markKeys(RowSet& result);

    OdbcHandle m_connection;
    bool m_inTransaction = false;
    OdbcTextMode m_textMode = OdbcTextMode::Narrow;
    unsigned m_statementTimeout = 30;
    QString m_dbmsName;
    ServerDialect m_dialect;
    OdbcKeyCache m_keys;
};

}  // namespace zel::db
