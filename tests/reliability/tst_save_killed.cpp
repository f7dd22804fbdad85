// A clerk's program killed with SIGKILL at random moments in the middle of saving
// cards. After every kill the database opens and is sound, every job row is wholly
// at its old or its new texts, no audit row tells of a change that is not stored, and
// no stored change lacks its audit row.

#include "SaverProcesses.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <random>

namespace zel::test {
namespace {

TEST(SaveKilled, EveryKillLeavesWholeRowsAndTruthfulAudit)
{
    SharedDemoDatabase db;
    const QStringList keys = db.employeesWithJobs(4);
    ASSERT_EQ(keys.size(), 4);
    const QString rows = "select id_Work from Work where ID_TEACHER in (" + keys.join(u',') + ")";
    // Both texts of a row start equal; the saver always writes them together.
    db.exec("update Work set Doljnost='crash-0', Name_org='crash-0' where id_Work in (" + rows + ")");
    const QString workRows = db.value("select count(*) from Work");
    const int firstLog = db.value("select coalesce(max(id_log), 0) from ZEL_LOG").toInt();

    const int kills = qEnvironmentVariableIntValue("ZEL_CRASH_KILLS") > 0
        ? qEnvironmentVariableIntValue("ZEL_CRASH_KILLS") : 50;
    std::mt19937 dice(19);
    std::uniform_int_distribution<int> pause(5, 250);
    int saves = 0;
    int killedMidway = 0;
    for (int kill = 1; kill <= kills; ++kill) {
        auto saver = startSaver(db, QStringLiteral("crash"), QStringLiteral("Doljnost+Name_org"), keys, -1,
                                qint64(kill) * 100000);
        ASSERT_TRUE(saver->waitForStarted(10000));
        // Wait for the sign-in, then let it save for a while.
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("ready") && clock.elapsed() < 30000 && saver->waitForReadyRead(30000))
            out += saver->readAllStandardOutput();
        ASSERT_TRUE(out.contains("ready")) << out.constData();
        QThread::msleep(unsigned(pause(dice)));
        saver->kill();  // SIGKILL
        ASSERT_TRUE(saver->waitForFinished(10000));
        ASSERT_EQ(saver->exitStatus(), QProcess::CrashExit) << "the saver ended before it was killed";
        out += saver->readAllStandardOutput();
        const int landed = int(out.count("\nok "));
        saves += landed;
        killedMidway += landed > 0 ? 1 : 0;
        EXPECT_FALSE(out.contains("\nerror ")) << out.constData();

        const std::string when = "after kill " + std::to_string(kill);
        ASSERT_EQ(db.value("PRAGMA integrity_check"), "ok") << when;
        EXPECT_EQ(db.value("select count(*) from Work"), workRows) << when;
        EXPECT_EQ(db.value("select count(*) from Work where id_Work in (" + rows + ") and Doljnost<>Name_org"), "0")
            << "a half-written row " << when;

        // Every audit row of the saver names a change its row holds (or has gone past).
        const QStringList audit = db.column(
            "select coalesce(w.Doljnost, '<no row>') || '|' || l.descr from ZEL_LOG l left join Work w on w.id_Work = l.row_id"
            " where l.ZEL_User = 'crash' and l.id_log > " + QString::number(firstLog));
        for (const QString& entry : audit) {
            const QString descr = entry.section(u'|', 1);
            const qsizetype at = descr.lastIndexOf(QStringLiteral("на \""));
            ASSERT_GE(at, 0) << descr.toStdString();
            const qint64 logged = textNumber(descr.mid(at + 4).chopped(2));
            const qint64 stored = textNumber(entry.section(u'|', 0, 0));
            EXPECT_GE(stored, logged) << "audit ahead of its row " << when << ": " << entry.toStdString();
        }
        // And every stored change has its audit row: they are written together.
        for (const char* field : {"Doljnost", "Name_org"}) {
            const QStringList unaudited = db.column(
                QStringLiteral("select w.id_Work || ' ' || w.%1 from Work w where w.id_Work in (%2) and w.%1 <> 'crash-0'"
                               " and not exists (select 1 from ZEL_LOG l where l.row_id = w.id_Work"
                               " and l.ZEL_User = 'crash' and l.descr like '%\"%1\"%на \"' || w.%1 || '\".')")
                    .arg(QLatin1String(field), rows));
            EXPECT_TRUE(unaudited.isEmpty()) << "a stored change without its audit row " << when << ": "
                                             << unaudited.join(u';').toStdString();
        }
    }
    std::printf("%d kills, %d saves landed in all, %d kills after at least one save\n", kills, saves, killedMidway);
    EXPECT_GT(saves, 0);
    EXPECT_GT(killedMidway, 0);
}

}  // namespace
}  // namespace zel::test
