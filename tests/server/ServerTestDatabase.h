#pragma once

#include "data/RowSet.h"
#include "server/engine/EmbeddedDriver.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/// A small personnel-like database in a temporary folder for engine tests,
/// with accounts "editor", "reader", "boot" and "admin" (password "pw").
class ServerTestDatabase {
public:
    ServerTestDatabase();

    QString path() const { return m_path; }
    QString connectionString(const QString& login, const QString& password = QStringLiteral("pw"),
                             const QString& catalog = QStringLiteral("ZEL")) const;
    std::unique_ptr<zel::server::EmbeddedDriver> connect(const QString& login = QStringLiteral("editor")) const;

    /// Runs SQLite statements directly (setup and checks that bypass the engine).
    void exec(const QString& sql) const;
    qint64 count(const QString& table) const;

    /// Installs the test account verifier (idempotent).
    static void installAccounts();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

/// The cells of one column as texts ("NULL" for null), for compact assertions.
QStringList columnTexts(const zel::db::RowSet& rows, int column);
QStringList columnTexts(const zel::db::RowSet& rows, const QString& column);
