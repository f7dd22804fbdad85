#include "data/dataset/TDataSource.h"

#include "data/dataset/TDataLink.h"
#include "data/dataset/TDataSet.h"

#include <algorithm>

namespace zel {

TDataSource::TDataSource(TDataSet* dataSet)
{
    SetDataSet(dataSet);
}

TDataSource::~TDataSource()
{
    if (m_dataSet)
        m_dataSet->removeDataSource(this);
    for (TDataLink* link : m_links)
        link->m_dataSource = nullptr;
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addDataSource(this);
    notifyActiveChanged();
}

TDataSetState TDataSource::State() const
{
    return m_dataSet ? m_dataSet->State() : dsInactive;
}

bool TDataSource::Edit()
{
    if (!m_dataSet || !m_dataSet->Active())
        return false;
    if (m_autoEdit && m_dataSet->State() == dsBrowse)
        m_dataSet->Edit();
    return m_dataSet->State() == dsEdit || m_dataSet->State() == dsInsert;
}

void TDataSource::addLink(TDataLink* link)
{
    if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
        m_links.push_back(link);
}

void TDataSource::removeLink(TDataLink* link)
{
    const auto it = std::find(m_links.begin(), m_links.end(), link);
    if (it != m_links.end())
        m_links.erase(it);
}

template <typename Fn>
void TDataSource::forEachLink(Fn fn)
{
    // a link may leave or join while it is being notified
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links)
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            fn(link);
}

void TDataSource::notifyActiveChanged()
{
    forEachLink([](TDataLink* link) { link->activeChanged(); });
    if (OnDataChange) {
        const auto handler = OnDataChange;  // may be replaced while it runs
        handler(nullptr);
    }
}

void TDataSource::notifyDataSetChanged()
{
    forEachLink([](TDataLink* link) { link->dataSetChanged(); });
    if (OnDataChange) {
        const auto handler = OnDataChange;  // may be replaced while it runs
        handler(nullptr);
    }
}

void TDataSource::notifyScrolled()
{
    forEachLink([](TDataLink* link) { link->dataSetScrolled(); });
    if (OnDataChange) {
        const auto handler = OnDataChange;  // may be replaced while it runs
        handler(nullptr);
    }
}

void TDataSource::notifyRecordChanged(TField* field)
{
    forEachLink([field](TDataLink* link) { link->recordChanged(field); });
    if (OnDataChange) {
        const auto handler = OnDataChange;  // may be replaced while it runs
        handler(field);
    }
}

void TDataSource::notifyStateChanged(bool editingChanged)
{
    forEachLink([editingChanged](TDataLink* link) {
        link->stateChanged();
        if (editingChanged)
            link->editingChanged();
    });
    if (OnStateChange) {
        const auto handler = OnStateChange;
        handler();
    }
}

void TDataSource::notifyUpdateData()
{
    forEachLink([](TDataLink* link) { link->updateData(); });
}

}  // namespace zel
