#include "ServerTestDatabase.h"

#include "data/ConnectionParams.h"
#include "server/ServerHooks.h"
#include "server/engine/SqliteFunctions.h"

#include <sqlite3.h>

#include <stdexcept>

using namespace zel;

namespace {

const char* const kSchema = R"(
CREATE TABLE zel_settings(name TEXT PRIMARY KEY, value TEXT);
INSERT INTO zel_settings VALUES('database_name', 'ZEL');
CREATE TABLE zel_trace(id INTEGER PRIMARY KEY AUTOINCREMENT, at TEXT, login TEXT, statement TEXT);
CREATE TABLE TEACHER(
    id_teacher INTEGER PRIMARY KEY AUTOINCREMENT,
    p26 varchar(50) COLLATE ZEL_CI,
    p27 varchar(50) COLLATE ZEL_CI,
    p28 varchar(50) COLLATE ZEL_CI,
    birth date,
    ZEL_User varchar(30) COLLATE ZEL_CI,
    ZEL_Update datetime,
    salary float,
    rate decimal(18,0),
    is_active bit NOT NULL DEFAULT 1,
    tab_no smallint);
CREATE TABLE family_(
    id_family INTEGER PRIMARY KEY AUTOINCREMENT,
    id_teacher int NOT NULL REFERENCES TEACHER(id_teacher),
    fio nvarchar(100) COLLATE ZEL_CI,
    Date_of_birth date,
    code nchar(10) COLLATE ZEL_CI);
CREATE INDEX family_teacher ON family_(id_teacher);
CREATE TABLE specialPUM(id_special INTEGER PRIMARY KEY AUTOINCREMENT, "p25-2" varchar(100) COLLATE ZEL_CI);
CREATE TABLE ZEL_LOG(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    "table" varchar(50) COLLATE ZEL_CI,
    row_id int,
    descr varchar(500) COLLATE ZEL_CI,
    ZEL_User varchar(30) COLLATE ZEL_CI,
    comp varchar(200) COLLATE ZEL_CI,
    at datetime DEFAULT CURRENT_TIMESTAMP);
CREATE TABLE VuzDefaults(id_vuz_defaults int NOT NULL PRIMARY KEY, name varchar(100) COLLATE ZEL_CI,
    n_field varchar(250) COLLATE ZEL_CI);
INSERT INTO VuzDefaults VALUES (22, 'report', 'http://reports.local'), (23, 'update', 'http://updates.local');
CREATE TABLE Photo(id_photo INTEGER PRIMARY KEY AUTOINCREMENT, id_teacher int, photo image);
CREATE TABLE Codes(code varchar(10) COLLATE ZEL_CI PRIMARY KEY, label nvarchar(20) COLLATE ZEL_CI UNIQUE, amount int);
CREATE VIEW Teacher_Del AS SELECT id_teacher FROM TEACHER WHERE is_active = 0;
INSERT INTO TEACHER(p26, p27, p28, birth, salary, is_active, tab_no) VALUES
    ('Иванов', 'Иван', 'Иванович', '1970-05-01', 1000.5, 1, 10),
    ('ИВАНОВА', 'Мария', NULL, '1985-12-25', 2000, 1, 11),
    ('Петров', 'Пётр', 'Петрович', NULL, NULL, 0, 12),
    ('Ёлкин', 'Егор', NULL, '1990-01-31', 3000, 1, 13),
    ('Елисеев', 'Олег', 'Олегович', '1960-02-29', 4000, 1, 14),
    ('Smith', 'John', NULL, '1975-07-04', 500, 1, 15);
INSERT INTO family_(id_teacher, fio, Date_of_birth, code) VALUES
    (1, 'Иванова Анна', '1972-03-08', 'A1'), (1, 'Иванов Олег', '1995-10-10', 'A2'), (2, 'Сидоров', '1980-01-01', NULL);
INSERT INTO specialPUM("p25-2") VALUES ('Физика'), ('Химия');
)";

std::optional<server::Account> verifyTestAccount(sqlite3*, const QString& login, const QString& password)
{
    if (password != QLatin1String("pw"))
        return std::nullopt;
    static const std::pair<const char*, server::AccountRole> accounts[] = {
        {"editor", server::AccountRole::Editor},
        {"reader", server::AccountRole::ReadOnly},
        {"boot", server::AccountRole::Bootstrap},
        {"admin", server::AccountRole::Administrator},
    };
    for (const auto& [name, role] : accounts)
        if (login == QLatin1String(name))
            return server::Account{login, role};
    return std::nullopt;
}

}  // namespace

void ServerTestDatabase::installAccounts()
{
    server::setAccountVerifier(verifyTestAccount);
}

ServerTestDatabase::ServerTestDatabase()
{
    installAccounts();
    m_path = m_dir.filePath(QStringLiteral("zel.db"));
    sqlite3* db = nullptr;
    sqlite3_open(m_path.toUtf8().constData(), &db);
    server::registerServerFunctions(db);
    char* error = nullptr;
    if (sqlite3_exec(db, kSchema, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "schema failed";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    sqlite3_close(db);
}

QString ServerTestDatabase::connectionString(const QString& login, const QString& password, const QString& catalog) const
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;User ID=%1;Password=%2;Initial Catalog=%3;Data Source=%4")
        .arg(login, password, catalog, m_path);
}

std::unique_ptr<server::EmbeddedDriver> ServerTestDatabase::connect(const QString& login) const
{
    auto driver = std::make_unique<server::EmbeddedDriver>();
    driver->open(db::ConnectionParams::parse(connectionString(login)));
    return driver;
}

void ServerTestDatabase::exec(const QString& sql) const
{
    sqlite3* db = nullptr;
    sqlite3_open(m_path.toUtf8().constData(), &db);
    server::registerServerFunctions(db);
    sqlite3_busy_timeout(db, 10000);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message);
}

qint64 ServerTestDatabase::count(const QString& table) const
{
    sqlite3* db = nullptr;
    sqlite3_open(m_path.toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    const QByteArray sql = QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

QStringList columnTexts(const db::RowSet& rows, int column)
{
    QStringList out;
    for (int r = 0; r < rows.rowCount(); ++r) {
        if (rows.isNull(r, column)) {
            out << QStringLiteral("NULL");
            continue;
        }
        const QVariant v = rows.value(r, column);
        if (v.typeId() == QMetaType::QDateTime)
            out << v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        else
            out << v.toString();
    }
    return out;
}

QStringList columnTexts(const db::RowSet& rows, const QString& column)
{
    const int index = rows.columnIndex(column);
    if (index < 0)
        throw std::runtime_error("no such column in result: " + column.toStdString());
    return columnTexts(rows, index);
}
