// zel4-admin backup: a consistent copy of the embedded database while clerks work.
#include "AdminCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sqlite3.h>

#include <memory>

namespace zel::tools {

namespace {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

QString lastError(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("нет памяти");
}

SqliteHandle openDatabase(const QString& path, int flags, QString& error)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    SqliteHandle db(raw);
    if (rc != SQLITE_OK) {
        error = lastError(raw);
        return nullptr;
    }
    // Clerks may hold the write lock for a moment; wait rather than fail.
    sqlite3_busy_timeout(raw, 30000);
    return db;
}

// Copies the whole database in one backup step: the source is read inside one read
// transaction, so the copy is one consistent state even while others write (WAL).
bool copyDatabase(sqlite3* source, sqlite3* target, QString& error)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup) {
        error = lastError(target);
        return false;
    }
    int rc;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(50);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        error = lastError(target);
        return false;
    }
    return true;
}

bool integrityOk(sqlite3* db, QString& answer)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) != SQLITE_OK) {
        answer = lastError(db);
        return false;
    }
    answer.clear();
    while (sqlite3_step(statement) == SQLITE_ROW)
        answer += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return answer == u"ok";
}

int backup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString source = optionValue(args, QStringLiteral("--db"));
    const QString target = optionValue(args, QStringLiteral("--out"));
    if (source.isEmpty() || target.isEmpty()) {
        err << "usage: zel4-admin backup --db PATH --out FILE\n";
        return 2;
    }
    if (!QFileInfo::exists(source)) {
        err << "Нет файла базы данных \"" << QDir::toNativeSeparators(source) << "\".\n";
        return 1;
    }
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
        err << "Копия не может заменить саму базу данных.\n";
        return 2;
    }
    // The copy is made beside the target and renamed at the end, so a failed
    // backup never leaves a half-written file under the target's name.
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    QString error;
    {
        SqliteHandle from = openDatabase(source, SQLITE_OPEN_READONLY, error);
        if (!from) {
            err << "Не удалось открыть базу данных \"" << source << "\": " << error << "\n";
            return 1;
        }
        SqliteHandle to = openDatabase(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        if (!to || !copyDatabase(from.get(), to.get(), error)) {
            to.reset();
            QFile::remove(partial);
            err << "Копия не сделана: " << error << "\n";
            return 1;
        }
        QString check;
        if (!integrityOk(to.get(), check)) {
            to.reset();
            QFile::remove(partial);
            err << "Копия не прошла проверку целостности: " << check << "\n";
            return 1;
        }
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        err << "Не удалось записать файл \"" << QDir::toNativeSeparators(target) << "\".\n";
        return 1;
    }
    QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    out << "Копия базы данных записана в " << QDir::toNativeSeparators(target) << " ("
        << QFileInfo(target).size() << " байт), проверка целостности: ok\n";
    return 0;
}

const AdminCommandRegistration registration({
    "backup",
    "backup --db PATH --out FILE   consistent copy of the embedded database, also while clerks work",
    &backup,
});

}  // namespace
}  // namespace zel::tools
