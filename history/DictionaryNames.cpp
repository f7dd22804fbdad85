#include "history/DictionaryNames.h"

#include "data/DbError.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"
#include "history/HistoryLookups.h"

#include <QHash>

namespace zel::DictionaryNames {

namespace {

QString bracketed(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + quoted + QLatin1Char(']');
}

bool contains(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

/// One dictionary table as the rows need it: the columns to read, then the names by key.
struct Dictionary {
    QString table;
    QStringList columns;
    /// "key column\nname column" → key text → name
    QHash<QString, QHash<QString, QString>> names;
    /// False when the server refused to read the table: its keys are shown as logged.
    bool readable = true;
};

QString pairOf(const DictionaryLookup& lookup)
{
    return lookup.tableKey.toLower() + QLatin1Char('\n') + lookup.nameField.toLower();
}

/// A bare value of a deletion's dump ("id_family_s[3]"): where it stands and whose it is.
struct DumpValue {
    qsizetype start = 0;
    qsizetype length = 0;
    QString field;
};

/// The bare values of a dump "name[value], name['text'], …"; quoted texts (their quotes
/// doubled inside) are skipped whole. A malformed rest ends the reading.
std::vector<DumpValue> bareValues(const QString& dump)
{
    std::vector<DumpValue> values;
    qsizetype at = 0;
    while (at < dump.size()) {
        const qsizetype open = dump.indexOf(QLatin1Char('['), at);
        if (open < 0)
            break;
        const QString field = dump.mid(at, open - at);
        qsizetype close = -1;
        if (open + 1 < dump.size() && dump[open + 1] == QLatin1Char('\'')) {
            qsizetype quote = open + 2;
            while (quote < dump.size()) {
                if (dump[quote] == QLatin1Char('\'')) {
                    if (quote + 1 < dump.size() && dump[quote + 1] == QLatin1Char('\'')) {
                        quote += 2;
                        continue;
                    }
                    break;
                }
                ++quote;
            }
            if (quote + 1 >= dump.size() || dump[quote + 1] != QLatin1Char(']'))
                break;
            close = quote + 1;
        } else {
            close = dump.indexOf(QLatin1Char(']'), open + 1);
            if (close < 0)
                break;
            values.push_back({open + 1, close - open - 1, field});
        }
        at = close + 1;
        if (dump.mid(at, 2) == QLatin1String(", "))
            at += 2;
        else if (at < dump.size())
            break;
    }
    return values;
}

QString shown(const QHash<QString, QString>& names, const QString& key)
{
    if (key.isEmpty())
        return key;
    const auto found = names.constFind(key.trimmed());
    if (found == names.constEnd())
        return MissingKeyText(key);
    return found->isEmpty() ? QStringLiteral("(код %1, без названия)").arg(key) : *found;
}

}  // namespace

QString Statement(const QString& table, const QStringList& columns)
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted << bracketed(column);
    return QStringLiteral("SELECT %1 FROM %2").arg(quoted.join(QStringLiteral(", ")), bracketed(table));
}

QString MissingKeyText(const QString& key)
{
    return QStringLiteral("(код %1, нет в справочнике)").arg(key);
}

int Resolve(TADOConnection& connection, const HistoryLookups& lookups, std::vector<HistoryEntry>& entries)
{
    // Which dictionaries occur, and which of their columns: nothing is read for the others.
    std::vector<Dictionary> dictionaries;
    std::vector<std::pair<std::size_t, const DictionaryLookup*>> looked;
    auto dictionaryOf = [&dictionaries](const QString& table) -> Dictionary& {
        for (Dictionary& dictionary : dictionaries)
            if (dictionary.table.compare(table, Qt::CaseInsensitive) == 0)
                return dictionary;
        dictionaries.push_back({table, {}, {}, true});
        return dictionaries.back();
    };
    auto need = [&dictionaryOf](const DictionaryLookup& lookup) {
        Dictionary& dictionary = dictionaryOf(lookup.table);
        for (const QString& column : {lookup.tableKey, lookup.nameField})
            if (!contains(dictionary.columns, column))
                dictionary.columns << column;
        dictionary.names.insert(pairOf(lookup), {});
    };
    // A deleted row's keys, in its dump: entry, where the key stands, its lookup.
    struct DumpKey {
        std::size_t entry;
        DumpValue value;
        const DictionaryLookup* lookup;
    };
    std::vector<DumpKey> dumpKeys;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const HistoryEntry& entry = entries[i];
        if (entry.kind == HistoryEntry::Kind::Deletion) {
            for (const DumpValue& value : bareValues(entry.oldValue)) {
                const DictionaryLookup* lookup = lookups.Find(entry.table, value.field);
                if (!lookup || entry.oldValue.mid(value.start, value.length) == QLatin1String("NULL"))
                    continue;
                dumpKeys.push_back({i, value, lookup});
                need(*lookup);
            }
            continue;
        }
        if (entry.kind != HistoryEntry::Kind::FieldChange || (entry.oldValue.isEmpty() && entry.newValue.isEmpty()))
            continue;
        const DictionaryLookup* lookup = lookups.Find(entry.table, entry.field);
        if (!lookup)
            continue;
        looked.emplace_back(i, lookup);
        need(*lookup);
    }

    for (Dictionary& dictionary : dictionaries) {
        TADOQuery query;
        query.SetConnection(&connection);
        query.SetSQL(Statement(dictionary.table, dictionary.columns));
        try {
            query.Open();
        } catch (const DbError&) {
            // A dictionary the account may not read (or that a server lacks) must not hide
            // the history: its keys stay as they were logged.
            dictionary.readable = false;
            continue;
        }
        for (auto it = dictionary.names.begin(); it != dictionary.names.end(); ++it) {
            const QStringList pair = it.key().split(QLatin1Char('\n'));
            const TField* key = query.FieldByName(pair[0]);
            const TField* name = query.FieldByName(pair[1]);
            // Read by position: moving the cursor would run the dataset's move events per row.
            for (int recNo = 1; recNo <= query.RecordCount(); ++recNo) {
                const QString keyText = key->AsStringAt(recNo).trimmed();
                if (!keyText.isEmpty() && !it->contains(keyText))
                    it->insert(keyText, name->AsStringAt(recNo).trimmed());
            }
        }
    }

    for (const auto& [index, lookup] : looked) {
        HistoryEntry& entry = entries[index];
        const Dictionary& dictionary = dictionaryOf(lookup->table);
        if (!dictionary.readable)
            continue;
        const QHash<QString, QString>& names = *dictionary.names.constFind(pairOf(*lookup));
        entry.oldKey = entry.oldValue;
        entry.newKey = entry.newValue;
        entry.oldValue = shown(names, entry.oldKey);
        entry.newValue = shown(names, entry.newKey);
    }
    // Replaced from the end of each dump, so that the earlier positions still hold.
    for (auto it = dumpKeys.rbegin(); it != dumpKeys.rend(); ++it) {
        QString& dump = entries[it->entry].oldValue;
        const Dictionary& dictionary = dictionaryOf(it->lookup->table);
        if (!dictionary.readable)
            continue;
        const QHash<QString, QString>& names = *dictionary.names.constFind(pairOf(*it->lookup));
        dump.replace(it->value.start, it->value.length, shown(names, dump.mid(it->value.start, it->value.length)));
    }
    return int(dictionaries.size());
}

}  // namespace zel::DictionaryNames
