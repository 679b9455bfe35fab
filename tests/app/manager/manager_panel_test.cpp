// The item manager's layout, its properties panel per node kind, the buttons
// per selection, keystroke editing of names and parameters, and the status line.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/program/form_general.h"
#include "app/program/orbel_application.h"
#include "core/store/node_kinds.h"
#include "core/manager/tree_rules.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::Retype;
using orbel::testing::TestProgram;

namespace {

// Top level: 0 marker, 1 Tools (0 marker, 1 Inner), 2 plain separator,
// 3 News, 4 Truth (/bin/true -x), 5 Report, 6 Batch, 7 Link, 8 Docs,
// 9 --Sysmenu--, 10 Orbel Kit, 11 Close.
void WriteKindsStore(TestProgram& t) {
    t.write("shortcuts/shortcuts.txt",
            "^Folder|Tools\r\n^NorSep|\r\n^SpeSep|News\r\n^ExeLnk|/bin/true|-x|true.bmp|Truth\r\n"
            "^UnkLnk|/tmp/report.txt|txt|Report\r\n^UnkLnk|/tmp/RUN.BAT|BAT|Batch\r\n"
            "^UnkLnk|/tmp/link.lnk|lnk|Link\r\n^UnkLnk|/tmp/docs||Docs\r\n");
    t.write("shortcuts/Tools/shortcuts.txt", "^UnkLnk|/tmp/inner.txt|txt|Inner\r\n");
}

}  // namespace

