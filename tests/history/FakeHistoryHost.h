#pragma once
// The program as the history window sees it: requests recorded, rows from a list.

#include "data/DbError.h"
#include "history/HistoryHost.h"

#include <QList>

namespace historytest {

class FakeHistoryHost : public zel::HistoryHost {
public:
    std::vector<zel::HistoryEntry> rows;
    QList<zel::HistoryRequest> requests;
    QString copied;
    QString failWith;  ///< when set, the next reading fails with this server message

    std::vector<zel::HistoryEntry> ReadHistory(const zel::HistoryRequest& request) override
    {
        requests << request;
        if (!failWith.isEmpty())
            throw zel::DbError(std::exchange(failWith, QString()));
        return rows;
    }
    void CopyText(const QString& text) override { copied = text; }
};

}  // namespace historytest
