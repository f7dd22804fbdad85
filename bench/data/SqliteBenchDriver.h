#pragma once

#include "data/DbError.h"
#include "data/Driver.h"

#include <sqlite3.h>

#include <string>

namespace zel::bench {

/// The smallest driver over an SQLite database the benchmarks need: query() is a
/// step loop that fills the snapshot; writes are not offered.
class SqliteBenchDriver : public db::Driver {
public:
    explicit SqliteBenchDriver(sqlite3* db) : m_db(db) {}

    void open(const db::ConnectionParams&) override {}
    void close() override {}
    bool isOpen() const override { return true; }

    void query(const QString& sql, db::RowSet& result) override
    {
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        const int columns = sqlite3_column_count(stmt);
        std::vector<db::ColumnInfo> infos(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            auto& info = infos[std::size_t(c)];
            info.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
            const char* declared = sqlite3_column_decltype(stmt, c);
            info.type = declared ? db::parseSqlTypeName(QString::fromLatin1(declared), &info.size)
                                 : db::SqlType::Unknown;
            if (const char* table = sqlite3_column_table_name(stmt, c)) {
                info.baseTable = QString::fromUtf8(table);
                info.baseColumn = QString::fromUtf8(sqlite3_column_origin_name(stmt, c));
            }
            info.key = info.identity = c == 0;
        }
        result.setColumns(std::move(infos));
        std::vector<db::CellKind> kinds;
        for (int c = 0; c < columns; ++c)
            kinds.push_back(result.kindOf(c));
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            result.beginRow();
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_NULL)
                    continue;
                switch (kinds[std::size_t(c)]) {
                case db::CellKind::Integer:
                    result.setInteger(c, sqlite3_column_int64(stmt, c));
                    break;
                case db::CellKind::Boolean:
                    result.setBoolean(c, sqlite3_column_int(stmt, c) != 0);
                    break;
                case db::CellKind::Real:
                    result.setReal(c, sqlite3_column_double(stmt, c));
                    break;
                case db::CellKind::DateTime:
                    result.setDateTime(c, sqlite3_column_int64(stmt, c));
                    break;
                case db::CellKind::Text:
                case db::CellKind::Blob: {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, c));
                    result.setText(c, {bytes, std::size_t(sqlite3_column_bytes(stmt, c))});
                    break;
                }
                }
            }
        }
        sqlite3_finalize(stmt);
    }

    qint64 execute(const QString& sql) override
    {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const QString message = QString::fromUtf8(error);
            sqlite3_free(error);
            throw DbError(message);
        }
        return sqlite3_changes(m_db);
    }
    qint64 update(const QString&, const QString&, const QVariant&, const std::vector<db::ColumnValue>&) override
    {
        throw DbError("not offered");
    }
    QVariant insert(const QString&, const std::vector<db::ColumnValue>&, const QString&) override
    {
        throw DbError("not offered");
    }
    qint64 remove(const QString&, const QString&, const QVariant&) override { throw DbError("not offered"); }
    void callProcedure(const QString&, std::vector<db::ProcedureParameter>&) override
    {
        throw DbError("not offered");
    }

private:
    sqlite3* m_db;
};

}  // namespace zel::bench
