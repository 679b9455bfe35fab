// Typing into the open tray menu: the rows found in every folder, what
// Return opens (with the item's parameters, counted in the history), editing,
// the way back to the normal entries and out, a reload mid-search, typing
// into an open folder, and rows that fill the screen with their folders
// drawn quieter.

#include <QFile>
#include <QScreen>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/program/program.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_find.h"
#include "support/manager_support.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::ActionOf;
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

// Opens the folder of this caption from its menu with the keyboard, as a
// person does: down to it, then Right.
LiveMenu* OpenFolder(LiveMenu* menu, const QString& caption) {
    QAction* entry = ActionOf(menu, caption);
    if (!entry) return nullptr;
    for (int i = 0; i < menu->actions().size() && menu->activeAction() != entry; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    auto* sub = qobject_cast<LiveMenu*>(entry->menu());
    return sub && QTest::qWaitForWindowExposed(sub) ? sub : nullptr;
}

// The darkest grey in a part of a picture.
int Darkest(const QImage& image, const QRect& part) {
    int darkest = 255;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

}  // namespace

class MenuFindTest : public QObject {
    Q_OBJECT
private slots:
    void typingFindsInEveryFolderAndReturnOpensTheRow() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items()->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QStringList normal = VisibleCaptions(menu);
        QVERIFY(normal.contains("&Record arguments"));
        QVERIFY(normal.contains("Work"));
        // Opening the menu builds no index.
        QVERIFY(p.search()->stale());

        Type(menu, "parx");
        QCOMPARE(p.menuFind()->text(), QString("parx"));
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
        QVERIFY(!p.menuFind()->active());
        QCOMPARE(VisibleCaptions(menu), normal);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());

        // Backspace to nothing gives the normal entries back too.
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        Type(menu, "r");
        QVERIFY(p.menuFind()->active());
        QTest::keyClick(menu, Qt::Key_Backspace);
        QCOMPARE(VisibleCaptions(menu), normal);

        // Return opens the best row as a click does, and counts it.
        Type(menu, "tracker");
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("track\nbig box\n"));
        QVERIFY(t.notices.isEmpty());
        QVERIFY(ReadText(QString::fromStdString(p.places().launchHistoryFile())).contains("track \"big box\""));
        // Opened again, the menu is as it was.
        QTRY_VERIFY(!p.menuFind()->active());
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
        LiveMenu* menu = p.items()->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QStringList normal = VisibleCaptions(menu);
        // Arrows without a search move over the entries as before.
        QTest::keyClick(menu, Qt::Key_Down);
        QVERIFY(menu->activeAction());
        QVERIFY(!p.menuFind()->active());
        Type(menu, "par");
        QVERIFY(p.menuFind()->active());
        p.ReloadStore();
        QVERIFY(!p.menuFind()->active());
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

    // A letter in an open folder, even one that is an entry's first letter
    // there, searches the whole tree from the top level: the folders close.
    void typingInAnOpenFolderSearchesTheWholeTree() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items()->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // The kit stays in the menu while searching: it closes all the same.
        LiveMenu* kit = OpenFolder(menu, "Orbel Kit");
        QVERIFY(kit);
        QTest::keyClick(kit, Qt::Key_Z);  // which finds nothing
        QTRY_VERIFY(!kit->isVisible());
        QCOMPARE(p.menuFind()->text(), QString("z"));
        QTest::keyClick(menu, Qt::Key_Escape);
        QVERIFY(!p.menuFind()->active());
        LiveMenu* work = OpenFolder(menu, "Work");
        QVERIFY(work);
        LiveMenu* papers = OpenFolder(work, "Papers");
        QVERIFY(papers);
        QTest::keyClick(papers, Qt::Key_P);
        QTRY_VERIFY(!papers->isVisible());
        QVERIFY(!work->isVisible());
        QVERIFY(menu->isVisible());
        QCOMPARE(p.menuFind()->text(), QString("p"));
        Type(menu, "arc");
        QCOMPARE(VisibleCaptions(menu).at(1).section('\t', 0, 0), QString("Parcel tracker"));
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("track\nbig box\n"));
    }

    // As many rows as the screen has room for, in one column; each row's
    // folder lighter than its caption, and still far from the ground.
    void theRowsFillTheScreenAndTheirFoldersAreQuieter() {
        TestProgram t;
        QByteArray many;
        for (int i = 0; i < 200; ++i)
            many += "^UnkLnk|/docs/parcel" + QByteArray::number(i) + ".txt|txt|Parcel " + QByteArray::number(i) +
                    "\r\n";
        t.write("shortcuts/shortcuts.txt", "^Folder|Deliveries of the year\r\n");
        t.write("shortcuts/Deliveries of the year/shortcuts.txt", many);
        t.startUp();
        Program& p = t.program();
        LiveMenu* menu = p.items()->liveMenu();
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        Type(menu, "parcel");
        QList<QAction*> rows;
        for (QAction* a : menu->actions())
            if (a->isVisible() && a->text().startsWith("Parcel ")) rows << a;
        QCOMPARE(rows.size(), p.menuFind()->rowLimit());
        QVERIFY2(rows.size() > 12, qPrintable(QString::number(rows.size())));
        const QRect area = menu->screen()->availableGeometry();
        QVERIFY(menu->height() <= area.height());
        // One more row would not have fitted.
        QVERIFY(menu->height() + menu->actionGeometry(rows.last()).height() > area.height());
        // All in one column, the fixed entries under the rows.
        for (QAction* a : menu->actions())
            if (a->isVisible()) QCOMPARE(menu->actionGeometry(a).x(), menu->actionGeometry(rows.first()).x());

        // The second row is not the highlighted one.
        const QImage shot = menu->grab().toImage();
        const QRect row = menu->actionGeometry(rows.at(1));
        const QFontMetrics fm(menu->font());
        const int captionEnd = row.left() + 40 + fm.horizontalAdvance(rows.at(1)->text().section('\t', 0, 0));
        const int hintStart = row.right() - 20 - fm.horizontalAdvance(QString("Deliveries of the year"));
        QVERIFY(captionEnd < hintStart);
        const int caption = Darkest(shot, QRect(QPoint(row.left(), row.top()), QPoint(captionEnd, row.bottom())));
        const int hint = Darkest(shot, QRect(QPoint(hintStart, row.top()), QPoint(row.right(), row.bottom())));
        const int ground = qGray(shot.pixel(row.right() - 2, row.top() + 1));
        QVERIFY2(hint > caption + 40, qPrintable(QString("caption %1, hint %2").arg(caption).arg(hint)));
        QVERIFY2(ground > hint + 60, qPrintable(QString("ground %1, hint %2").arg(ground).arg(hint)));
        menu->hide();
    }
};

QTEST_MAIN(MenuFindTest)
#include "menu_find_test.moc"
