// The tray icon component: the Enabled gate, which press opens the menu, the
// order of its events, the tip and the icon index.

#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include "app/widgets/sys_tray_icon.h"

using orbel::TSysTrayIcon;

class SysTrayIconTest : public QObject {
    Q_OBJECT
private slots:
    void pressesAndWhatTheyRaise_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("leftPopup");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QStringList>("events");
        using R = QSystemTrayIcon;
        QTest::newRow("disabled ignores the left button") << false << true << int(R::Trigger) << QStringList{};
        QTest::newRow("disabled ignores the right button") << false << true << int(R::Context) << QStringList{};
        QTest::newRow("left with left popup opens the menu")
            << true << true << int(R::Trigger) << QStringList{"down 1", "menu", "click", "up 1"};
        QTest::newRow("left without left popup only clicks")
            << true << false << int(R::Trigger) << QStringList{"down 1", "click", "up 1"};
        QTest::newRow("right always opens the menu")
            << true << false << int(R::Context) << QStringList{"down 2", "menu", "up 2"};
        QTest::newRow("middle raises mouse events only")
            << true << true << int(R::MiddleClick) << QStringList{"down 4", "up 4"};
        QTest::newRow("double click: its second press opens the menu")
            << true << true << int(R::DoubleClick) << QStringList{"dblclick", "menu"};
        QTest::newRow("double click without left popup")
            << true << false << int(R::DoubleClick) << QStringList{"dblclick"};
        QTest::newRow("disabled ignores the double click") << false << true << int(R::DoubleClick) << QStringList{};
    }
    void pressesAndWhatTheyRaise() {
        QFETCH(bool, enabled);
        QFETCH(bool, leftPopup);
        QFETCH(int, reason);
        QFETCH(QStringList, events);
        TSysTrayIcon icon;
        QMenu menu;
        menu.addAction("entry");
        icon.setPopupMenu(&menu);
        icon.setEnabled(enabled);
        icon.setLeftPopup(leftPopup);
        QStringList seen;
        connect(&icon, &TSysTrayIcon::OnMouseDown, this,
                [&](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
                    seen << QString("down %1").arg(int(b));
                });
        connect(&icon, &TSysTrayIcon::OnMouseUp, this,
                [&](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
                    seen << QString("up %1").arg(int(b));
                });
        connect(&icon, &TSysTrayIcon::OnClick, this, [&](QObject*) { seen << "click"; });
        connect(&icon, &TSysTrayIcon::OnDblClick, this, [&](QObject*) { seen << "dblclick"; });
        connect(&icon, &TSysTrayIcon::menuShown, this, [&](QPoint) { seen << "menu"; });
        icon.handleActivation(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(seen, events);
        QCOMPARE(menu.isVisible(), events.contains("menu"));
        menu.hide();
    }

    void noMenuNothingShown() {
        TSysTrayIcon icon;
        QSignalSpy shown(&icon, &TSysTrayIcon::menuShown);
        icon.handleActivation(QSystemTrayIcon::Context);
        QCOMPARE(shown.count(), 0);
    }

    void tipIsCutAndHiddenWithShowHintOff() {
        TSysTrayIcon icon;
        icon.setHint(QString(200, 'x'));
        QCOMPARE(icon.tipText().size(), 127);
        QCOMPARE(icon.platformIcon()->toolTip().size(), 127);
        icon.setShowHint(false);
        QVERIFY(icon.tipText().isEmpty());
        QVERIFY(icon.platformIcon()->toolTip().isEmpty());
    }

    void iconIndexHasOnlyAnUpperBound() {
        TSysTrayIcon icon;
        icon.setIconIndex(3);
        QCOMPARE(icon.IconIndex(), 0);  // no list: always 0
        QList<QIcon> five;
        for (int i = 0; i < 5; ++i) {
            QPixmap pm(16, 16);
            pm.fill(QColor(i * 40, 0, 0));
            five << QIcon(pm);
        }
        icon.setIconList(five);
        icon.setIconIndex(10);
        QCOMPARE(icon.IconIndex(), 4);
        icon.setIconIndex(2);
        QCOMPARE(icon.IconIndex(), 2);
    }

    void visibilityFollowsIconVisible() {
        TSysTrayIcon icon;
        icon.setIconVisible(true);
        QVERIFY(icon.IconVisible());
        icon.setIconVisible(false);
        QVERIFY(!icon.IconVisible());
        QVERIFY(!icon.platformIcon()->isVisible());
    }
};

QTEST_MAIN(SysTrayIconTest)
#include "sys_tray_icon_test.moc"
