#pragma once
// Shared by the address window tests: the demo database file reached directly (set-up
// rows, a failing trigger, the statement trace) and picks in lookup lists as a user
// makes them.

#include "tests/card/CardSession.h"

#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/server/SqliteFirstValue.h"
#include "ui/DbLookupComboBox.h"

#include <QStringList>

#include <memory>

namespace addresstest {

/// The demo database file of the running test, opened beside the embedded server.
class ServerFile {
public:
    ServerFile()
        : m_db(std::make_unique<zel::server::schema::SqliteConnection>(
              cardtest::DemoDatabase::instance().folder + u'/' + cardtest::DemoDatabase::instance().server,
              zel::server::schema::SqliteConnection::Mode::OpenExisting))
    {
    }

    void exec(const QString& sql) { zel::server::schema::execute(m_db->handle(), sql); }

    QStringList column(const QString& sql)
    {
        zel::server::schema::SqliteStatement statement(m_db->handle(), sql);
        QStringList values;
        while (statement.step())
            values << (statement.isNull(0) ? QStringLiteral("NULL") : statement.text(0));
        return values;
    }

    qint64 number(const QString& sql) { return zel::test::firstInteger(m_db->handle(), sql); }

    /// Every row as its columns' texts joined by "|" (NULL for null).
    QStringList rows(const QString& sql)
    {
        zel::server::schema::SqliteStatement statement(m_db->handle(), sql);
        QStringList result;
        while (statement.step()) {
            QStringList cells;
            for (int c = 0; c < statement.columnCount(); ++c)
                cells << (statement.isNull(c) ? QStringLiteral("NULL") : statement.text(c));
            result << cells.join(u'|');
        }
        return result;
    }

    qint64 keyOf(const char* table, const char* keyColumn, const char* nameColumn, const QString& name)
    {
        return number(QStringLiteral("SELECT %2 FROM %1 WHERE %3 = '%4'")
                          .arg(QLatin1String(table), QLatin1String(keyColumn), QLatin1String(nameColumn), name));
    }

    /// Switches the statement trace on and returns the last trace row's id.
    qint64 startTrace()
    {
        exec(QStringLiteral("INSERT OR REPLACE INTO zel_settings (name, value) VALUES ('trace', '1')"));
        return number(QStringLiteral("SELECT ifnull(max(id), 0) FROM zel_trace"));
    }
    void stopTrace() { exec(QStringLiteral("UPDATE zel_settings SET value = '0' WHERE name = 'trace'")); }
    /// The statements the server received after the trace row since.
    QStringList tracedSince(qint64 since)
    {
        return column(QStringLiteral("SELECT statement FROM zel_trace WHERE id > %1 ORDER BY id").arg(since));
    }

    qint64 lastLogId() { return number(QStringLiteral("SELECT ifnull(max(id_log), 0) FROM ZEL_LOG")); }

private:
    std::unique_ptr<zel::server::schema::SqliteConnection> m_db;
};

/// The texts a lookup list offers, in its order.
inline QStringList offered(const QComboBox* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->itemText(row);
    return texts;
}

/// Picks the entry with that text as a user does; false when the list does not offer it.
inline bool pick(zel::ui::DbLookupComboBox* list, const QString& text)
{
    const int row = list->findText(text);
    if (row < 0)
        return false;
    emit list->activated(row);
    return true;
}

}  // namespace addresstest
