#pragma once

#include "data/dataset/TDataLink.h"

#include <QString>

namespace zel {

class AuditLog;
class TADOUpdateHistoryExec;
class TDataSet;
class TDataSource;

/// The change history watching a dictionary while its window is open. For the
/// session's lifetime the history is attached to the dictionary with changes and
/// deletions logged and runs its statements without detaching, so every change
/// and deletion of the visit is logged, not only the first; afterwards it is
/// detached and the card's detaching runner is back.
///
/// A post the server refuses detaches the history (nothing of it is logged); the
/// session attaches it again before the next post or when the edit is cancelled,
/// so the corrected row and later deletions are still logged. A refused deletion leaves its statement behind; the session drops it
/// before the next post, so an insert after it never logs a deletion that did
/// not happen.
class DictionaryAuditSession : private TDataLink {
public:
    /// Nothing is owned; all outlive the session.
    DictionaryAuditSession(TADOUpdateHistoryExec& history, AuditLog& log, TDataSource& source, TDataSet& dataSet,
                           QString tableLabel, QString keyField);
    ~DictionaryAuditSession() override;

private:
    void attach();
    void updateData() override;
    void editingChanged() override;

    TADOUpdateHistoryExec& m_history;
    AuditLog& m_log;
    TDataSet& m_dataSet;
    QString m_tableLabel;
    QString m_keyField;
};

}  // namespace zel
