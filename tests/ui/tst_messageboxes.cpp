#include "ui/GuardedAction.h"
#include "ui/MessageBoxes.h"
#include "ui/ScriptedDialogService.h"

#include "data/DbError.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zel::ui;

class MessageBoxesTest : public QObject {
    Q_OBJECT
private slots:
    void conventionsReachTheService();
    void abortSignalIsNeverShown();
    void carriageReturnBreaksLines();
    void russianStandardButtons();
    void guardedActionShowsTheErrorAndEndsTheAction();
};

void MessageBoxesTest::conventionsReachTheService()
{
    ScriptedDialogService dialogs;
    dialogs.queueAnswer(DialogService::Answer::Yes);
    dialogs.queueAnswer(DialogService::Answer::No);
    dialogs.queueAnswer(DialogService::Answer::Cancel);

    QVERIFY(MessageBoxes::askYesNo(nullptr, "Удалить?"));
    QVERIFY(!MessageBoxes::askYesNo(nullptr, "Удалить?"));
    QCOMPARE(MessageBoxes::askYesNoCancel(nullptr, "Сохранить?"), DialogService::Answer::Cancel);
    MessageBoxes::warning(nullptr, "Внимание");
    MessageBoxes::plain(nullptr, "Готово", QString());

    const auto& shown = dialogs.shown();
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown[0].caption, QString("Уведомление"));
    QCOMPARE(shown[0].icon, DialogService::Icon::Question);
    QCOMPARE(shown[0].buttons, DialogService::Buttons::YesNo);
    QCOMPARE(shown[2].buttons, DialogService::Buttons::YesNoCancel);
    QCOMPARE(shown[3].icon, DialogService::Icon::Warning);
    QCOMPARE(shown[3].buttons, DialogService::Buttons::Ok);
    QCOMPARE(shown[4].icon, DialogService::Icon::None);
    QVERIFY(shown[4].caption.isEmpty());
}

void MessageBoxesTest::abortSignalIsNeverShown()
{
    ScriptedDialogService dialogs;
    MessageBoxes::showException(nullptr, zel::AbortSignal());
    QCOMPARE(dialogs.shown().size(), 0);
    MessageBoxes::showException(nullptr, zel::DbError("Нарушено ограничение"));
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].text, QString("Нарушено ограничение"));
    QCOMPARE(dialogs.shown()[0].icon, DialogService::Icon::Error);
}

void MessageBoxesTest::carriageReturnBreaksLines()
{
    QCOMPARE(messageText("Сотрудник удалён.\rОбновить?"), QString("Сотрудник удалён.\nОбновить?"));
    QCOMPARE(messageText("a\r\nb"), QString("a\nb"));
}

void MessageBoxesTest::russianStandardButtons()
{
    QVERIFY(MessageBoxes::installRussianStandardButtons(*QCoreApplication::instance()));
    // The default service builds a real box; read its buttons while it is open.
    QString yesText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        yesText = box->button(QMessageBox::Yes)->text();
        box->done(QMessageBox::No);
    });
    const auto answer = DialogService::current().message(nullptr, "Уведомление", "Вопрос\rвторая строка",
                                                         DialogService::Icon::Question,
                                                         DialogService::Buttons::YesNo);
    QCOMPARE(answer, DialogService::Answer::No);
    QVERIFY2(yesText.remove(u'&') == QString("Да"), qPrintable(yesText));
}

void MessageBoxesTest::guardedActionShowsTheErrorAndEndsTheAction()
{
    ScriptedDialogService dialogs;
    int after = 0;
    QVERIFY(!runGuarded(nullptr, [&] {
        throw zel::DbError(QStringLiteral("Нарушение ограничения"));
        ++after;
    }));
    QCOMPARE(after, 0);
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown().front().text, QStringLiteral("Нарушение ограничения"));
    QCOMPARE(dialogs.shown().front().icon, DialogService::Icon::Error);

    QVERIFY(!runGuarded(nullptr, [] { throw zel::AbortSignal(); }));
    QCOMPARE(dialogs.shown().size(), 1);

    bool ran = false;
    guarded(nullptr, [&] { ran = true; })();
    QVERIFY(ran);
    QCOMPARE(dialogs.shown().size(), 1);
}

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"
