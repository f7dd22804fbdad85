#include "ui/EnterChain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

using zel::ui::EnterChain;

class EnterChainTest : public QObject {
    Q_OBJECT
private slots:
    void enterMovesAlongTheChain();
    void unavailableSuccessorKeepsTheFocus();
    void enterIsConsumedEvenWithoutSuccessor();
};

namespace {

struct Window {
    QWidget root;
    QTabWidget* tabs;
    QLineEdit* first;
    QLineEdit* second;
    QLineEdit* third;
    QLineEdit* onOtherTab;
    QPushButton* defaultButton;

    Window()
    {
        root.setObjectName("root");
        auto* layout = new QVBoxLayout(&root);
        tabs = new QTabWidget(&root);
        auto* page1 = new QWidget;
        auto* page2 = new QWidget;
        auto* l1 = new QVBoxLayout(page1);
        first = new QLineEdit;
        first->setObjectName("first");
        second = new QLineEdit;
        second->setObjectName("second");
        third = new QLineEdit;
        third->setObjectName("third");
        l1->addWidget(first);
        l1->addWidget(second);
        l1->addWidget(third);
        auto* l2 = new QVBoxLayout(page2);
        onOtherTab = new QLineEdit;
        onOtherTab->setObjectName("onOtherTab");
        l2->addWidget(onOtherTab);
        tabs->addTab(page1, "1");
        tabs->addTab(page2, "2");
        layout->addWidget(tabs);
        defaultButton = new QPushButton("default", &root);
        layout->addWidget(defaultButton);
        EnterChain::setSuccessor(first, "second");
        EnterChain::setSuccessor(second, "third");
        root.show();
    }
};

void pressEnter(QWidget* w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

}  // namespace

void EnterChainTest::enterMovesAlongTheChain()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.root));
    w.root.activateWindow();
    w.first->setFocus();
    QTRY_VERIFY(w.first->hasFocus());
    pressEnter(w.first);
    QVERIFY(w.second->hasFocus());
    pressEnter(w.second);
    QVERIFY(w.third->hasFocus());
    // The keypad Enter counts too.
    w.first->setFocus();
    QTest::keyClick(w.first, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(w.second->hasFocus());
}

void EnterChainTest::unavailableSuccessorKeepsTheFocus()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.root));
    w.root.activateWindow();

    w.second->setEnabled(false);
    w.first->setFocus();
    QTRY_VERIFY(w.first->hasFocus());
    pressEnter(w.first);
    QVERIFY(w.first->hasFocus());

    w.second->setEnabled(true);
    w.second->hide();
    pressEnter(w.first);
    QVERIFY(w.first->hasFocus());
    w.second->show();

    // A successor on a tab that is not shown.
    EnterChain::setSuccessor(w.first, "onOtherTab");
    pressEnter(w.first);
    QVERIFY(w.first->hasFocus());
    QCOMPARE(EnterChain::advance(w.first), nullptr);

    // A name no control has.
    EnterChain::setSuccessor(w.first, "nothing");
    pressEnter(w.first);
    QVERIFY(w.first->hasFocus());

    // Showing the other tab makes the successor reachable.
    EnterChain::setSuccessor(w.third, "onOtherTab");
    w.tabs->setCurrentIndex(1);
    QCOMPARE(EnterChain::advance(w.third), w.onOtherTab);
}

void EnterChainTest::enterIsConsumedEvenWithoutSuccessor()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.root));
    int pressed = 0;
    QObject::connect(w.first, &QLineEdit::returnPressed, [&] { ++pressed; });
    EnterChain::setSuccessor(w.first, QString());
    QVERIFY(EnterChain::isInChain(w.first));
    QVERIFY(w.first->toolTip().isEmpty());
    pressEnter(w.first);
    QCOMPARE(pressed, 0);
    // A control outside any chain keeps its own Enter handling.
    int thirdPressed = 0;
    QObject::connect(w.third, &QLineEdit::returnPressed, [&] { ++thirdPressed; });
    pressEnter(w.third);
    QCOMPARE(thirdPressed, 1);
}

QTEST_MAIN(EnterChainTest)
#include "tst_enterchain.moc"
