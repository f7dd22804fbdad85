// The tab control's guard: user changes are asked about and announced, program
// switches are not.
#include "ui/PageControl.h"

#include <QTabBar>
#include <QtTest>

#include <stdexcept>

using zel::ui::PageControl;

class TestPageControl : public QObject {
    Q_OBJECT

    static void addPages(PageControl& pages, int count)
    {
        for (int i = 0; i < count; ++i)
            pages.addTab(new QWidget, QStringLiteral("Вкладка %1").arg(i));
    }

private slots:
    void clickOnATabAsksTheGuardThenAnnouncesTheChange()
    {
        PageControl pages;
        addPages(pages, 3);
        pages.resize(400, 300);
        pages.show();
        QList<std::pair<int, int>> asked;
        bool allow = false;
        pages.setChangingGuard([&](int leaving, int entering) {
            asked.append({leaving, entering});
            return allow;
        });
        QSignalSpy changed(&pages, &PageControl::changed);
        const QPoint second = pages.tabBar()->tabRect(2).center();

        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, second);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.front(), std::make_pair(0, 2));
        QCOMPARE(pages.currentIndex(), 0);
        QCOMPARE(changed.count(), 0);

        allow = true;
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, second);
        QCOMPARE(pages.currentIndex(), 2);
        QCOMPARE(changed.count(), 1);

        // A click on the tab already shown changes nothing and asks nothing.
        QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, second);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(changed.count(), 1);
    }

    void keyboardChangesGoThroughTheGuardToo()
    {
        PageControl pages;
        addPages(pages, 3);
        pages.show();
        int asked = 0;
        pages.setChangingGuard([&](int, int) { ++asked; return false; });
        QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(pages.tabBar(), Qt::Key_Right);
        QCOMPARE(asked, 2);
        QCOMPARE(pages.currentIndex(), 0);
    }

    void programSwitchRunsNeitherGuardNorChanged()
    {
        PageControl pages;
        addPages(pages, 3);
        int asked = 0;
        pages.setChangingGuard([&](int, int) { ++asked; return true; });
        QSignalSpy changed(&pages, &PageControl::changed);
        pages.showPage(1);
        QCOMPARE(pages.currentIndex(), 1);
        QCOMPARE(asked, 0);
        QCOMPARE(changed.count(), 0);
    }

    void aThrowingGuardRefusesTheChange()
    {
        PageControl pages;
        addPages(pages, 2);
        pages.setChangingGuard([](int, int) -> bool { throw std::runtime_error("post failed"); });
        QSignalSpy changed(&pages, &PageControl::changed);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, pages.userSelect(1));
        QCOMPARE(pages.currentIndex(), 0);
        QCOMPARE(changed.count(), 0);
    }
};

QTEST_MAIN(TestPageControl)
#include "tst_pagecontrol.moc"
