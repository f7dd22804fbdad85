#include "server/engine/EmbeddedDriver.h"

#include "data/DbError.h"
#include "server/engine/BatchRunner.h"
#include "server/engine/EmbeddedSession.h"
#include "server/engine/ProcedureRunner.h"
#include "server/engine/WriteThrough.h"

namespace zel::server {

EmbeddedDriver::EmbeddedDriver() = default;
EmbeddedDriver::~EmbeddedDriver() = default;

void EmbeddedDriver::open(const db::ConnectionParams& params)
{
    m_session.reset();
    m_session = EmbeddedSession::open(params);
}

void EmbeddedDriver::close()
{
    m_session.reset();
}

bool EmbeddedDriver::isOpen() const
{
    return m_session != nullptr;
}

EmbeddedSession& EmbeddedDriver::openSession()
{
    if (!m_session)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::ConnectionLost, QStringLiteral("08003"));
    return *m_session;
}

EmbeddedSession& EmbeddedDriver::session()
{
    EmbeddedSession& s = openSession();
    s.checkClientTransaction();
    return s;
}

void EmbeddedDriver::beginTransaction()
{
    openSession().beginClientTransaction();
}

void EmbeddedDriver::commitTransaction()
{
    openSession().commitClientTransaction();
}

void EmbeddedDriver::rollbackTransaction() noexcept
{
    if (m_session)
        m_session->rollbackClientTransaction();
}

void EmbeddedDriver::query(const QString& sql, db::RowSet& result)
{
    result.clear();
    BatchRunner::run(session(), sql, &result);
}

qint64 EmbeddedDriver::execute(const QString& sql)
{
    return BatchRunner::run(session(), sql, nullptr);
}

qint64 EmbeddedDriver::update(const QString& table, const QString& keyColumn, const QVariant& key,
                              const std::vector<db::ColumnValue>& values)
{
    return WriteThrough::update(session(), table, keyColumn, key, values);
}

QVariant EmbeddedDriver::insert(const QString& table, const std::vector<db::ColumnValue>& values,
                                const QString& identityColumn)
{
    return WriteThrough::insert(session(), table, values, identityColumn);
}

qint64 EmbeddedDriver::remove(const QString& table, const QString& keyColumn, const QVariant& key)
{
    return WriteThrough::remove(session(), table, keyColumn, key);
}

qint64 EmbeddedDriver::updateUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                       const std::vector<db::ColumnValue>& values,
                                       const std::vector<db::ColumnValue>& originals)
{
    return WriteThrough::update(session(), table, keyColumn, key, values, originals);
}

qint64 EmbeddedDriver::removeUnchanged(const QString& table, const QString& keyColumn, const QVariant& key,
                                       const std::vector<db::ColumnValue>& originals)
{
    return WriteThrough::remove(session(), table, keyColumn, key, originals);
}

void EmbeddedDriver::callProcedure(const QString& name, std::vector<db::ProcedureParameter>& parameters)
{
    EmbeddedSession& s = session();
    // "[dbo].[Name]", "dbo.Name" and "Name" name the same procedure.
    QString bare = name.trimmed();
    bare.remove(u'[').remove(u']');
    const QStringList parts = bare.split(u'.');
    bare = parts.last();
    const std::optional<ProcedureInfo> info = findProcedure(bare);
    if (!info || !info->function)
        throw DbError(QStringLiteral("Could not find stored procedure '%1'.").arg(name), DbError::Kind::InvalidObject,
                      QStringLiteral("42000"), 2812);
    std::vector<ProcedureArgument> arguments;
    for (const auto& p : parameters)
        if (p.direction != db::ProcedureParameter::Direction::ReturnValue)
            arguments.push_back({QString(), p.value});
    ProcedureRunner::run(s, bare, *info, arguments, nullptr);
    s.trace().invalidate();
    for (auto& p : parameters)
        if (p.direction == db::ProcedureParameter::Direction::ReturnValue)
            p.value = 0;
}

}  // namespace zel::server
