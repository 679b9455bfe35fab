// The tray icon component: the Enabled gate, which press opens the menu, the
// order of its events, the tip, the icon index and cycle; and the watch for
// a tray after start-up.

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/services/notice.h"
#include "app/services/tray_watcher.h"
#include "app/widgets/sys_tray_icon.h"
#include "core/program/texts.h"
#include "support/fake_platform.h"
#include "support/manual_clock.h"

using orbel::NoticeRequest;
using orbel::TrayWatcher;
using orbel::TSysTrayIcon;
using orbel::testing::ManualClock;

namespace {
QList<QIcon> Icons(int n) {
    QList<QIcon> out;
    for (int i = 0; i < n; ++i) {
        QPixmap pm(16, 16);
        pm.fill(QColor(i * 40, 0, 0));
        out << QIcon(pm);
    }
    return out;
}
}  // namespace

class SysTrayIconTest : public QObject {
    Q_OBJECT
    orbel::testing::FakePlatform platform;

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
        TSysTrayIcon icon(nullptr, orbel::Clock::system(), platform);
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
        TSysTrayIcon icon(nullptr, orbel::Clock::system(), platform);
        QSignalSpy shown(&icon, &TSysTrayIcon::menuShown);
        icon.handleActivation(QSystemTrayIcon::Context);
        QCOMPARE(shown.count(), 0);
    }

    void tipIsCutAndHiddenWithShowHintOff() {
        TSysTrayIcon icon(nullptr, orbel::Clock::system(), platform);
        icon.setHint(QString(200, 'x'));
        QCOMPARE(icon.tipText().size(), 127);
        QCOMPARE(icon.platformIcon()->toolTip().size(), 127);
        icon.setShowHint(false);
        QVERIFY(icon.tipText().isEmpty());
        QVERIFY(icon.platformIcon()->toolTip().isEmpty());
    }

    void iconIndexHasOnlyAnUpperBound() {
        TSysTrayIcon icon(nullptr, orbel::Clock::system(), platform);
        icon.setIconIndex(3);
        QCOMPARE(icon.IconIndex(), 0);  // no list: always 0
        icon.setIconList(Icons(5));
        icon.setIconIndex(10);
        QCOMPARE(icon.IconIndex(), 4);
        icon.setIconIndex(2);
        QCOMPARE(icon.IconIndex(), 2);
    }

    void visibilityFollowsIconVisible() {
        TSysTrayIcon icon(nullptr, orbel::Clock::system(), platform);
        icon.setIconVisible(true);
        QVERIFY(icon.IconVisible());
        icon.setIconVisible(false);
        QVERIFY(!icon.IconVisible());
        QVERIFY(!icon.platformIcon()->isVisible());
    }

    void cycleStepsOnTheClockAndWraps() {
        ManualClock clock;
        TSysTrayIcon icon(nullptr, clock, platform);
        icon.setIconList(Icons(3));
        icon.setCycleInterval(100);
        QSignalSpy cycles(&icon, &TSysTrayIcon::OnCycle);
        icon.setCycleIcons(true);
        clock.advance(99);
        QCOMPARE(cycles.count(), 0);
        clock.advance(1);
        clock.advance(200);
        QCOMPARE(cycles.count(), 3);
        QCOMPARE(QList<int>({cycles[0][1].toInt(), cycles[1][1].toInt(), cycles[2][1].toInt()}), QList<int>({1, 2, 0}));
        icon.setCycleIcons(false);
        clock.advance(1000);
        QCOMPARE(cycles.count(), 3);
    }

    // Without a tray for the grace time the user is told once; a tray that
    // comes in time, nothing.
    void noTrayNoticeAfterTheGraceTimeOnce_data() {
        QTest::addColumn<bool>("trayComes");
        QTest::newRow("no tray") << false;
        QTest::newRow("a tray in time") << true;
    }
    void noTrayNoticeAfterTheGraceTimeOnce() {
        QFETCH(bool, trayComes);
        QStringList shown;
        orbel::Notices notices(QString::fromUtf8(orbel::texts::ProductName));
        notices.setPresenter([&](const NoticeRequest& r) {
            shown << r.text;
            return orbel::answer::Ok;
        });
        ManualClock clock;
        bool available = false;
        TrayWatcher watcher(clock, notices, [&] { return available; });
        watcher.start();
        clock.advance(TrayWatcher::GraceMs - 1);
        QVERIFY(shown.isEmpty());
        available = trayComes;
        clock.advance(1);
        QCOMPARE(shown, trayComes ? QStringList() : QStringList{QString::fromUtf8(orbel::texts::NoTrayNotice)});
        watcher.start();
        clock.advance(TrayWatcher::GraceMs);
        QCOMPARE(shown.size(), trayComes ? 0 : 1);
    }

    // The box does not wait for its OK: the program goes on, and closes it
    // when a tray comes; another box open beside it stays.
    void noTrayNoticeGoesAwayWhenATrayComes() {
        const orbel::Notices notices(QString::fromUtf8(orbel::texts::ProductName));
        ManualClock clock;
        bool available = false;
        TrayWatcher watcher(clock, notices, [&] { return available; });
        watcher.start();
        clock.advance(TrayWatcher::GraceMs);
        QPointer<QMessageBox> box;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
        QVERIFY(box);
        QCOMPARE(box->objectName(), QString("NoTrayNotice"));
        QCOMPARE(box->text(), QString::fromUtf8(orbel::texts::NoTrayNotice));
        QVERIFY(!box->isModal());
        QMessageBox other(QMessageBox::Information, "x", "Another box");
        other.show();
        available = true;
        watcher.trayAvailabilityChanged(true);
        QTRY_VERIFY(!box);
        QVERIFY(other.isVisible());
    }
};

QTEST_MAIN(SysTrayIconTest)
#include "sys_tray_icon_test.moc"
