// Typing into the open tray menu: the rows found in every folder, what
// Return opens (with the item's parameters, counted in the history), editing,
// the way back to the normal entries and out, and a reload mid-search.

#include <QFile>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/shell/program.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_find.h"
#include "support/manager_support.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::ReadText;
using orbel::testing::TestProgram;
using orbel::testing::VisibleCaptions;

namespace {

// A recorder that writes its arguments, one a line, into args.txt; one item
// at the top and one three folders deep.
void WriteStore(TestProgram& t) {
    const QString script = t.writeRecorder();
    t.write("shortcuts/shortcuts.txt",
            ("^ExeLnk|" + script + "|top|record.bmp|&Record arguments\r\n^Folder|Work\r\n").toUtf8());
    t.write("shortcuts/Work/shortcuts.txt", "^Folder|Papers\r\n");
    t.write("shortcuts/Work/Papers/shortcuts.txt", "^Folder|Old\r\n");
    t.write("shortcuts/Work/Papers/Old/shortcuts.txt",
            ("^ExeLnk|" + script + "|track \"big box\"|record.bmp|Parcel tracker\r\n").toUtf8());
}

void Type(QMenu* menu, const QString& text) { QTest::keyClicks(menu, text); }

}  // namespace

class MenuFindTest : public QObject {
    Q_OBJECT
private slots:
    void typingFindsInEveryFolderAndReturnOpensTheRow() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QStringList normal = VisibleCaptions(menu);
        QVERIFY(normal.contains("&Record arguments"));
        QVERIFY(normal.contains("Work"));
        // Opening the menu builds no index.
        QVERIFY(p.search->stale());

        Type(menu, "parx");
        QCOMPARE(p.menuFind->text(), QString("parx"));
        QCOMPARE(VisibleCaptions(menu).first(), QString("Find: parx"));
        QVERIFY(!VisibleCaptions(menu).contains("Work"));
        QTest::keyClick(menu, Qt::Key_Backspace);
        QTest::keyClick(menu, Qt::Key_Space);
        Type(menu, "tr");
        // The row three folders deep, with where it is; the loaded entries
        // are gone, the fixed ones still there.
        const QStringList found = VisibleCaptions(menu);
        QCOMPARE(found.mid(0, 2), QStringList({"Find: par tr", QString("Parcel tracker\tWork") + kFolderHintSeparator +
                                                                   "Papers" + kFolderHintSeparator + "Old"}));
        QVERIFY(!found.contains("&Record arguments"));
        QVERIFY(!found.contains("Work"));
        for (const QString& fixed : normal)
            if (fixed != "&Record arguments" && fixed != "Work") QVERIFY2(found.contains(fixed), qPrintable(fixed));
        QCOMPARE(menu->activeAction()->text(), found.at(1));

        // Esc: the normal entries back, the menu still open; again: closed.
        QTest::keyClick(menu, Qt::Key_Escape);
        QVERIFY(menu->isVisible());
        QVERIFY(!p.menuFind->active());
        QCOMPARE(VisibleCaptions(menu), normal);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());

        // Backspace to nothing gives the normal entries back too.
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        Type(menu, "r");
        QVERIFY(p.menuFind->active());
        QTest::keyClick(menu, Qt::Key_Backspace);
        QCOMPARE(VisibleCaptions(menu), normal);

        // Return opens the best row as a click does, and counts it.
        Type(menu, "tracker");
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("track\nbig box\n"));
        QVERIFY(t.notices.isEmpty());
        QVERIFY(ReadText(QString::fromStdString(p.places.launchHistoryFile())).contains("track \"big box\""));
        // Opened again, the menu is as it was.
        QTRY_VERIFY(!p.menuFind->active());
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(VisibleCaptions(menu), normal);
        menu->hide();
    }

    void aReloadEndsTheSearchAndTheArrowsStillWork() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QStringList normal = VisibleCaptions(menu);
        // Arrows without a search move over the entries as before.
        QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(menu->activeAction());
        QVERIFY(!p.menuFind->active());
        Type(menu, "par");
        QVERIFY(p.menuFind->active());
        p.ReloadStore();
        QVERIFY(!p.menuFind->active());
        menu->hide();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(VisibleCaptions(menu), normal);
        // The index is built again from the reloaded items.
        Type(menu, "tracker");
        QCOMPARE(VisibleCaptions(menu).size(), normal.size() - 2 + 3);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("track\nbig box\n"));
    }
};

QTEST_MAIN(MenuFindTest)
#include "menu_find_test.moc"
