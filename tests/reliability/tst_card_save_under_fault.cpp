// The card window's Save while the disk fails: the clerk is shown the server's error
// text, the typed phone stays in its field and in edit state, and Save after the
// fault stores it once with one audit row.

#include "FaultInjectingVfs.h"
#include "tests/card/CardSession.h"

#include "ui/DbEdit.h"
#include "ui/FlatButton.h"

using namespace zel;
using cardtest::CardSession;
using test::FaultInjectingVfs;

class CardSaveUnderFault : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { FaultInjectingVfs::disarm(); }

    void theClerkSeesTheErrorKeepsTheTypingAndSavesOnceAfterwards()
    {
        const struct {
            FaultInjectingVfs::Operation operation;
            FaultInjectingVfs::Failure failure;
        } kinds[] = {
            {FaultInjectingVfs::Operation::Write, FaultInjectingVfs::Failure::IoError},
            {FaultInjectingVfs::Operation::Write, FaultInjectingVfs::Failure::DiskFull},
            {FaultInjectingVfs::Operation::Sync, FaultInjectingVfs::Failure::IoError},
        };
        CardSession s;
        s.window->show();
        const int key = s.scalar(QStringLiteral(
            "select top 1 t.id_teacher from TEACHER t join TEACHER_info i on i.id_teacher = t.id_teacher"
            " where t.id_teacher <> 1"));
        int round = 0;
        for (const auto& kind : kinds) {
            ++round;
            s.loadEmployee(key);
            s.dialogs.clear();
            const QString phone = QStringLiteral("55-0%1-O'Д").arg(round);
            const int logBefore = s.scalar(QStringLiteral("select isnull(max(id_log), 0) from ZEL_LOG"));
            ui::DbEdit* edit = s.tab().DBEdit11;
            QTest::mouseClick(edit, Qt::LeftButton);
            edit->selectAll();
            cardtest::typeText(edit, phone);

            FaultInjectingVfs::arm(kind.operation, 1, kind.failure);
            s.window->Apply_Records_Btn->click();
            QVERIFY(FaultInjectingVfs::fired());
            FaultInjectingVfs::disarm();

            QCOMPARE(s.messages().size(), 1);
            QVERIFY2(s.messages().front().startsWith(
                         QStringLiteral("Сервер базы данных не смог записать или прочитать свой файл")),
                     qPrintable(s.messages().front()));
            QVERIFY2(s.messages().front().contains(QStringLiteral("disk I/O error"))
                         || s.messages().front().contains(QStringLiteral("full")),
                     qPrintable(s.messages().front()));
            QCOMPARE(edit->text(), phone);
            QCOMPARE(s.dm.ADOQ_Teacher_2.State(), dsEdit);
            QVERIFY(s.window->Apply_Records_Btn->isEnabled());
            QCOMPARE(s.scalar(QStringLiteral("select count(*) from TEACHER_info where Phone = '%1'")
                                  .arg(QString(phone).replace(u'\'', QStringLiteral("''")))),
                     0);

            s.dialogs.clear();
            s.window->Apply_Records_Btn->click();
            QVERIFY2(s.messages().isEmpty(), qPrintable(s.messages().join(u'\n')));
            QCOMPARE(s.rows(QStringLiteral("select Phone from TEACHER_info where id_teacher = %1").arg(key)),
                     (QList<QStringList>{{phone}}));
            QCOMPARE(s.scalar(QStringLiteral("select count(*) from ZEL_LOG where id_log > %1").arg(logBefore)), 1);
        }
    }
};

int main(int argc, char** argv)
{
    FaultInjectingVfs::install();  // before the first connection
    return cardtest::runCardTests<CardSaveUnderFault>(argc, argv);
}

#include "tst_card_save_under_fault.moc"
