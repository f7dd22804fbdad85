#include "data/modules/SectionDeletion.h"

#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "data/modules/TDM_PUM.h"

namespace zel::SectionDeletion {

bool DeleteLogged(TDM_PUM& dm, TDataSet& dataSet, TADOUpdateHistoryExec& history)
{
    const std::vector<SaveSequence::Step> steps = SaveSequence::Steps(dm);
    // The master row is deleted by the server's own procedures, which log it.
    for (std::size_t i = 1; i < steps.size(); ++i) {
        const SaveSequence::Step& step = steps[i];
        if (step.dataSet != &dataSet)
            continue;
        if (!dataSet.Active() || dataSet.IsEmpty())
            return false;
        history.Detach();
        history.Attach(dataSet, step.tableName, step.keyField, false, true);
        try {
            dataSet.Delete();
        } catch (...) {
            history.Statements.clear();
            history.Detach();
            throw;
        }
        // The statement runner detaches after running; a deletion that logged nothing
        // must not leave the history watching this section.
        history.Detach();
        return true;
    }
    return false;
}

}  // namespace zel::SectionDeletion
