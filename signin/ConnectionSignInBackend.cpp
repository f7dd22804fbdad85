#include "ConnectionSignInBackend.h"

#include "WorkstationIdentity.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"

namespace zel {

ConnectionSignInBackend::ConnectionSignInBackend(TADOConnection& connection, Host host)
    : m_connection(connection), m_host(std::move(host))
{
}

TFirstConnectInfo ConnectionSignInBackend::readBootstrapSettings()
{
    return m_host.bootstrapPath.isEmpty() ? bootstrap::read() : bootstrap::read(m_host.bootstrapPath);
}

void ConnectionSignInBackend::reopenConnection(const QString& connectionString)
{
    m_connection.Close();
    m_connection.SetConnectionString(connectionString);
    m_connection.Open();
}

void ConnectionSignInBackend::closeConnection()
{
    m_connection.Close();
}

QVariantList ConnectionSignInBackend::firstRow(const QString& statement)
{
    TADOQuery query(QStringLiteral("SignInQuery"));
    query.SetConnection(&m_connection);
    query.SetSQL(statement);
    query.Open();
    QVariantList row;
    if (!query.IsEmpty())
        for (TField* field : query.Fields())
            row << field->Value();
    query.Close();
    return row;
}

void ConnectionSignInBackend::execute(const QString& statement)
{
    TADOQuery query(QStringLiteral("SignInStatement"));
    query.SetConnection(&m_connection);
    query.SetSQL(statement);
    query.ExecSQL();
}

void ConnectionSignInBackend::openDatasets()
{
    if (m_host.openDatasets)
        m_host.openDatasets();
}

void ConnectionSignInBackend::setCaption(const QString& caption)
{
    if (m_host.setCaption)
        m_host.setCaption(caption);
}

void ConnectionSignInBackend::signedIn(const QString& userLogin, const QString& userPassword)
{
    if (m_host.signedIn)
        m_host.signedIn(userLogin, userPassword);
}

QString ConnectionSignInBackend::ipAddress()
{
    return WorkstationIdentity::ipAddress();
}

QString ConnectionSignInBackend::computerName()
{
    return WorkstationIdentity::computerName();
}

void ConnectionSignInBackend::showError(const QString& text)
{
    if (m_host.showError)
        m_host.showError(text);
}

}  // namespace zel
