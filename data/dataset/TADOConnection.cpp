#include "data/dataset/TADOConnection.h"

#include "data/ConnectionParams.h"
#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/TDataSet.h"

#include <algorithm>

namespace zel {

TADOConnection::TADOConnection() = default;

TADOConnection::~TADOConnection()
{
    for (TDataSet* dataSet : m_dataSets)
        dataSet->m_connection = nullptr;
    m_dataSets.clear();
    if (m_driver)
        m_driver->close();
}

void TADOConnection::SetConnectionString(const QString& connectionString)
{
    Close();
    m_connectionString = connectionString;
}

void TADOConnection::Open()
{
    if (m_driver)
        return;
    const db::ConnectionParams params = db::ConnectionParams::parse(m_connectionString);
    std::unique_ptr<db::Driver> driver = db::DriverRegistry::create(params);
    driver->open(params);
    m_driver = std::move(driver);
}

void TADOConnection::Close()
{
    if (!m_driver)
        return;
    if (m_transactionLevel > 0) {
        m_driver->rollbackTransaction();
        m_transactionLevel = 0;
        m_transactionDoomed = false;
    }
    for (TDataSet* dataSet : std::vector<TDataSet*>(m_dataSets))
        dataSet->Close();
    std::unique_ptr<db::Driver> driver = std::move(m_driver);
    driver->close();
}

qint64 TADOConnection::Execute(const QString& sql)
{
    Open();
    return m_driver->execute(sql);
}

int TADOConnection::BeginTrans()
{
    if (m_transactionLevel == 0) {
        Open();
        m_driver->beginTransaction();
        m_transactionDoomed = false;
    }
    return ++m_transactionLevel;
}

void TADOConnection::CommitTrans()
{
    if (m_transactionLevel == 0 || !m_driver)
        throw DataError(QStringLiteral("Нет открытой транзакции."));
    if (--m_transactionLevel > 0)
        return;
    if (m_transactionDoomed) {
        m_transactionDoomed = false;
        m_driver->rollbackTransaction();
        throw DataError(QStringLiteral("Транзакция отменена: изменения не сохранены."));
    }
    try {
        m_driver->commitTransaction();
    } catch (...) {
        m_driver->rollbackTransaction();
        throw;
    }
}

void TADOConnection::RollbackTrans() noexcept
{
    if (m_transactionLevel == 0)
        return;
    if (--m_transactionLevel > 0) {
        m_transactionDoomed = true;
        return;
    }
    m_transactionDoomed = false;
    if (m_driver)
        m_driver->rollbackTransaction();
}

db::Driver& TADOConnection::driver() const
{
    if (!m_driver)
        throw DataError(QStringLiteral("Соединение с базой данных не открыто."));
    return *m_driver;
}

void TADOConnection::attach(TDataSet* dataSet)
{
    if (std::find(m_dataSets.begin(), m_dataSets.end(), dataSet) == m_dataSets.end())
        m_dataSets.push_back(dataSet);
}

void TADOConnection::detach(TDataSet* dataSet)
{
    const auto it = std::find(m_dataSets.begin(), m_dataSets.end(), dataSet);
    if (it != m_dataSets.end())
        m_dataSets.erase(it);
}

}  // namespace zel
