// A clerk's program reduced to its save loop, run as a child process by the
// reliability tests: it signs in to the database, then again and again loads one of
// the given employees' cards, types new texts into the last job row and saves the
// card with the change history and the audit rows, as the Save button does.
//
//   zel_card_saver <connection string> <clerk login> <field[+field]> <keys> <count> <first>
//
// keys: employee keys separated by commas, taken in turn; count: saves to try (-1:
// until killed); first: the number the texts start from ("<login>-<number>", the
// number growing by one per save). One line per save on standard output:
//   ok <key> <text> | conflict <key> <text> | error <key> <text> <message>

#include "ModulesFixture.h"  // RecordingHost

#include "data/DbError.h"
#include "data/dataset/RowWriter.h"
#include "data/modules/AuditLog.h"
#include "data/modules/CardStatements.h"
#include "data/modules/PostingRules.h"
#include "data/modules/SaveSequence.h"
#include "data/modules/TADOUpdateHistoryExec.h"
#include "server/EmbeddedDriverRegistration.h"
#include "server/procedures/ServerModules.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::fputs("usage: zel_card_saver <connection> <login> <fields> <keys> <count> <first>\n", stderr);
        return 2;
    }
    using namespace zel;
    server::registerEmbeddedDriver();
    server::installServerModules();

    test::RecordingHost host;
    host.login = args[2];
    host.workstation = QStringLiteral("PC-") + args[2];
    const QStringList fields = args[3].split(u'+');
    QList<int> keys;
    for (const QString& key : args[4].split(u','))
        keys << key.toInt();
    const qint64 count = args[5].toLongLong();
    const qint64 first = args[6].toLongLong();

    TDM_PUM dm;
    TADOUpdateHistoryExec history;
    AuditLog log{history, dm.ADOQ_Exec, host};
    try {
        dm.ADO_PUM.SetConnectionString(args[1]);
        dm.ADO_PUM.Open();
        dm.OpenSignInDataSets();
        PostingRules::Install(dm, host);
        log.Connect();
    } catch (const Error& e) {
        say(QStringLiteral("error 0 - ") + e.message());
        return 1;
    }
    say(QStringLiteral("ready"));

    for (qint64 i = 0; count < 0 || i < count; ++i) {
        const int key = keys[int(i % keys.size())];
        const QString text = host.login + u'-' + QString::number(first + i);
        const QString where = QString::number(key) + u' ' + text;
        try {
            dm.ADO_TEACHER.SetSQL(QStringLiteral("select teacher.*, p26 as t_fio from teacher where id_teacher=")
                                  + QString::number(key));
            dm.ADO_TEACHER.Open();
            CardStatements::LoadCard(dm, host);
            dm.ADOQ_Work.Last();
            dm.ADOQ_Work.Edit();
            for (const QString& field : fields)
                dm.ADOQ_Work.FieldByName(field)->SetAsString(text);
            SaveSequence::PostSections(dm, history);
            say(QStringLiteral("ok ") + where);
        } catch (const Error& e) {
            const bool conflict = e.message() == RowWriter::rowNotFoundMessage();
            say((conflict ? QStringLiteral("conflict ") : QStringLiteral("error ")) + where
                + (conflict ? QString() : u' ' + e.message()));
            if (dm.ADOQ_Work.Active())
                dm.ADOQ_Work.Cancel();
        }
    }
    return 0;
}
