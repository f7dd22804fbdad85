#pragma once

#include <QString>

#include <span>

struct sqlite3;

namespace zel::server {

/// A dictionary whose entries employee rows point at, and those pointers.
struct DictionaryUse {
    const char* dictionary;  ///< the table
    const char* key;         ///< its key column
    const char* name;        ///< the name the clerk knows it by
    struct Reference {
        const char* table;
        const char* column;
    };
    std::span<const Reference> references;
};

/// Refuses the deletion of a dictionary entry that employee rows still use, with
/// a message that names the dictionary and how many rows use the entry. There are
/// no foreign keys behind these columns on purpose (keys without a dictionary row
/// must stay writable), so the check runs on deletion only.
class DictionaryUseCheck {
public:
    /// The dictionaries checked.
    static std::span<const DictionaryUse> dictionaries();
    /// The refusal's text.
    static QString refusal(const QString& dictionaryName, qint64 rows);
    /// Installs the check on one connection (temporary triggers and their function);
    /// dictionaries the database lacks are skipped. Throws zel::DbError on failure.
    static void install(sqlite3* db);
};

}  // namespace zel::server
