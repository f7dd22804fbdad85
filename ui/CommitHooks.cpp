#include "ui/DateText.h"
#include "ui/GridColumn.h"

namespace zel::ui::CommitHooks {

CellCommitHook emptyDateIsNull()
{
    return [](CellCommit& commit) {
        if (DateText::isEmptyMask(commit.text)) {
            commit.storeValue = true;
            commit.value = QVariant();
        }
    };
}

}  // namespace zel::ui::CommitHooks
