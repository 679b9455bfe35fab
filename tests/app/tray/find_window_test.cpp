// The find window as the user meets it: what typing shows, what Return
// opens (with the item's parameters, counted in the launch history), Esc
// and turning to another window, and the index following a save.

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/program/program.h"
#include "app/tray/form_find.h"
#include "app/tray/item_search.h"
#include "app/tray/live_menu.h"
#include "support/controls.h"
#include "support/manager_support.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::NodeNamed;
using orbel::testing::OpenManager;
using orbel::testing::ReadText;
using orbel::testing::TestProgram;

namespace {

// A recorder that writes its arguments, one a line, into args.txt; the
// items: "Record arguments" at the top, two letters in "Office".
void WriteStore(TestProgram& t) {
    const QString script = t.writeRecorder();
    t.write("shortcuts/shortcuts.txt",
            ("^ExeLnk|" + script + "|one \"two words\"|record.bmp|&Record arguments\r\n^Folder|Office\r\n").toUtf8());
    t.write("shortcuts/Office/shortcuts.txt", ("^ExeLnk|" + script + "|bank|record.bmp|Letter to Bank\r\n^ExeLnk|" +
                                               script + "|bund|record.bmp|Letter to Bund\r\n")
                                                  .toUtf8());
}

// The rows as a screen reader is given them.
QStringList SpokenRows(TFormFind* w) {
    QStringList out;
    for (int i = 0; i < w->results()->count(); ++i)
        out << w->results()->item(i)->data(Qt::AccessibleTextRole).toString();
    return out;
}

void Type(TFormFind* w, const QString& text) { QTest::keyClicks(w->textBox(), text); }

}  // namespace

class FindWindowTest : public QObject {
    Q_OBJECT
private slots:
    void typingNarrowsTheRowsAndReturnOpensTheChosenOne() {
        TestProgram t;
        WriteStore(t);
        t.startUp();
        Program& p = t.program();
        // Nothing of the find is made at start-up.
        QVERIFY(!p.find());
        QVERIFY(p.search()->stale());
        p.ShowFind(QString());
        TFormFind* w = p.find();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->windowTitle(), QString("Tandrel Orbel - Find"));
        QCOMPARE(QApplication::focusWidget(), w->textBox());
        QCOMPARE(w->results()->accessibleName(), QString("Results"));
        QCOMPARE(w->results()->count(), 0);

        Type(w, "l");
        QCOMPARE(SpokenRows(w), QStringList({"Letter to Bank, Office", "Letter to Bund, Office"}));
        Type(w, "e");
        QCOMPARE(w->results()->count(), 2);
        // The arrows move in the list while the typing stays in the text box.
        QTest::keyClick(w->textBox(), Qt::Key_Down);
        QCOMPARE(w->results()->currentRow(), 1);
        QTest::keyClick(w->textBox(), Qt::Key_Up);
        QCOMPARE(w->results()->currentRow(), 0);
        QTest::keyClick(w->textBox(), Qt::Key_Down);
        Type(w, "tter bu");
        QCOMPARE(SpokenRows(w), QStringList({"Letter to Bund, Office"}));
        QCOMPARE(w->textBox()->text(), QString("letter bu"));
        QTest::keyClick(w->textBox(), Qt::Key_Backspace);
        QTest::keyClick(w->textBox(), Qt::Key_Down);
        QTest::keyClick(w->textBox(), Qt::Key_Return);
        QVERIFY(!w->isVisible());
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("bund\n"));
        QVERIFY(t.notices.isEmpty());
        // Counted for the ranking, in the program's own file.
        const QString history = QString::fromStdString(p.places().launchHistoryFile());
        QVERIFY(ReadText(history).contains(t.dir() + "record\tbund"));

        // Opened with text typed in: the access key's marker is not shown;
        // Return takes the first row.
        QFile::remove(t.dir() + "args.txt");
        p.ShowFind("record arg");
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(SpokenRows(w), QStringList({"Record arguments"}));
        QTest::keyClick(w->textBox(), Qt::Key_Return);
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("one\ntwo words\n"));

        // Esc hides it and opens nothing.
        QFile::remove(t.dir() + "args.txt");
        p.ShowFind("letter");
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->textBox(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QVERIFY(!QFile::exists(t.dir() + "args.txt"));

        // A choice in the tray menu counts in the history too.
        LiveMenu* menu = p.items()->liveMenu();
        menu->realise();
        menu->choose(*LiveMenu::EntryOf(testing::ActionOf(menu, "&Record arguments")));
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("one\ntwo words\n"));
        QVERIFY(ReadText(history).contains(t.dir() + "record\tone \"two words\""));
    }

    void aSaveInTheManagerIsFoundAfterIt() {
        TestProgram t;
        WriteStore(t);
        TFormItems* f = OpenManager(t);
        Program& p = t.program();
        p.ShowFind("bank");
        QVERIFY(QTest::qWaitForWindowActive(p.find()));
        QCOMPARE(p.find()->results()->count(), 1);
        // Turning to another window hides it.
        f->activateWindow();
        QTRY_VERIFY(!p.find()->isVisible());
        // A rename saved.
        f->selectNode(NodeNamed(p.store().items, "Letter to Bank"));
        Control<QLineEdit>(f, "EditSName")->selectAll();
        QTest::keyClicks(Control<QLineEdit>(f, "EditSName"), "Invoice March");
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnSave"), Qt::LeftButton);
        QVERIFY(f->saved());
        // Closing after the save reloads the store.
        QTest::mouseClick(Control<QPushButton>(f, "BitBtnClose"), Qt::LeftButton);
        QVERIFY(p.search()->stale());
        p.ShowFind("bank");
        QCOMPARE(p.find()->results()->count(), 0);
        p.find()->textBox()->setText("march invoice");
        QCOMPARE(SpokenRows(p.find()), QStringList({"Invoice March, Office"}));
        p.find()->launchChosen();
        QTRY_COMPARE(ReadText(t.dir() + "args.txt"), QString("bank\n"));
    }
};

QTEST_MAIN(FindWindowTest)
#include "find_window_test.moc"
