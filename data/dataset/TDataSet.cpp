// TDataSet: construction, connection, Open/Close/Requery and the plumbing that tells
// data sources about state, scrolls and changed records.
#include "data/dataset/TDataSet.h"

#include "data/DbError.h"
#include "data/Driver.h"
#include "data/dataset/RowWriter.h"
#include "data/dataset/TADOConnection.h"
#include "data/dataset/TDataSetPrivate.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"

#include <algorithm>

namespace zel {

TDataSet::TDataSet(const QString& name) : m_name(name) {}

TDataSet::~TDataSet()
{
    for (TDataSource* source : m_dataSources)
        source->dataSetDestroyed();
    for (TDataSet* dependant : std::vector<TDataSet*>(m_lookupDependants))
        dependant->lookupSourceDestroyed(this);
    for (TDataSet* source : m_lookupSources)
        detail::eraseOne(source->m_lookupDependants, this);
    if (m_connection)
        m_connection->detach(this);
}

void TDataSet::SetConnection(TADOConnection* connection)
{
    if (connection == m_connection)
        return;
    Close();
    if (m_connection)
        m_connection->detach(this);
    m_connection = connection;
    if (m_connection)
        m_connection->attach(this);
}

db::Driver& TDataSet::driver() const
{
    if (!m_connection)
        throw DataError(QStringLiteral("%1: не задано соединение с базой данных.").arg(m_name));
    if (!m_connection->Connected())
        m_connection->Open();
    return m_connection->driver();
}

void TDataSet::fetchRows(db::RowSet& rows)
{
    const QString text = commandText();
    if (text.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задан текст команды.").arg(m_name));
    driver().query(text, rows);
}

// ---------------------------------------------------------------- opening

void TDataSet::Open()
{
    if (Active() || m_opening)
        return;
    detail::ScopedValue<bool> opening(m_opening, true);
    fire(BeforeOpen);
    try {
        m_rows.clear();
        fetchRows(m_rows);
        m_rows.squeeze();
        if (m_rows.columnCount() == 0)
            throw DataError(QStringLiteral("%1: команда не вернула набор записей.").arg(m_name));
        bindFields();
        openLookupDataSets();
        m_deleted.assign(std::size_t(m_rows.rowCount()), false);
        m_writer = std::make_unique<RowWriter>(m_rows, m_fields, defaultBaseTable());
        rebuildView(-1);
    } catch (...) {
        m_rows.clear();
        m_view.clear();
        m_deleted.clear();
        m_writer.reset();
        m_position = -1;
        throw;
    }
    m_state = dsBrowse;
    notify(Notify::Active);
    rowsChanged();
    fire(AfterOpen);
    if (!IsEmpty())
        afterScroll();
}

void TDataSet::Close()
{
    if (!Active())
        return;
    fire(BeforeClose);
    endEdit();
    m_state = dsInactive;
    m_rows.clear();
    m_view.clear();
    m_deleted.clear();
    m_writer.reset();
    m_position = -1;
    m_bof = m_eof = true;
    m_calcRow = -1;
    invalidateIndexes();
    notify(Notify::Active);
    rowsChanged();
    fire(AfterClose);
}

void TDataSet::Requery()
{
    CheckBrowseMode();
    Close();
    Open();
}

void TDataSet::checkActive() const
{
    if (!Active())
        throw DataError(QStringLiteral("%1: операция невозможна, набор данных закрыт.").arg(m_name));
}

// ---------------------------------------------------------------- data sources

void TDataSet::notify(Notify what, TField* field)
{
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources) {
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
            continue;
        switch (what) {
        case Notify::Active:
            source->notifyActiveChanged();
            break;
        case Notify::DataSet:
            source->notifyDataSetChanged();
            break;
        case Notify::Scrolled:
            source->notifyScrolled();
            break;
        case Notify::Record:
            source->notifyRecordChanged(field);
            break;
        }
    }
}

void TDataSet::UpdateRecord()
{
    if (m_state == dsEdit || m_state == dsInsert)
        notifyUpdateData();
}

void TDataSet::notifyUpdateData()
{
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->notifyUpdateData();
}

void TDataSet::setState(TDataSetState state)
{
    if (state == m_state)
        return;
    const bool wasEditing = m_state == dsEdit || m_state == dsInsert;
    m_state = state;
    const bool editing = m_state == dsEdit || m_state == dsInsert;
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->notifyStateChanged(wasEditing != editing);
}

void TDataSet::addDataSource(TDataSource* source)
{
    if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
        m_dataSources.push_back(source);
}

void TDataSet::removeDataSource(TDataSource* source)
{
    detail::eraseOne(m_dataSources, source);
}

}  // namespace zel
