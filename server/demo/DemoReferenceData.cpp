#include "server/demo/SeedTable.h"

#include "server/demo/DemoReferenceParts.h"

namespace zel::server::demo {

const std::vector<SeedTable>& DemoReferenceData::tables()
{
    static const std::vector<SeedTable> all = [] {
        std::vector<SeedTable> out = parts::addresses();
        const std::vector<SeedTable> dictionaries = parts::dictionaries();
        out.insert(out.end(), dictionaries.begin(), dictionaries.end());
        return out;
    }();
    return all;
}

const SeedTable* DemoReferenceData::find(const QString& table)
{
    for (const SeedTable& t : tables())
        if (t.table.compare(table, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

int DemoReferenceData::rowCount(const QString& table)
{
    const SeedTable* t = find(table);
    return t ? int(t->rows.size()) : 0;
}

}  // namespace zel::server::demo
