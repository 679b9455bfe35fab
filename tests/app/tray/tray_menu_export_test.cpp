// The exported tray menu as the program keeps it: it follows start-up, the
// reload and the kit refresh, is empty while the tray is switched off, and
// a choice runs what the program's own popup runs.

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include "app/dialogs/form_about.h"
#include "app/manager/form_items.h"
#include "app/program/form_general.h"
#include "app/tray/live_menu.h"
#include "app/program/menu_drawing.h"
#include "app/tray/tray_menu_export.h"
#include "app/widgets/sys_tray_icon.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::TestProgram;

namespace {

DBusMenuLayoutItem Layout(TrayMenuExport* ex) {
    DBusMenuLayoutItem root;
    ex->getLayout(0, -1, {}, root);
    return root;
}

// Labels of the exported entries, depth first, submenu entries after ">".
QStringList Labels(const DBusMenuLayoutItem& item, const QString& prefix = {}) {
    QStringList out;
    for (const QDBusVariant& v : item.children) {
        const auto child = qvariant_cast<DBusMenuLayoutItem>(v.variant());
        const QString label = child.properties.value("type").toString() == "separator"
                                  ? QStringLiteral("-")
                                  : child.properties.value("label").toString();
        out << prefix + label;
        out << Labels(child, prefix + label + ">");
    }
    return out;
}

int IdOf(const DBusMenuLayoutItem& item, const QString& label) {
    for (const QDBusVariant& v : item.children) {
        const auto child = qvariant_cast<DBusMenuLayoutItem>(v.variant());
        if (child.properties.value("label").toString() == label) return child.id;
        if (int id = IdOf(child, label)) return id;
    }
    return 0;
}

}  // namespace

class TrayMenuExportTest : public QObject {
    Q_OBJECT
private slots:
    void followsStartUpReloadAndTheSwitch() {
        TestProgram t;
        TrayMenuExport* ex = t.program().general()->trayMenuExport;
        t.write("shortcuts/shortcuts.txt", "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n");
        QVERIFY(Layout(ex).children.isEmpty());  // before start-up: off
        QSignalSpy updates(ex, &TrayMenuExport::layoutUpdated);
        t.startUp();
        QVERIFY(!updates.isEmpty());
        const DBusMenuLayoutItem first = Layout(ex);
        QCOMPARE(Labels(first).mid(0, 3), QStringList({"Alpha", "Sysmenu", "Orbel Kit"}));
        const int alpha = IdOf(first, "Alpha");

        // While the reload runs the tray is off: nothing to show or choose.
        QStringList whileOff;
        connect(t.program().general()->CSystrayGen, &TSysTrayIcon::enabledChanged, this, [&](bool on) {
            if (!on) whileOff = Labels(Layout(ex));
        });
        t.write("shortcuts/shortcuts.txt", "^NorSep|\r\n^NorSep|\r\n^Folder|Sub\r\n^NorSep|\r\n");
        t.write("shortcuts/Sub/shortcuts.txt", "^NorSep|\r\n^UnkLnk|/tmp/b.txt|txt|Beta\r\n^NorSep|\r\n");
        t.program().ReloadStore();
        QVERIFY(whileOff.isEmpty());
        const DBusMenuLayoutItem second = Layout(ex);
        // Every stored separator, at the ends of a level too.
        QCOMPARE(Labels(second).mid(0, 8),
                 QStringList({"-", "-", "Sub", "Sub>-", "Sub>Beta", "Sub>-", "-", "Sysmenu"}));
        QVERIFY(!ex->handleEvent(alpha, "clicked"));  // the old entry is gone
        QCOMPARE(updates.last().at(0).toUInt(), ex->revision());
    }

    void choosingRunsWhatThePopupRuns() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^UnkLnk|/nonexistent/gone.txt|txt|Gone\r\n");
        t.startUp();
        TrayMenuExport* ex = t.program().general()->trayMenuExport;

        // The program's own popup first, then the exported entry: one notice each, the same.
        LiveMenu* popup = t.program().items()->liveMenu();
        popup->realise();
        popup->actions().first()->trigger();
        QVERIFY(ex->handleEvent(IdOf(Layout(ex), "Gone"), "clicked"));
        QTRY_COMPARE(t.notices.size(), 2);
        QCOMPARE(t.notices[1].text, t.notices[0].text);

        // The kit refresh of OK and Apply renumbers the kit; its commands still work.
        const int aboutBefore = IdOf(Layout(ex), "About..");
        RefreshKitMenu(t.program().store(), t.program().liveMenu());
        AttachDrawHooks(t.program().store(), t.program().settings().WindowsDraw);
        QVERIFY(!ex->handleEvent(aboutBefore, "clicked"));
        QVERIFY(ex->handleEvent(IdOf(Layout(ex), "About.."), "clicked"));
        QTRY_VERIFY(t.program().about()->isVisible());
        QVERIFY(ex->handleEvent(IdOf(Layout(ex), "Close"), "clicked"));
        QTRY_VERIFY(t.program().endRequested());
    }
};

QTEST_MAIN(TrayMenuExportTest)
#include "tray_menu_export_test.moc"
