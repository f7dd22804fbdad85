#include "server/engine/ResultReader.h"

#include "server/engine/DateText.h"
#include "server/engine/SchemaCatalog.h"

#include <sqlite3.h>

#include <cmath>

namespace zel::server {

namespace {

using db::CellKind;
using db::SqlType;

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

std::string_view cellBytes(sqlite3_stmt* st, int i, bool blob)
{
    const void* data = blob ? sqlite3_column_blob(st, i) : static_cast<const void*>(sqlite3_column_text(st, i));
    const int n = sqlite3_column_bytes(st, i);
    return {static_cast<const char*>(data), data ? std::size_t(n) : 0};
}

void readCell(sqlite3_stmt* st, int i, CellKind kind, db::RowSet& out)
{
    const int type = sqlite3_column_type(st, i);
    if (type == SQLITE_NULL)
        return;  // beginRow() left it NULL
    switch (kind) {
    case CellKind::Integer:
        if (type == SQLITE_INTEGER) {
            out.setInteger(i, sqlite3_column_int64(st, i));
        } else if (type == SQLITE_FLOAT) {
            out.setInteger(i, std::int64_t(std::trunc(sqlite3_column_double(st, i))));
        } else {
            bool ok = false;
            const auto bytes = cellBytes(st, i, false);
            const qlonglong v = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())).trimmed().toLongLong(&ok);
            if (ok)
                out.setInteger(i, v);
        }
        break;
    case CellKind::Real:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            out.setReal(i, sqlite3_column_double(st, i));
        } else {
            bool ok = false;
            const auto bytes = cellBytes(st, i, false);
            const double v = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())).trimmed().toDouble(&ok);
            if (ok)
                out.setReal(i, v);
        }
        break;
    case CellKind::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            out.setBoolean(i, sqlite3_column_double(st, i) != 0);
        } else {
            const auto bytes = cellBytes(st, i, false);
            const QByteArray t = QByteArray(bytes.data(), qsizetype(bytes.size())).trimmed().toLower();
            if (t == "1" || t == "true")
                out.setBoolean(i, true);
            else if (t == "0" || t == "false")
                out.setBoolean(i, false);
        }
        break;
    case CellKind::DateTime:
        if (type == SQLITE_TEXT) {
            const auto bytes = cellBytes(st, i, false);
            if (const auto value = DateText::parseStored(bytes.data(), int(bytes.size())))
                out.setDateTime(i, db::toCellDateTime(*value));
        } else if (type == SQLITE_FLOAT || type == SQLITE_INTEGER) {
            // A number in a date column is a Julian day, as SQLite's date functions write it.
            const double julian = sqlite3_column_double(st, i);
            const auto day = qint64(std::floor(julian + 0.5));
            const double fraction = julian + 0.5 - double(day);
            out.setDateTime(i, db::toCellDateTime(QDateTime(QDate::fromJulianDay(day),
                                                            QTime::fromMSecsSinceStartOfDay(int(fraction * 86400000.0)))));
        }
        break;
    case CellKind::Blob:
        out.setBlob(i, cellBytes(st, i, true));
        break;
    case CellKind::Text:
        out.setText(i, cellBytes(st, i, false));
        break;
    }
}

// The type of a computed column, from its first value: text by default.
SqlType typeOfValue(int storage)
{
    switch (storage) {
    case SQLITE_INTEGER: return SqlType::BigInt;
    case SQLITE_FLOAT: return SqlType::Float;
    case SQLITE_BLOB: return SqlType::VarBinary;
    default: return SqlType::NVarChar;
    }
}

}  // namespace

std::vector<db::ColumnInfo> ResultReader::columns(sqlite3_stmt* st, const SchemaCatalog& catalog,
                                                  const QStringList& writableTables)
{
    std::vector<db::ColumnInfo> columns;
    const int count = sqlite3_column_count(st);
    columns.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        db::ColumnInfo c;
        c.name = utf8(sqlite3_column_name(st, i));
        const char* declared = sqlite3_column_decltype(st, i);
        if (declared) {
            c.type = db::parseSqlTypeName(utf8(declared), &c.size, &c.precision, &c.scale);
            if (c.type == SqlType::Unknown)
                c.type = SqlType::NVarChar;
        } else {
            c.type = SqlType::NVarChar;
            c.size = -1;
        }
        const QString table = utf8(sqlite3_column_table_name(st, i));
        const QString origin = utf8(sqlite3_column_origin_name(st, i));
        if (!table.isEmpty() && writableTables.contains(table, Qt::CaseInsensitive)) {
            if (const CatalogTable* t = catalog.find(table)) {
                if (const CatalogColumn* col = t->column(origin)) {
                    c.baseTable = t->name;
                    c.baseColumn = col->name;
                    c.key = col->primaryKey;
                    c.identity = col->identity;
                    c.nullable = !col->notNull;
                    if (col->identity)
                        c.type = SqlType::Int;
                }
            }
        }
        columns.push_back(std::move(c));
    }
    return columns;
}

int ResultReader::read(sqlite3_stmt* st, const SchemaCatalog& catalog, const QStringList& writableTables,
                       db::RowSet& out, const QHash<QString, int>* textSizes)
{
    std::vector<db::ColumnInfo> infos = columns(st, catalog, writableTables);
    const int count = int(infos.size());
    std::vector<bool> computed(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        computed[std::size_t(i)] = sqlite3_column_decltype(st, i) == nullptr;
        if (computed[std::size_t(i)] && textSizes)
            infos[std::size_t(i)].size = textSizes->value(infos[std::size_t(i)].name.toLower(), -1);
    }

    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        for (int i = 0; i < count; ++i)
            if (computed[std::size_t(i)]) {
                infos[std::size_t(i)].type = typeOfValue(sqlite3_column_type(st, i));
                if (!db::isTextType(infos[std::size_t(i)].type))
                    infos[std::size_t(i)].size = 0;
            }
    }
    out.setColumns(std::move(infos));
    std::vector<CellKind> kinds(static_cast<std::size_t>(count));
    std::vector<int> padTo(static_cast<std::size_t>(count), 0);  // fixed-length texts come back blank-padded
    for (int i = 0; i < count; ++i) {
        kinds[std::size_t(i)] = out.kindOf(i);
        const auto& c = out.columns()[std::size_t(i)];
        if ((c.type == SqlType::Char || c.type == SqlType::NChar) && c.size > 0)
            padTo[std::size_t(i)] = c.size;
    }
    std::string padded;
    while (rc == SQLITE_ROW) {
        out.beginRow();
        for (int i = 0; i < count; ++i) {
            if (padTo[std::size_t(i)] > 0 && sqlite3_column_type(st, i) != SQLITE_NULL) {
                padded.assign(cellBytes(st, i, false));
                int characters = 0;
                for (const char byte : padded)
                    characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
                if (characters < padTo[std::size_t(i)])
                    padded.append(std::size_t(padTo[std::size_t(i)] - characters), ' ');
                out.setText(i, padded);
                continue;
            }
            readCell(st, i, kinds[std::size_t(i)], out);
        }
        rc = sqlite3_step(st);
    }
    return rc;
}

}  // namespace zel::server
