#include "dictionaries/PendingRow.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"
#include "ui/DbGrid.h"

namespace zel {

bool finishPendingRow(ui::DbGrid& grid)
{
    if (!grid.commitEditor())
        return false;
    TDataSource* source = grid.dataSource();
    TDataSet* dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active())
        return true;
    const TDataSetState state = dataSet->State();
    if (state != dsEdit && state != dsInsert)
        return true;
    if (dataSet->Modified())
        dataSet->Post();
    else
        dataSet->Cancel();
    return true;
}

}  // namespace zel
