#include "card/DictionaryAuditSession.h"

#include "data/modules/AuditLog.h"
#include "data/modules/TADOUpdateHistoryExec.h"

namespace zel {

DictionaryAuditSession::DictionaryAuditSession(TADOUpdateHistoryExec& history, AuditLog& log, TDataSource& source,
                                               TDataSet& dataSet, QString tableLabel, QString keyField)
    : m_history(history),
      m_log(log),
      m_dataSet(dataSet),
      m_tableLabel(std::move(tableLabel)),
      m_keyField(std::move(keyField))
{
    m_history.Detach();
    m_log.UseExecuteLog(true);
    attach();
    SetDataSource(&source);
}

DictionaryAuditSession::~DictionaryAuditSession()
{
    SetDataSource(nullptr);
    m_history.Detach();
    m_log.UseExecuteLog(false);
}

void DictionaryAuditSession::attach()
{
    m_history.Attach(m_dataSet, m_tableLabel, m_keyField, true, true);
}

void DictionaryAuditSession::updateData()
{
    // Runs before every post of the dictionary, ahead of its before-post handler.
    if (DataSet() != &m_dataSet)
        return;
    m_history.Statements.clear();
    if (!m_history.DataSet())
        attach();
}

void DictionaryAuditSession::editingChanged()
{
    // A refused post, then Cancel: the next deletion must be watched again.
    if (DataSet() == &m_dataSet && !m_history.DataSet())
        attach();
}

}  // namespace zel
