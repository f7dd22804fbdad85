#pragma once

#include "data/Driver.h"

#include <memory>

namespace zel::server {

class EmbeddedSession;

/// The driver of the in-process server: answers the statement texts a SQL
/// Server would, from a SQLite database file. One instance per connection,
/// used from one thread.
class EmbeddedDriver : public db::Driver {
public:
    EmbeddedDriver();
    ~EmbeddedDriver() override;

    void open(const db::ConnectionParams& params) override;
    void close() override;
    bool isOpen() const override;

    void query(const QString& sql, db::RowSet& result) override;
    qint64 execute(const QString& sql) override;
    qint64 update(const QString& table, const QString& keyColumn, const QVariant& key,
                  const std::vector<db::ColumnValue>& values) override;
    QVariant insert(const QString& table, const std::vector<db::ColumnValue>& values,
                    const QString& identityColumn) override;
    qint64 remove(const QString& table, const QString& keyColumn, const QVariant& key) override;
    qint64 updateUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                           const std::vector<db::ColumnValue>& values,
                           const std::vector<db::ColumnValue>& originals) override;
    qint64 removeUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                           const std::vector<db::ColumnValue>& originals) override;
    void callProcedure(const QString& name, std::vector<db::ProcedureParameter>& parameters) override;

    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() noexcept override;

    /// The open session, ready for a statement; throws when closed, or when the
    /// client's transaction was ended by the server after an error.
    EmbeddedSession& session();

private:
    EmbeddedSession& openSession();

    std::unique_ptr<EmbeddedSession> m_session;
};

}  // namespace zel::server
