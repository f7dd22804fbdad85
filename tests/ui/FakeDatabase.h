#pragma once

#include "data/ColumnInfo.h"
#include "data/Driver.h"

#include <QString>
#include <QVariant>

#include <map>
#include <vector>

// An in-memory database behind the Driver interface, for the toolkit tests.
// "select * from T" returns table T; posts and deletes change it. The first
// column of every table is its integer identity key.
namespace fake {

struct Table {
    QString name;
    std::vector<zel::db::ColumnInfo> columns;
    std::vector<std::vector<QVariant>> rows;
    qint64 nextId = 1;

    // Appends a row; the identity is assigned when values[0] is null.
    qint64 add(std::vector<QVariant> values);
    int columnIndex(const QString& column) const;
    const std::vector<QVariant>* rowWithKey(const QVariant& key) const;
};

struct Column {
    QString name;
    zel::db::SqlType type;
    int size = 0;
};

class Database {
public:
    static Database& instance();
    void reset() { m_tables.clear(); m_writes = 0; }
    // The first column becomes the identity key.
    Table& create(const QString& name, const std::vector<Column>& columns);
    Table& table(const QString& name);
    int writes() const { return m_writes; }
    void countWrite() { ++m_writes; }

private:
    std::map<QString, Table> m_tables;
    int m_writes = 0;
};

// Registers the driver once; connection strings naming Provider=Fake reach it.
void registerDriver();
inline QString connectionString() { return QStringLiteral("Provider=Fake;Data Source=memory"); }

}  // namespace fake
