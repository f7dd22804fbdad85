// The card's save road (sections posted through the embedded server with the change
// history and the audit rows) while the disk fails: the Nth write, sync or lock of the
// database files fails once, for N = 1, 2, ... until a save gets through untouched.
// After every failure the clerk has the error text and the typed values, the file is
// sound, no audit row tells of a change that is not stored, and the retry saves once.

#include "FaultInjectingVfs.h"
#include "tests/data/modules/CardFixture.h"

#include "data/modules/SaveSequence.h"
#include "server/schema/SqliteConnection.h"
#include "server/schema/SqliteStatement.h"
#include "tests/server/SqliteFirstValue.h"

#include <cstdio>

namespace zel::test {
namespace {

using server::schema::SqliteConnection;
using server::schema::SqliteStatement;

struct FaultKind {
    FaultInjectingVfs::Operation operation;
    FaultInjectingVfs::Failure failure;
};

class SaveUnderFaults : public CardTest {
protected:
    static void SetUpTestSuite()
    {
        FaultInjectingVfs::install();  // before any connection opens
        ModulesTest::SetUpTestSuite();
    }
    void TearDown() override { FaultInjectingVfs::disarm(); }

    // Reads straight from the file, past the driver and its caches.
    static qint64 count(const QString& sql)
    {
        SqliteConnection direct(path, SqliteConnection::Mode::OpenExisting);
        return firstInteger(direct.handle(), sql);
    }
    static QString text(const QString& sql)
    {
        SqliteConnection direct(path, SqliteConnection::Mode::OpenExisting);
        return firstText(direct.handle(), sql, QStringLiteral("<no row>"));
    }

    /// Loads the card and types the two changes: a job title edited, an award added.
    void type(const QString& marker)
    {
        load(kEmployee);
        if (dm.ADOQ_Work.IsEmpty()) {
            dm.ADOQ_Work.Append();
        } else {
            dm.ADOQ_Work.Last();
            dm.ADOQ_Work.Edit();
        }
        dm.ADOQ_Work.FieldByName("Doljnost")->SetAsString(marker);
        dm.ADOQ_Nagrada.Append();
        dm.ADOQ_Nagrada.FieldByName("nagrada")->SetAsString(marker);
    }

    /// What the database holds of one attempt, read directly.
    struct Stored {
        qint64 titles, awards, auditRows;
    };
    Stored stored(const QString& marker)
    {
        const QString literal = "'" + marker + "'";
        return {count("select count(*) from Work where id_teacher=" + QString::number(kEmployee)
                      + " and Doljnost=" + literal),
                count("select count(*) from Nagrada where id_teacher=" + QString::number(kEmployee)
                      + " and nagrada=" + literal),
                count("select count(*) from ZEL_LOG where descr like '%" + marker + "%'")};
    }

    /// Runs one save with the fault armed at nth; true when the fault struck.
    bool attempt(const FaultKind& kind, int nth)
    {
        const QString marker = QStringLiteral("Должность %1-%2-%3")
                                   .arg(int(kind.operation))
                                   .arg(int(kind.failure))
                                   .arg(nth);
        type(marker);
        FaultInjectingVfs::arm(kind.operation, nth, kind.failure);
        QString error;
        try {
            SaveSequence::PostSections(dm, history);
        } catch (const Error& e) {
            error = e.message();
        }
        const bool struck = FaultInjectingVfs::fired();
        FaultInjectingVfs::disarm();
        const std::string where = marker.toStdString();

        if (!error.isEmpty()) {
            EXPECT_TRUE(struck) << where << ": failed without a fault: " << error.toStdString();
            // The section that failed keeps the typed text and stays open for a retry.
            TDataSet& failed = dm.ADOQ_Work.State() != dsBrowse ? static_cast<TDataSet&>(dm.ADOQ_Work)
                                                                : static_cast<TDataSet&>(dm.ADOQ_Nagrada);
            EXPECT_TRUE(failed.State() == dsEdit || failed.State() == dsInsert) << where;
            EXPECT_EQ(dm.ADOQ_Nagrada.FieldByName("nagrada")->AsString(), marker) << where;
            if (dm.ADOQ_Work.State() == dsEdit) {
                EXPECT_EQ(dm.ADOQ_Work.FieldByName("Doljnost")->AsString(), marker) << where;
            }
        } else {
            EXPECT_EQ(dm.ADOQ_Work.State(), dsBrowse) << where;
            EXPECT_EQ(dm.ADOQ_Nagrada.State(), dsBrowse) << where;
        }

        EXPECT_EQ(text("PRAGMA integrity_check"), "ok") << where;
        const Stored before = stored(marker);
        // The edited title is stored together with its audit row or not at all, and
        // what is stored is no longer pending; what is pending is not stored.
        EXPECT_EQ(before.auditRows, before.titles) << where;
        EXPECT_LE(before.titles, 1) << where;
        EXPECT_LE(before.awards, 1) << where;
        EXPECT_EQ(before.titles == 1, dm.ADOQ_Work.State() == dsBrowse) << where;
        EXPECT_EQ(before.awards == 1, dm.ADOQ_Nagrada.State() == dsBrowse) << where;
        if (!error.isEmpty()) {
            EXPECT_NO_THROW(SaveSequence::PostSections(dm, history)) << where;  // the retry
            ++survived;
        }
        const Stored after = stored(marker);
        EXPECT_EQ(after.titles, 1) << where;
        EXPECT_EQ(after.awards, 1) << where;
        EXPECT_EQ(after.auditRows, 1) << where;
        return struck && !error.isEmpty();
    }

    /// N = 1, 2, ... until a save passes with no fault left to strike.
    void walk(const FaultKind& kind)
    {
        int nth = 1;
        for (; nth <= 400; ++nth) {
            const bool failed = attempt(kind, nth);
            if (!failed && !FaultInjectingVfs::fired())
                break;
            if (HasFailure())
                return;
        }
        EXPECT_LT(nth, 400) << "the save never got past the faults";
        std::printf("%s: %d injected faults survived, the save passed at N=%d\n",
                    FaultInjectingVfs::describe(kind.operation, kind.failure).toUtf8().constData(), survived, nth);
    }

    static constexpr int kEmployee = 17;
    int survived = 0;
};

TEST_F(SaveUnderFaults, FailedWriteIoError)
{
    walk({FaultInjectingVfs::Operation::Write, FaultInjectingVfs::Failure::IoError});
    EXPECT_GT(survived, 0);
}

TEST_F(SaveUnderFaults, FailedWriteDiskFull)
{
    walk({FaultInjectingVfs::Operation::Write, FaultInjectingVfs::Failure::DiskFull});
    EXPECT_GT(survived, 0);
}

TEST_F(SaveUnderFaults, FailedSync)
{
    walk({FaultInjectingVfs::Operation::Sync, FaultInjectingVfs::Failure::IoError});
    EXPECT_GT(survived, 0);
}

TEST_F(SaveUnderFaults, FailedLock)
{
    walk({FaultInjectingVfs::Operation::Lock, FaultInjectingVfs::Failure::IoError});
    EXPECT_GT(survived, 0);
}

}  // namespace
}  // namespace zel::test
