#include "server/procedures/ProcedureResult.h"

namespace zel::server {

ProcedureResult::ProcedureResult(db::RowSet* rows, std::initializer_list<Column> columns) : m_rows(rows)
{
    if (!m_rows)
        return;
    std::vector<db::ColumnInfo> infos;
    for (const Column& c : columns) {
        db::ColumnInfo info;
        info.name = QString::fromUtf8(c.name);
        info.type = c.type;
        info.size = c.size;
        infos.push_back(info);
    }
    m_rows->setColumns(std::move(infos));
}

void ProcedureResult::addRow(std::initializer_list<QVariant> values)
{
    if (!m_rows)
        return;
    m_rows->beginRow();
    int column = 0;
    for (const QVariant& value : values)
        m_rows->setVariant(column++, value);
}

}  // namespace zel::server
