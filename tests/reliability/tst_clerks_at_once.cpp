// Four clerk processes on one database, saving the same employees' job rows in a
// loop: two of them write the same field, the other two a field each. Every save
// lands with its audit row or, only where two wrote the same field, fails with the
// "changed by another user" message; in the end the stored texts and the audit rows
// add up exactly and no clerk waited out a lock.

#include "SaverProcesses.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>

namespace zel::test {
namespace {

struct Clerk {
    QString login;
    QString field;
    std::unique_ptr<QProcess> process;
    QHash<QString, QString> lastLanded;  // by employee key
    QSet<QString> landed;
    int conflicts = 0;
    QStringList errors;
};

TEST(ClerksAtOnce, SavesLandWithTheirAuditOrFailAsChangedByAnother)
{
    SharedDemoDatabase db;
    const QStringList keys = db.employeesWithJobs(2);
    ASSERT_EQ(keys.size(), 2);
    const QString workRows = db.value("select count(*) from Work");
    QHash<QString, QString> initialTitles;  // by id_Work
    for (const QString& entry : db.column("select id_Work || '|' || coalesce(Doljnost, 'NULL') from Work where ID_TEACHER in ("
                                          + keys.join(u',') + ")"))
        initialTitles.insert(entry.section(u'|', 0, 0), entry.section(u'|', 1));
    const int firstLog = db.value("select coalesce(max(id_log), 0) from ZEL_LOG").toInt();
    const int savesEach = qEnvironmentVariableIntValue("ZEL_CLERK_SAVES") > 0
        ? qEnvironmentVariableIntValue("ZEL_CLERK_SAVES") : 40;

    Clerk clerks[] = {{"anna", "Doljnost", {}, {}, {}, 0, {}},
                      {"boris", "Doljnost", {}, {}, {}, 0, {}},
                      {"vera", "Adress", {}, {}, {}, 0, {}},
                      {"gleb", "FIO_Dir", {}, {}, {}, 0, {}}};
    for (Clerk& clerk : clerks) {
        clerk.process = startSaver(db, clerk.login, clerk.field, keys, savesEach, 1);
        ASSERT_TRUE(clerk.process->waitForStarted(10000));
    }
    int landedInAll = 0;
    for (Clerk& clerk : clerks) {
        ASSERT_TRUE(clerk.process->waitForFinished(300000)) << clerk.login.toStdString();
        ASSERT_EQ(clerk.process->exitCode(), 0) << clerk.login.toStdString();
        const QList<QByteArray> lines = clerk.process->readAllStandardOutput().split('\n');
        int answered = 0;
        for (const QByteArray& line : lines) {
            const QStringList words = saverLine(line);
            if (words.size() < 3)
                continue;
            ++answered;
            if (words[0] == "ok") {
                clerk.landed.insert(words[2]);
                clerk.lastLanded[words[1]] = words[2];
            } else if (words[0] == "conflict") {
                ++clerk.conflicts;
            } else {
                clerk.errors << line;
            }
        }
        EXPECT_EQ(answered, savesEach) << clerk.login.toStdString();
        EXPECT_TRUE(clerk.errors.isEmpty()) << clerk.login.toStdString() << ": "
                                            << clerk.errors.join(u'\n').toStdString();
        landedInAll += int(clerk.landed.size());
    }

    // Only the two clerks on the same field can be told the row changed meanwhile.
    EXPECT_EQ(clerks[2].conflicts, 0);
    EXPECT_EQ(clerks[3].conflicts, 0);
    EXPECT_EQ(int(clerks[2].landed.size()), savesEach);
    EXPECT_EQ(int(clerks[3].landed.size()), savesEach);

    // Nothing added or lost among the rows.
    EXPECT_EQ(db.value("select count(*) from Work"), workRows);
    // One audit row per landed save, carrying exactly the texts that landed.
    for (const Clerk& clerk : clerks) {
        const QStringList audit = db.column("select descr from ZEL_LOG where ZEL_User='" + clerk.login
                                            + "' and id_log>" + QString::number(firstLog));
        QSet<QString> logged;
        for (const QString& descr : audit) {
            EXPECT_TRUE(descr.startsWith("Поле \"" + clerk.field + "\"")) << descr.toStdString();
            const qsizetype at = descr.lastIndexOf(QStringLiteral("на \""));
            logged.insert(descr.mid(at + 4).chopped(2));
        }
        EXPECT_EQ(audit.size(), clerk.landed.size()) << clerk.login.toStdString();
        EXPECT_EQ(logged, clerk.landed) << clerk.login.toStdString();
    }
    // The stored texts are the last ones that landed, each in one row only.
    for (const QString& key : keys) {
        const QString written = "select %1 from Work where ID_TEACHER=" + key + " and %1 like '%2-%'";
        EXPECT_EQ(db.column(written.arg("Adress", "vera")), QStringList{clerks[2].lastLanded.value(key)});
        EXPECT_EQ(db.column(written.arg("FIO_Dir", "gleb")), QStringList{clerks[3].lastLanded.value(key)});
        const QStringList titles = db.column(written.arg("Doljnost", "anna")) + db.column(written.arg("Doljnost", "boris"));
        ASSERT_EQ(titles.size(), 1) << titles.join(u',').toStdString();
        EXPECT_TRUE(titles[0] == clerks[0].lastLanded.value(key) || titles[0] == clerks[1].lastLanded.value(key))
            << titles[0].toStdString();
    }
    // Per row, the audited changes of the shared field form one unbroken chain from the
    // text before the run to the one stored: no save overwrote a change it had not seen.
    const QRegularExpression change(QStringLiteral("^Поле \"Doljnost\" изменило значение \"(.*)\" на \"(.*)\"\\.$"));
    for (const QString& row : db.column("select distinct row_id from ZEL_LOG where [table]='Work' and ZEL_User in "
                                        "('anna', 'boris') and id_log>" + QString::number(firstLog))) {
        QHash<QString, QString> next;
        for (const QString& descr : db.column("select descr from ZEL_LOG where [table]='Work' and row_id=" + row
                                              + " and ZEL_User in ('anna', 'boris') and id_log>"
                                              + QString::number(firstLog))) {
            const auto match = change.match(descr);
            ASSERT_TRUE(match.hasMatch()) << descr.toStdString();
            EXPECT_FALSE(next.contains(match.captured(1))) << "two saves changed the same text: " << descr.toStdString();
            next.insert(match.captured(1), match.captured(2));
        }
        QString text = initialTitles.value(row);
        qsizetype steps = 0;
        while (next.contains(text) && steps <= next.size()) {
            text = next.value(text);
            ++steps;
        }
        EXPECT_EQ(steps, next.size()) << "row " << row.toStdString();
        EXPECT_EQ(text, db.value("select Doljnost from Work where id_Work=" + row)) << "row " << row.toStdString();
    }
    EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok");
    std::printf("4 clerks, %d saves tried, %d landed, %d refused as changed by another user\n", 4 * savesEach,
                landedInAll, clerks[0].conflicts + clerks[1].conflicts);
}

}  // namespace
}  // namespace zel::test
