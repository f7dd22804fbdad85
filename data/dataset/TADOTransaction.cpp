#include "data/dataset/TADOTransaction.h"

#include "data/dataset/TADOConnection.h"

namespace zel {

TADOTransaction::TADOTransaction(TADOConnection& connection) : m_connection(connection)
{
    m_connection.BeginTrans();
}

TADOTransaction::~TADOTransaction()
{
    if (m_open)
        m_connection.RollbackTrans();
}

void TADOTransaction::commit()
{
    m_open = false;
    m_connection.CommitTrans();
}

}  // namespace zel
