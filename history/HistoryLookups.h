#pragma once

#include "history/DictionaryLookup.h"

#include <vector>

namespace zel {

class TDataSet;
class TDataSource;
class TDM_PUM;

/// Which logged fields of the card's sections hold dictionary keys, and in which
/// dictionary their names are. Built from the card's own declarations, never listed
/// by hand: the lookup fields the data module declares (grids, addresses) and the
/// selectors the card's tabs are declared with.
class HistoryLookups {
public:
    /// A selector as a card tab declares it: the section field it writes and the
    /// dictionary it lists.
    struct Selector {
        TDataSource* source = nullptr;  ///< the section's data source
        QString field;
        TDataSource* list = nullptr;    ///< the dictionary's data source
        QString key;
        QString name;
    };

    HistoryLookups() = default;

    /// Every lookup field of the save sequence's datasets, then every selector whose
    /// section is saved by it. A field or selector outside the saved sections, or
    /// over a dictionary whose table cannot be told, is left out.
    static HistoryLookups FromDeclarations(TDM_PUM& dm, const std::vector<Selector>& selectors);

    /// The lookup of a logged field (letter case ignored); null when the field
    /// holds no dictionary key.
    const DictionaryLookup* Find(const QString& section, const QString& field) const;
    const std::vector<DictionaryLookup>& All() const { return m_lookups; }

    /// The table a dictionary dataset reads: a table's name, or the first table
    /// after FROM in a query's text; empty when neither can be told.
    static QString TableOf(const TDataSet& dictionary);

private:
    void add(DictionaryLookup lookup);

    std::vector<DictionaryLookup> m_lookups;
};

}  // namespace zel