class ManagerPanelTest : public QObject {
    Q_OBJECT
private slots:
    void layoutKeepsEveryControlInsideTheClientArea() {
        testing::ManagerFixture x;
        QCOMPARE(x.f->clientSize(), QSize(521, 533));
        QCOMPARE(Control<QFrame>(x.f, "PanelProp")->width(), 175);
        QCOMPARE(Control<QFrame>(x.f, "PanelAdmin")->width(), 175);
        QCOMPARE(x.f->StatusText(), QString("Ready"));
        // Tree on the left, panels to its right, properties above admin.
        QVERIFY(Control<TkvWinTreeView>(x.f, "TVItems")->geometry().right() <
                Control<QFrame>(x.f, "PanelProp")->geometry().left());
        QVERIFY(Control<QFrame>(x.f, "PanelProp")->geometry().bottom() <
                Control<QFrame>(x.f, "PanelAdmin")->geometry().top());
        QVERIFY(Control<QStatusBar>(x.f, "StatusBarHelp")->geometry().top() >=
                Control<QFrame>(x.f, "PanelAdmin")
                    ->mapTo(x.f, QPoint(0, Control<QFrame>(x.f, "PanelAdmin")->height()))
                    .y());
        // No control sticks out of the panel or window that holds it.
        for (QWidget* w : x.f->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(x.f) || w->isWindow() || !w->parentWidget() || w->objectName().isEmpty()) continue;
            if (w->parentWidget()->inherits("QAbstractScrollArea") || w->parentWidget()->inherits("QLineEdit"))
                continue;
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
        }
    }

    void captionsAndHints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("save") << "BitBtnSave"
                              << "S&ave"
                              << "Save changes (take effect after closing the form) - only new changes can be undone";
        QTest::newRow("close") << "BitBtnClose"
                               << "C&lose"
                               << "Exit (changes made since last save won't be applyed)";
        QTest::newRow("launch") << "BitBtnLaunch"
                                << "&Launch"
                                << "Launch the given shortcut (the same as launching them from the popumenu)";
        QTest::newRow("undo") << "BitBtnUndo"
                              << "&Undo"
                              << "Undo all changes (since last save)";
        QTest::newRow("sweep") << "BitBtnSweep"
                               << "&Sweep"
                               << "Sweep for invalid items (e.g. non-existing files)";
        QTest::newRow("paste") << "BitBtnPaste"
                               << "&Paste"
                               << "Paste an item which you have just cutted or copyed before";
        QTest::newRow("add") << "BitBtnAdd"
                             << "Add.."
                             << "Find a file of any type and prepare it to be attached";
        QTest::newRow("name box") << "EditSName"
                                  << ""
                                  << "This is the showed \"item text\"";
        QTest::newRow("path") << "RichEditFPath"
                              << ""
                              << "The file-path (e.g. c:\\tandrel\\) which the item points at";
        QTest::newRow("params") << "EditSParams"
                                << ""
                                << "The parameters to use for executing this (exe) file";
        QTest::newRow("admin head") << "PanelHeadAdmin"
                                    << "Administer"
                                    << "\"Administer\" is the place where you add, delete etc. items";
        QTest::newRow("folder mode") << "RBFolder"
                                     << "Folder (virtual)"
                                     << "Choosing this makes it possible to add sub-treeview-folders";
    }
    void captionsAndHints() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        TestProgram t;
        t.program().items()->ensureContents();
        QWidget* w = t.program().items()->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        // The long hint is the status tip: the hint handler shows it.
        QCOMPARE(w->statusTip(), hint);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) QCOMPARE(b->text(), caption);
        if (auto* l = qobject_cast<QLabel*>(w)) QCOMPARE(l->text(), caption);
    }

    void boxesAreNamedForScreenReaders() {
        testing::ManagerFixture x;
        const std::pair<QWidget*, const char*> boxes[] = {{Control<TkvWinTreeView>(x.f, "TVItems"), "Items"},
                                                          {Control<QLineEdit>(x.f, "EditSName"), "Item Text"},
                                                          {Control<QPlainTextEdit>(x.f, "RichEditFPath"), "File Path"},
                                                          {Control<QLineEdit>(x.f, "RichEditFName"), "File Name"},
                                                          {Control<QLineEdit>(x.f, "RichEditFParams"), "Parameters"},
                                                          {Control<QLineEdit>(x.f, "EditSParams"), "Parameters"},
                                                          {Control<QLineEdit>(x.f, "MemoAddName"), "Item Text"}};
        for (auto [box, name] : boxes) QCOMPARE(testing::SpokenName(box), QString(name));
    }

    void panelAndButtonsPerNodeKind_data() {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("nameOn");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("params");
        QTest::addColumn<bool>("paramsOn");
        QTest::addColumn<QString>("buttons");
        const QString na = "File Name: N/A", pa = "File Path: N/A";
        QTest::newRow("top marker") << "0"
                                    << "Item Type: Utility item"
                                    << "Top" << false << na << pa << "N/A" << false << "-----";
        QTest::newRow("folder") << "1"
                                << "Item Type: Virtual item"
                                << "Tools" << true << na << pa << "N/A" << false << "C--D-";
        QTest::newRow("folder's marker") << "1/0"
                                         << "Item Type: Utility item"
                                         << "Top" << false << na << pa << "N/A" << false << "-----";
        QTest::newRow("plain separator") << "2"
                                         << "Item Type: Separator item"
                                         << "" << true << na << pa << "N/A" << false << "CO-D-";
        QTest::newRow("text separator") << "3"
                                        << "Item Type: Separator item"
                                        << "News" << true << na << pa << "N/A" << false << "CO-D-";
        QTest::newRow("program") << "4"
                                 << "Item Type: Executable item"
                                 << "Truth" << true << "File Name: true"
                                 << "File Path: /bin/"
                                 << "-x" << true << "CO-DL";
        QTest::newRow("document") << "5"
                                  << "Item Type: Startable item"
                                  << "Report" << true << "File Name: report.txt"
                                  << "File Path: /tmp/"
                                  << "N/A" << false << "CO-DL";
        QTest::newRow("batch, any case") << "6"
                                         << "Item Type: Runable item"
                                         << "Batch" << true << "File Name: RUN.BAT"
                                         << "File Path: /tmp/"
                                         << "N/A" << false << "CO-DL";
        QTest::newRow("shortcut") << "7"
                                  << "Item Type: Shortcut item"
                                  << "Link" << true << "File Name: link.lnk"
                                  << "File Path: /tmp/"
                                  << "N/A" << false << "CO-DL";
        QTest::newRow("directory") << "8"
                                   << "Item Type: Startable item"
                                   << "Docs" << true << "File Name: docs"
                                   << "File Path: /tmp/"
                                   << "N/A" << false << "CO-DL";
        QTest::newRow("inside a folder") << "1/1"
                                         << "Item Type: Startable item"
                                         << "Inner" << true << "File Name: inner.txt"
                                         << "File Path: /tmp/"
                                         << "N/A" << false << "CO-DL";
        QTest::newRow("Sysmenu") << "9"
                                 << "Item Type: Program item"
                                 << "Sysmenu" << false << na << pa << "N/A" << false << "-----";
        QTest::newRow("Orbel Kit") << "10"
                                   << "Item Type: Program item"
                                   << "Orbel Kit" << false << na << pa << "N/A" << false << "-----";
        QTest::newRow("kit's separator") << "10/1"
                                         << "Item Type: Program item"
                                         << "" << false << na << pa << "N/A" << false << "-----";
        QTest::newRow("Close") << "11"
                               << "Item Type: Program item"
                               << "Close" << false << na << pa << "N/A" << false << "-----";
    }
    void panelAndButtonsPerNodeKind() {
        QFETCH(QString, at);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QFETCH(bool, nameOn);
        QFETCH(QString, file);
        QFETCH(QString, path);
        QFETCH(QString, params);
        QFETCH(bool, paramsOn);
        QFETCH(QString, buttons);
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at(at);
        QVERIFY(n);
        x.f->selectNode(n);
        QCOMPARE(x.f->selectedNode(), n);
        QCOMPARE(Control<QLabel>(x.f, "LblFType")->text(), type);
        QCOMPARE(x.box("EditSName")->text(), name);
        QCOMPARE(x.box("EditSName")->isEnabled(), nameOn);
        QCOMPARE(x.box("RichEditFName")->text(), file);
        QCOMPARE(Control<QPlainTextEdit>(x.f, "RichEditFPath")->toPlainText(), path);
        QCOMPARE(x.box("EditSParams")->text(), params);
        QCOMPARE(x.box("EditSParams")->isEnabled(), paramsOn);
        QCOMPARE(x.buttons("COPDL"), buttons);
        // Always on, whatever the selection.
        for (QPushButton* b : {x.button("BitBtnUndo"), x.button("BitBtnSave"), x.button("BitBtnSweep"),
                               x.button("BitBtnClose"), x.button("BitBtnHelp")})
            QVERIFY(b->isEnabled());
        // The type picture is the node's menu image over button face.
        QVERIFY(!Control<QLabel>(x.f, "ImgFType")->pixmap().isNull());
        QCOMPARE(Control<QLabel>(x.f, "ImgFType")->pixmap().size(), QSize(16, 16));
    }

    void showingSelectsTheTopNodeAndFillsThePanel() {
        testing::ManagerFixture x(WriteKindsStore);
        QCOMPARE(x.f->selectedNode(), x.tree().firstTopLevel());
        QCOMPARE(Control<QLabel>(x.f, "LblFType")->text(), QString("Item Type: Utility item"));
    }

    void expandingAFolderOpensItsSelectedImage() {
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* tools = x.at("1");
        const QModelIndex i = x.index(tools);
        x.view()->expand(i);
        QCOMPARE(tools->selectedIndex, 1);
        QCOMPARE(tools->imageIndex, 0);
        x.view()->collapse(i);
        QCOMPARE(tools->selectedIndex, 0);
        // Built-in "Orbel Kit" keeps its picture.
        TreeNode* kit = x.at("10");
        x.view()->expand(x.index(kit));
        QCOMPARE(kit->selectedIndex, 0);
    }

    void renamingAFolder_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("status");
        const QString ready = "Ready";
        QTest::newRow("accepted") << "Tools2"
                                  << "Tools2" << ready;
        QTest::newRow("trimmed") << "Spaced  "
                                 << "Spaced" << ready;
        // Typing a leading blank first gives an empty name for a moment.
        QTest::newRow("leading blank") << " Spaced"
                                       << "Spaced" << QString(manager_texts::FolderNeedsName);
        QTest::newRow("slash") << "a/b"
                               << "a" << manager_texts::FolderBadChar;
        QTest::newRow("vertical bar") << "a|b"
                                      << "a" << manager_texts::FolderBadChar;
        QTest::newRow("sibling item's name") << "Report"
                                             << "Repor" << manager_texts::FolderDuplicate;
        QTest::newRow("other case, blanks") << " REPORT"
                                            << "REPOR" << manager_texts::FolderDuplicate;
        QTest::newRow("empty") << ""
                               << "Tools" << manager_texts::FolderNeedsName;
        QTest::newRow("only blanks") << "   "
                                     << "Tools" << manager_texts::FolderNeedsName;
        QTest::newRow("index file's name") << "shortcuts.txt"
                                           << "shortcuts.tx" << manager_texts::FolderReserved;
    }
    void renamingAFolder() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, status);
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* tools = x.at("1");
        x.f->selectNode(tools);
        Retype(x.box("EditSName"), typed);
        QCOMPARE(QString::fromStdString(tools->text), kept);
        QCOMPARE(x.index(tools).data().toString(), kept);  // the view follows
        QCOMPARE(x.f->StatusText(), status);
        QCOMPARE(x.box("EditSName")->text(), typed);  // the box keeps what was typed
        if (status != "Ready") QCOMPARE(Control<Timer>(x.f, "TimerStatusText")->interval(), 4750);
    }

    void separatorsSwitchKindWhileTyping_data() {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("image");
        QTest::newRow("plain gets a caption") << "2"
                                              << "Tools"
                                              << "--Tools--" << 4;
        QTest::newRow("caption cleared") << "3"
                                         << ""
                                         << "---------------" << 3;
        QTest::newRow("dashes only") << "3"
                                     << "-----"
                                     << "---------------" << 3;
        QTest::newRow("blanks kept") << "2"
                                     << " a "
                                     << "-- a --" << 4;
    }
    void separatorsSwitchKindWhileTyping() {
        QFETCH(QString, at);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, image);
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at(at);
        x.f->selectNode(n);
        Retype(x.box("EditSName"), typed);
        QCOMPARE(QString::fromStdString(n->text), text);
        QCOMPARE(n->imageIndex, image);
        QCOMPARE(n->selectedIndex, image);
        // Same-named separators are no folder conflict: nothing refused.
        QCOMPARE(x.f->StatusText(), QString("Ready"));
        // The panel shows the node as it is now.
        x.f->ShowProperties(n);
        QCOMPARE(Control<QLabel>(x.f, "LblFType")->text(), QString("Item Type: Separator item"));
    }

    void typingAPlainSeparatorsFirstKeyMakesItATextSeparator() {
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at("2");
        x.f->selectNode(n);
        x.box("EditSName")->setFocus();
        QTest::keyClick(x.box("EditSName"), Qt::Key_N);
        QCOMPARE(QString::fromStdString(n->text), QString("--n--"));
        QTest::keyClick(x.box("EditSName"), Qt::Key_Backspace);
        QCOMPARE(QString::fromStdString(n->text), QString("---------------"));
        QCOMPARE(n->imageIndex, 3);
    }

    void itemsTakeAnyTrimmedText() {
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at("5");
        x.f->selectNode(n);
        Retype(x.box("EditSName"), "  Tools ");  // a folder's name is no conflict for an item
        QCOMPARE(QString::fromStdString(n->text), QString("Tools"));
        Retype(x.box("EditSName"), "");
        QCOMPARE(QString::fromStdString(n->text), QString());
        QCOMPARE(x.f->StatusText(), QString("Ready"));
    }

    void pastedLineBreaksNeverReachTheTree_data() {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("expected");
        QTest::newRow("item") << "5"
                              << "Line Break";
        QTest::newRow("folder") << "1"
                                << "Line Break";
        QTest::newRow("separator") << "2"
                                   << "--Line Break--";
    }
    void pastedLineBreaksNeverReachTheTree() {
        QFETCH(QString, at);
        QFETCH(QString, expected);
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at(at);
        x.f->selectNode(n);
        x.box("EditSName")->setText("Line\r\n Break");
        QTest::keyClick(x.box("EditSName"), Qt::Key_End);
        QCOMPARE(QString::fromStdString(n->text), expected);
        QVERIFY(!x.box("EditSName")->text().contains('\n'));
        QVERIFY(!x.box("EditSName")->text().contains('\r'));
    }

    void parametersFollowTheTypingAndRefuseTheBar() {
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* n = x.at("4");
        x.f->selectNode(n);
        ItemTable& table = x.table();
        Retype(x.box("EditSParams"), " -v ");
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString(" -v "));  // not trimmed
        const int chordsBefore = x.chords();
        QTest::keyClick(x.box("EditSParams"), Qt::Key_Bar, Qt::ShiftModifier);
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString(" -v "));
        QCOMPARE(x.box("EditSParams")->text(), QString(" -v "));
        QCOMPARE(x.f->StatusText(), QString(manager_texts::ParamsBar));
        QCOMPARE(x.chords(), chordsBefore + 1);
        // A pasted line break goes, the rest stays.
        x.box("EditSParams")->setText("-a\n-b");
        QTest::keyClick(x.box("EditSParams"), Qt::Key_End);
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString("-a-b"));
        QCOMPARE(x.box("EditSParams")->text(), QString("-a-b"));
    }

    void disabledBoxesNeverEditTheNode() {
        testing::ManagerFixture x(WriteKindsStore);
        TreeNode* kit = x.at("10");
        x.f->selectNode(kit);
        x.box("EditSName")->setText("Hacked");
        x.f->EditSNameKeyDown();  // even when called directly
        QCOMPARE(QString::fromStdString(kit->text), QString("Orbel Kit"));
        TreeNode* doc = x.at("5");
        x.f->selectNode(doc);
        x.box("EditSParams")->setText("-x");
        x.f->EditSParamsKeyDown();
        QCOMPARE(QString::fromStdString(x.table().GetItemParameters(doc->itemNumber)), QString());
    }

    void statusLineAndItsTimer() {
        TestProgram t;
        t.startUp();
        TFormItems* f = t.program().items();
        QVERIFY(!Control<Timer>(f, "TimerStatusText")->isActive());  // not before the first hint
        f->ShowStatus("Message");
        QCOMPARE(f->StatusText(), QString("Message"));
        QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 4750);
        f->TimerStatusTextTimer();
        QCOMPARE(f->StatusText(), QString("Ready"));
        QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 100);
        f->SetStatusText("A hint");
        f->TimerStatusTextTimer();
        QCOMPARE(f->StatusText(), QString("A hint"));  // a hint stays while shown
        f->SetStatusText("");
        f->TimerStatusTextTimer();
        QCOMPARE(f->StatusText(), QString("Ready"));
    }

    void hintsReachTheStatusLineOnlyWhileTheManagerIsActive() {
        TestProgram t;
        t.startUp();
        TFormItems* f = t.program().items();
        t.program().general()->AEGeneralHint("Short|Long hint");
        QCOMPARE(f->StatusText(), QString("Ready"));  // hidden: not active
        f->show();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f)) QSKIP("no active window on this platform");
        t.program().general()->AEGeneralHint("Short|Long hint");
        QCOMPARE(f->StatusText(), QString("Long hint"));
        QVERIFY(Control<Timer>(f, "TimerStatusText")->isActive());
        QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 100);
        // A message then stays 4.75 s, and the running timer brings "Ready" back.
        f->ShowStatus("Saved");
        t.clock.advance(4749);
        QCOMPARE(f->StatusText(), QString("Saved"));
        t.clock.advance(1);
        QCOMPARE(f->StatusText(), QString("Ready"));
        QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 100);
    }
};

int main(int argc, char** argv) {
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    ManagerPanelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "manager_panel_test.moc"
