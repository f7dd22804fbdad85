#pragma once

#include "FakeDriver.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TField.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zel::test {

using namespace Qt::StringLiterals;

/// A connection to a fresh fake server holding a TEACHER-like table, and a helper
/// that records dataset events in order.
class DataSetFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        server = FakeRegistry::use();
        using db::SqlType;
        server->addTable(QStringLiteral("TEACHER"),
                         {FakeServer::identity(QStringLiteral("id_teacher")),
                          FakeServer::column(QStringLiteral("p26"), SqlType::VarChar, 50),
                          FakeServer::column(QStringLiteral("p27"), SqlType::VarChar, 50),
                          FakeServer::column(QStringLiteral("ZEL_User"), SqlType::VarChar, 20),
                          FakeServer::column(QStringLiteral("ZEL_Update"), SqlType::Date),
                          FakeServer::column(QStringLiteral("status"), SqlType::Bit)});
        server->addRow(QStringLiteral("TEACHER"), {1, u"Иванов"_s, u"Иван"_s, u"adm"_s, QDate(2020, 1, 2), true});
        server->addRow(QStringLiteral("TEACHER"), {2, u"Петров"_s, u"Пётр"_s, u"adm"_s, QVariant(), false});
        server->addRow(QStringLiteral("TEACHER"), {3, u"Сидоров"_s, u"Семён"_s, QVariant(), QVariant(), true});
        connection.SetConnectionString(FakeRegistry::connectionString());
        query.SetConnection(&connection);
        query.SetSQL(QStringLiteral("select * from TEACHER"));
    }

    /// Installs recording handlers for every event of the dataset.
    void record(TDataSet& ds)
    {
        auto add = [this](const char* name) {
            return [this, name](TDataSet&) { events << QString::fromLatin1(name); };
        };
        ds.BeforeInsert = add("BeforeInsert");
        ds.AfterInsert = add("AfterInsert");
        ds.AfterEdit = add("AfterEdit");
        ds.BeforePost = add("BeforePost");
        ds.AfterPost = add("AfterPost");
        ds.AfterCancel = add("AfterCancel");
        ds.BeforeDelete = add("BeforeDelete");
        ds.AfterDelete = add("AfterDelete");
        ds.AfterScroll = add("AfterScroll");
        ds.AfterOpen = add("AfterOpen");
    }

    /// Server calls other than queries, in order.
    QStringList writes() const
    {
        QStringList result;
        for (const QString& line : server->log)
            if (!line.startsWith(u"query: "))
                result << line;
        return result;
    }

    std::shared_ptr<FakeServer> server;
    TADOConnection connection;
    TADOQuery query{QStringLiteral("ADO_TEACHER")};
    QStringList events;
};

}  // namespace zel::test
