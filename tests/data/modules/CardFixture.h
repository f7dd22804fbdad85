#pragma once
// A signed-in card over the demo database: the posting rules installed and the audit
// log connected to its change history, as the card window sets them up.

#include "ModulesFixture.h"

#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/TADOUpdateHistoryExec.h"

namespace zel::test {

class CardTest : public ModulesTest {
protected:
    void SetUp() override
    {
        connect();
        dm.OpenSignInDataSets();
        zel::PostingRules::Install(dm, host);
        log.Connect();
        firstLogId = serverValue("select max(id_log) from ZEL_LOG").toInt();
    }

    /// Makes the employee current and loads the card.
    void load(int key)
    {
        selectEmployee(key);
        CardStatements::LoadCard(dm, host);
    }

    /// The number of ZEL_LOG rows written since the test began.
    int newLogRows() { return serverCount("select count(*) from ZEL_LOG where id_log>" + QString::number(firstLogId)); }

    TADOUpdateHistoryExec history;
    AuditLog log{history, dm.ADOQ_Exec, host};
    int firstLogId = 0;
};

}  // namespace zel::test
