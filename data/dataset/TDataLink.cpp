#include "data/dataset/TDataLink.h"

#include "data/dataset/TDataSet.h"
#include "data/dataset/TDataSource.h"

namespace zel {

TDataLink::~TDataLink()
{
    if (m_dataSource)
        m_dataSource->removeLink(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->removeLink(this);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->addLink(this);
    activeChanged();
}

TDataSet* TDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active();
}

bool TDataLink::Editing() const
{
    const TDataSet* dataSet = DataSet();
    return dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
}

bool TDataLink::Edit()
{
    if (m_dataSource)
        m_dataSource->Edit();
    return Editing();
}

}  // namespace zel
