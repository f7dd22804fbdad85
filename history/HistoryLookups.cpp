#include "history/HistoryLookups.h"

#include "data/dataset/TADOQuery.h"
#include "data/dataset/TADOTable.h"
#include "data/dataset/TDataSource.h"
#include "data/dataset/TField.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TDM_PUM.h"

#include <QRegularExpression>

namespace zel {

namespace {

QString sectionOf(const std::vector<SaveSequence::Step>& steps, const TDataSet* dataSet)
{
    for (const SaveSequence::Step& step : steps)
        if (step.dataSet == dataSet)
            return step.tableName;
    return {};
}

}  // namespace

QString HistoryLookups::TableOf(const TDataSet& dictionary)
{
    if (const auto* table = dynamic_cast<const TADOTable*>(&dictionary))
        return table->TableName();
    if (const auto* query = dynamic_cast<const TADOQuery*>(&dictionary)) {
        static const QRegularExpression from(QStringLiteral(R"(\bfrom\s+(?:dbo\.)?\[?([A-Za-z_][A-Za-z0-9_]*)\]?)"),
                                             QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = from.match(query->SQL());
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

HistoryLookups HistoryLookups::FromDeclarations(TDM_PUM& dm, const std::vector<Selector>& selectors)
{
    HistoryLookups lookups;
    const std::vector<SaveSequence::Step> steps = SaveSequence::Steps(dm);
    // The grids' and the addresses' lookup fields: the data module declares them.
    for (const SaveSequence::Step& step : steps) {
        for (const TField* field : step.dataSet->Fields()) {
            if (field->FieldKind() != fkLookup || !field->LookupDataSet())
                continue;
            lookups.add({step.tableName, field->KeyFields(), TableOf(*field->LookupDataSet()),
                         field->LookupKeyFields(), field->LookupResultField()});
        }
    }
    // The selectors: the card's tabs declare them.
    for (const Selector& selector : selectors) {
        if (!selector.source || !selector.list || !selector.list->DataSet())
            continue;
        const QString section = sectionOf(steps, selector.source->DataSet());
        if (section.isEmpty())
            continue;
        lookups.add({section, selector.field, TableOf(*selector.list->DataSet()), selector.key, selector.name});
    }
    return lookups;
}

const DictionaryLookup* HistoryLookups::Find(const QString& section, const QString& field) const
{
    for (const DictionaryLookup& lookup : m_lookups)
        if (lookup.keyColumn.compare(field, Qt::CaseInsensitive) == 0
            && lookup.section.compare(section, Qt::CaseInsensitive) == 0)
            return &lookup;
    return nullptr;
}

void HistoryLookups::add(DictionaryLookup lookup)
{
    if (lookup.section.isEmpty() || lookup.keyColumn.isEmpty() || lookup.table.isEmpty()
        || lookup.tableKey.isEmpty() || lookup.nameField.isEmpty())
        return;
    if (!Find(lookup.section, lookup.keyColumn))
        m_lookups.push_back(std::move(lookup));
}

}  // namespace zel
