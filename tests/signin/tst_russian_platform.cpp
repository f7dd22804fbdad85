// The platform's own texts (standard buttons, file dialog, calendars) are Russian
// under the program's application object, whatever the workstation's locale.
#include "signin/ZelApplication.h"
#include "ui/WorkstationLocale.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace zel;

class TestRussianPlatform : public QObject {
    Q_OBJECT
private slots:
    void workstationLocaleKeepsARussianOneAndOtherwiseIsRussian()
    {
        const QLocale kazakhstan(QLocale::Russian, QLocale::Kazakhstan);
        QCOMPARE(ui::workstationLocale(kazakhstan), kazakhstan);
        for (const QLocale& other : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                     QLocale(QLocale::German, QLocale::Germany)}) {
            const QLocale chosen = ui::workstationLocale(other);
            QCOMPARE(chosen.language(), QLocale::Russian);
            QCOMPARE(chosen.territory(), QLocale::Russia);
        }
        QCOMPARE(QLocale(QLocale::Russian, QLocale::Russia).toString(QDate(2026, 3, 7), QLocale::ShortFormat),
                 QStringLiteral("07.03.2026"));
    }

    void applicationSpeaksRussian()
    {
        QCOMPARE(QLocale().language(), QLocale::Russian);
        QCOMPARE(QLocale().standaloneMonthName(1), QStringLiteral("январь"));
        // The date editors' drop-down calendars take the default locale.
        QCalendarWidget calendar;
        QCOMPARE(calendar.locale().language(), QLocale::Russian);
        QCOMPARE(calendar.locale().dayName(1, QLocale::ShortFormat), QStringLiteral("пн"));
    }

    void standardButtonsAreRussian()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Да"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Нет"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Отмена"));
    }

    void fileDialogIsRussian()
    {
        QFileDialog dialog(nullptr, QStringLiteral("Открыть"), QDir::tempPath(),
                           QStringLiteral("Изображения (*.jpg *.jpeg)"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'), QStringLiteral("Открыть"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Отмена"));
        QStringList labels;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text().remove(u'&');
        QVERIFY2(labels.contains(QStringLiteral("Имя файла:")), qPrintable(labels.join(u'|')));
        // The kind column of the list: Qt's translation has no text for it.
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QStringLiteral("Папка"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "%1 File").arg(QStringLiteral("jpg")),
                 QStringLiteral("Файл jpg"));
        if (qEnvironmentVariableIsSet("ZEL_SCREENSHOTS")) {
            dialog.resize(640, 400);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.grab().save(qEnvironmentVariable("ZEL_SCREENSHOTS") + QStringLiteral("/file-dialog.png"));
        }
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestRussianPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_russian_platform.moc"
