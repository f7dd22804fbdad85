#pragma once
// The demo database the child clerk programs share, and the running of those children.

#include "server/demo/DemoDatabase.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zel::test {

class SharedDemoDatabase {
public:
    explicit SharedDemoDatabase(int employees = 40)
    {
        m_path = m_dir.filePath(QStringLiteral("zel.db"));
        m_summary = server::createDemoDatabase(m_path, employees);
    }

    const QString& path() const { return m_path; }

    /// The editor account's connection string, as the bootstrap and sign-in build it.
    QString connectionString() const
    {
        const auto& login = m_summary.databaseAccounts.at(1);
        return "Provider=SQLOLEDB.1;Password=" + login.password + ";Persist Security Info=True;User ID="
            + login.login + ";Initial Catalog=" + m_summary.databaseName + ";Data Source=" + m_path
            + ";Use Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;"
              "Use Encryption for Data=False;Tag with column collation when possible=False";
    }

    /// A direct connection to the file, past the engine (for setup and checks).
    std::unique_ptr<server::schema::SqliteConnection> open() const
    {
        return std::make_unique<server::schema::SqliteConnection>(
            m_path, server::schema::SqliteConnection::Mode::OpenExisting);
    }

    /// The first column of every row of a query, as texts.
    QStringList column(const QString& sql) const
    {
        auto db = open();
        server::schema::SqliteStatement statement(db->handle(), sql);
        QStringList values;
        while (statement.step())
            values << statement.text(0);
        return values;
    }
    QString value(const QString& sql) const
    {
        const QStringList values = column(sql);
        return values.isEmpty() ? QStringLiteral("<no row>") : values.first();
    }
    void exec(const QString& sql) const
    {
        auto db = open();
        server::schema::execute(db->handle(), sql);
    }

    /// Employees with at least one job row, the first n of them.
    QStringList employeesWithJobs(int n) const
    {
        return column("select distinct ID_TEACHER from Work where ID_TEACHER > 1 order by ID_TEACHER limit "
                      + QString::number(n));
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    server::DemoSummary m_summary;
};

/// Starts the child clerk program (see CardSaverMain.cpp).
inline std::unique_ptr<QProcess> startSaver(const SharedDemoDatabase& db, const QString& login,
                                            const QString& fields, const QStringList& keys, qint64 count,
                                            qint64 first)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(ZEL_CARD_SAVER),
                   {db.connectionString(), login, fields, keys.join(u','), QString::number(count),
                    QString::number(first)});
    return process;
}

/// The line "ok <key> <text>" and the like split in its words (the message kept whole).
inline QStringList saverLine(const QByteArray& line)
{
    const QString text = QString::fromUtf8(line).trimmed();
    QStringList words = text.split(u' ');
    if (words.size() > 4)
        words = QStringList{words[0], words[1], words[2], words.mid(3).join(u' ')};
    return words;
}

/// The number at the end of a written text "<login>-<number>"; -1 for other texts.
inline qint64 textNumber(const QString& text)
{
    const qsizetype dash = text.lastIndexOf(u'-');
    bool ok = false;
    const qint64 n = dash < 0 ? -1 : text.mid(dash + 1).toLongLong(&ok);
    return ok ? n : -1;
}

}  // namespace zel::test
