#include "signin/SelfUpdate.h"
#include "signin/SignInController.h"
#include "signin/TForm8.h"
#include "signin/WindowDragger.h"
#include "signin/ZelApplication.h"
#include "tests/signin/FakeSignInBackend.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

using namespace zel;
using zel::testing::FakeBackend;

namespace {

// Qt 6.4 aborts on keyClicks with non-ASCII text: one key event per character.
void type(QWidget* widget, const QString& text)
{
    for (QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), {});
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), {});
    }
}

/// Shows a frameless test window with a label in its corner to drag it by.
QLabel* showWithGrip(QWidget& window)
{
    auto* grip = new QLabel(QStringLiteral("Перетащите"), &window);
    grip->setGeometry(0, 0, 100, 40);
    window.setGeometry(100, 100, 300, 200);
    window.show();
    return grip;
}

}  // namespace

class TestTForm8 : public QObject {
    Q_OBJECT
private slots:
    void init() { ZelApplication::instance()->Initialize(); }

    void layoutAndModes()
    {
        FakeBackend backend;
        TForm8 window(backend);
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.size(), QSize(497, 275));
        QCOMPARE(window.windowTitle(), QStringLiteral("Аутентификация"));
        QVERIFY(window.Label1->text().startsWith(QStringLiteral("V.2   [ ")));
        QVERIFY(window.Label1->text().endsWith(QStringLiteral(" ]")));
        QCOMPARE(window.Password_Edit->echoMode(), QLineEdit::Password);
        QCOMPARE(window.Login_Edit->geometry(), QRect(146, 202, 187, 21));
        QCOMPARE(window.Edit2->geometry(), QRect(148, 345, 186, 21));

        window.NewPasswordToggle->click();
        QVERIFY(window.newPasswordMode());
        QCOMPARE(window.height(), 416);
        window.NewPasswordToggle->click();
        QCOMPARE(window.height(), 275);

        QCOMPARE(window.Login_Edit->nextInFocusChain(), window.Password_Edit);
    }

    void newPasswordBoxesTakeOnlyDigitsLatinLettersAndUnderscore()
    {
        FakeBackend backend;
        TForm8 window(backend);
        window.show();
        window.toggleNewPasswordMode();
        type(window.Edit1, QStringLiteral("aж Z9_-!"));
        QCOMPARE(window.Edit1->text(), QStringLiteral("aZ9_"));
        QTest::keyClick(window.Edit1, Qt::Key_Backspace);
        QCOMPARE(window.Edit1->text(), QStringLiteral("aZ9"));
        type(window.Password_Edit, QStringLiteral("пароль 1"));
        QCOMPARE(window.Password_Edit->text(), QStringLiteral("пароль 1"));
    }

    void enterInTheLoginBoxSignsInWithoutTypingAnything()
    {
        FakeBackend backend;
        TForm8 window(backend);
        window.show();
        type(window.Login_Edit, QStringLiteral("petrov"));
        QTest::keyClick(window.Login_Edit, Qt::Key_Return);
        QCOMPARE(window.Login_Edit->text(), QStringLiteral("petrov"));
        QCOMPARE(window.controller().attemptCount(), 1);
        QVERIFY(!backend.statements.isEmpty());
        QVERIFY(backend.statements.first().startsWith(QStringLiteral("EXEC GET_USER 'petrov',")));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void mismatchEmptiesBothBoxesAndShowsTheMessage()
    {
        FakeBackend backend;
        TForm8 window(backend);
        window.toggleNewPasswordMode();
        window.Edit1->setText(QStringLiteral("abcdef"));
        window.Edit2->setText(QStringLiteral("abcdeg"));
        window.SignInArea->click();
        QVERIFY(window.Edit1->text().isEmpty());
        QVERIFY(window.Edit2->text().isEmpty());
        QCOMPARE(window.message(), signin_text::kMismatch);
        QVERIFY(window.RzLabel1->text().contains(u'\n'));  // "\r" shows as a line break
    }

    void exitAreaEndsTheProgram()
    {
        FakeBackend backend;
        TForm8 window(backend);
        window.ExitArea->click();
        QVERIFY(ZelApplication::instance()->Terminated());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }

    void escapeDoesNotEndTheWindow()
    {
        FakeBackend backend;
        TForm8 window(backend);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (QWidget* box : {static_cast<QWidget*>(window.Login_Edit), static_cast<QWidget*>(window.Password_Edit),
                             static_cast<QWidget*>(&window)})
            QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(window.result(), 0);
        QVERIFY(!ZelApplication::instance()->Terminated());
        // The window system still ends it, cancelled.
        QVERIFY(window.close());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }

    void draggingAsksTheWindowSystemToMoveTheWindow()
    {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        QLabel* handle = showWithGrip(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QList<QWindow*> asked;
        auto* dragger = new WindowDragger(&window, [&](QWindow* w) {
            asked << w;
            return true;
        });
        dragger->watch(handle);
        const QPoint before = window.pos();
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(handle, QPoint(60, 50));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(60, 50));
        QCOMPARE(asked, QList<QWindow*>{window.windowHandle()});
        // The window system moves it; the program does not place it itself.
        QCOMPARE(window.pos(), before);

        // Where the window system declines, the window follows the mouse.
        QWidget other(nullptr, Qt::FramelessWindowHint);
        QLabel* grip = showWithGrip(other);
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        auto* fallback = new WindowDragger(&other, [](QWindow*) { return false; });
        fallback->watch(grip);
        const QPoint start = other.pos();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), grip->mapToGlobal(QPointF(10, 10)),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(grip, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), grip->mapToGlobal(QPointF(40, 30)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(grip, &move);
        QCOMPARE(other.pos(), start + QPoint(30, 20));
    }

    void leftoverUpdateScriptIsDeletedWhenTheWindowIsCreated()
    {
        const QString script = SelfUpdate::scriptPath(QCoreApplication::applicationFilePath());
        {
            QFile file(script);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n");
        }
        FakeBackend backend;
        TForm8 window(backend);
        QVERIFY(!QFile::exists(script));
    }
};

int main(int argc, char** argv)
{
    ZelApplication app(argc, argv);
    TestTForm8 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tform8.moc"
