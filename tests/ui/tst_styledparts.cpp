#include "ui/CaptionLabel.h"
#include "ui/DatePicker.h"
#include "ui/FlatButton.h"
#include "ui/LabelPanel.h"
#include "ui/TextStatusBar.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusTipEvent>
#include <QTest>

using namespace zel::ui;

class StyledPartsTest : public QObject {
    Q_OBJECT
private slots:
    void statusBarTextSurvivesStatusTips();
    void hintsAndCaptions();
};

void StyledPartsTest::statusBarTextSurvivesStatusTips()
{
    QMainWindow window;
    auto* status = new TextStatusBar;
    window.setStatusBar(status);
    status->setText("Иванова Мария Петровна");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStatusTipEvent tip("Подсказка другого элемента");
    QApplication::sendEvent(&window, &tip);
    QCOMPARE(status->text(), QString("Иванова Мария Петровна"));
    // The text stays on screen while a temporary message is shown.
    const auto labels = status->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 1);
    QVERIFY(labels[0]->isVisible());
}

void StyledPartsTest::hintsAndCaptions()
{
    FlatButton save(QIcon(), "Сохранить запись");
    QCOMPARE(save.toolTip(), QString("Сохранить запись"));
    QVERIFY(save.autoRaise());
    FlatButton cancel(QIcon(), "Отменить запись");
    cancel.setShowHint(false);
    QVERIFY(cancel.toolTip().isEmpty());
    QCOMPARE(cancel.hint(), QString("Отменить запись"));

    CaptionLabel caption("Сотрудник удалён.\rОбновить результат поиска?");
    QCOMPARE(caption.text(), QString("Сотрудник удалён.\nОбновить результат поиска?"));
    caption.setBold(true);
    QVERIFY(caption.font().bold());

    LabelPanel panel("  Фамилия:");
    QCOMPARE(panel.text(), QString("  Фамилия:"));
    QCOMPARE(panel.frameShadow(), QFrame::Raised);

    DatePicker picker;
    QCOMPARE(picker.displayFormat(), QString("dd.MM.yyyy"));
    const QDateTime when(QDate(2024, 2, 29), QTime(14, 30));
    picker.setDateTime(when);
    QCOMPARE(picker.dateTime(), when);  // the time of day is kept, though not shown
    QCOMPARE(picker.text(), QString("29.02.2024"));
}

QTEST_MAIN(StyledPartsTest)
#include "tst_styledparts.moc"
