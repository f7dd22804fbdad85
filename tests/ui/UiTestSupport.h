#pragma once

#include "FakeDatabase.h"

#include "data/dataset/TADOConnection.h"
#include "data/dataset/TADOQuery.h"
#include "data/dataset/TDataSource.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <memory>

// Datasets over the in-memory database, and typing that works for Cyrillic
// (QTest::keyClicks aborts on non-ASCII text with this Qt).
namespace support {

inline void type(QWidget* target, const QString& text)
{
    for (QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

inline bool focus(QWidget* widget)
{
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([widget] { return widget->hasFocus(); }, 1000);
}

// One query over one fake table, with its data source.
struct Query {
    std::shared_ptr<zel::TADOConnection> connection;
    std::unique_ptr<zel::TADOQuery> query;
    std::unique_ptr<zel::TDataSource> source;

    Query(std::shared_ptr<zel::TADOConnection> conn, const QString& table)
        : connection(std::move(conn))
        , query(std::make_unique<zel::TADOQuery>(table))
        , source(std::make_unique<zel::TDataSource>(query.get()))
    {
        query->SetConnection(connection.get());
        query->SetSQL(QStringLiteral("select * from ") + table);
    }
    zel::TADOQuery& operator*() const { return *query; }
    zel::TADOQuery* operator->() const { return query.get(); }
};

inline std::shared_ptr<zel::TADOConnection> openConnection()
{
    fake::registerDriver();
    auto connection = std::make_shared<zel::TADOConnection>();
    connection->SetConnectionString(fake::connectionString());
    connection->Open();
    return connection;
}

}  // namespace support
