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
#include "app/shell/form_general.h"
#include "app/shell/orbel_application.h"
#include "core/store/node_kinds.h"
#include "core/manager/tree_rules.h"
#include "support/manager_support.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::OpenManager;
using orbel::testing::TestProgram;
using orbel::testing::TreeModelOf;

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

QString Buttons(TFormItems* f) {
    QString s;
    s += Control<QPushButton>(f, "BitBtnCut")->isEnabled() ? 'C' : '-';
    s += Control<QPushButton>(f, "BitBtnCopy")->isEnabled() ? 'O' : '-';
    s += Control<QPushButton>(f, "BitBtnPaste")->isEnabled() ? 'P' : '-';
    s += Control<QPushButton>(f, "BitBtnDelete")->isEnabled() ? 'D' : '-';
    s += Control<QPushButton>(f, "BitBtnLaunch")->isEnabled() ? 'L' : '-';
    return s;
}

// Replaces the box's text the way a user does: select all, then type.
void Retype(QLineEdit* box, const QString& text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    else QTest::keyClicks(box, text);
}

}  // namespace

class ManagerPanelTest : public QObject {
    Q_OBJECT
private slots:
    void layoutKeepsEveryControlInsideTheClientArea() {
        TestProgram t;
        TFormItems* f = OpenManager(t);
        QCOMPARE(f->clientSize(), QSize(521, 533));
        QCOMPARE(Control<QFrame>(f, "PanelProp")->width(), 175);
        QCOMPARE(Control<QFrame>(f, "PanelAdmin")->width(), 175);
        QCOMPARE(f->StatusText(), QString("Ready"));
        // Tree on the left, panels to its right, properties above admin.
        QVERIFY(Control<TkvWinTreeView>(f, "TVItems")->geometry().right() <
                Control<QFrame>(f, "PanelProp")->geometry().left());
        QVERIFY(Control<QFrame>(f, "PanelProp")->geometry().bottom() <
                Control<QFrame>(f, "PanelAdmin")->geometry().top());
        QVERIFY(Control<QStatusBar>(f, "StatusBarHelp")->geometry().top() >=
                Control<QFrame>(f, "PanelAdmin")->mapTo(f, QPoint(0, Control<QFrame>(f, "PanelAdmin")->height())).y());
        // No control sticks out of the panel or window that holds it.
        for (QWidget* w : f->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(f) || w->isWindow() || !w->parentWidget() || w->objectName().isEmpty()) continue;
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
        TestProgram t;
        TFormItems* f = OpenManager(t);
        const std::pair<QWidget*, const char*> boxes[] = {{Control<TkvWinTreeView>(f, "TVItems"), "Items"},
                                                          {Control<QLineEdit>(f, "EditSName"), "Item Text"},
                                                          {Control<QPlainTextEdit>(f, "RichEditFPath"), "File Path"},
                                                          {Control<QLineEdit>(f, "RichEditFName"), "File Name"},
                                                          {Control<QLineEdit>(f, "RichEditFParams"), "Parameters"},
                                                          {Control<QLineEdit>(f, "EditSParams"), "Parameters"},
                                                          {Control<QLineEdit>(f, "MemoAddName"), "Item Text"}};
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
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, at);
        QVERIFY(n);
        f->selectNode(n);
        QCOMPARE(f->selectedNode(), n);
        QCOMPARE(Control<QLabel>(f, "LblFType")->text(), type);
        QCOMPARE(Control<QLineEdit>(f, "EditSName")->text(), name);
        QCOMPARE(Control<QLineEdit>(f, "EditSName")->isEnabled(), nameOn);
        QCOMPARE(Control<QLineEdit>(f, "RichEditFName")->text(), file);
        QCOMPARE(Control<QPlainTextEdit>(f, "RichEditFPath")->toPlainText(), path);
        QCOMPARE(Control<QLineEdit>(f, "EditSParams")->text(), params);
        QCOMPARE(Control<QLineEdit>(f, "EditSParams")->isEnabled(), paramsOn);
        QCOMPARE(Buttons(f), buttons);
        // Always on, whatever the selection.
        for (QPushButton* b : {Control<QPushButton>(f, "BitBtnUndo"), Control<QPushButton>(f, "BitBtnSave"),
                               Control<QPushButton>(f, "BitBtnSweep"), Control<QPushButton>(f, "BitBtnClose"),
                               Control<QPushButton>(f, "BitBtnHelp")})
            QVERIFY(b->isEnabled());
        // The type picture is the node's menu image over button face.
        QVERIFY(!Control<QLabel>(f, "ImgFType")->pixmap().isNull());
        QCOMPARE(Control<QLabel>(f, "ImgFType")->pixmap().size(), QSize(16, 16));
    }

    void showingSelectsTheTopNodeAndFillsThePanel() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        QCOMPARE(f->selectedNode(), t.program().store().items.firstTopLevel());
        QCOMPARE(Control<QLabel>(f, "LblFType")->text(), QString("Item Type: Utility item"));
    }

    void expandingAFolderOpensItsSelectedImage() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* tools = testing::NodeAt(t.program().store().items, "1");
        const QModelIndex i = TreeModelOf(f)->indexOf(tools);
        Control<TkvWinTreeView>(f, "TVItems")->expand(i);
        QCOMPARE(tools->selectedIndex, 1);
        QCOMPARE(tools->imageIndex, 0);
        Control<TkvWinTreeView>(f, "TVItems")->collapse(i);
        QCOMPARE(tools->selectedIndex, 0);
        // Built-in "Orbel Kit" keeps its picture.
        TreeNode* kit = testing::NodeAt(t.program().store().items, "10");
        Control<TkvWinTreeView>(f, "TVItems")->expand(TreeModelOf(f)->indexOf(kit));
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
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* tools = testing::NodeAt(t.program().store().items, "1");
        f->selectNode(tools);
        Retype(Control<QLineEdit>(f, "EditSName"), typed);
        QCOMPARE(QString::fromStdString(tools->text), kept);
        QCOMPARE(TreeModelOf(f)->indexOf(tools).data().toString(), kept);  // the view follows
        QCOMPARE(f->StatusText(), status);
        QCOMPARE(Control<QLineEdit>(f, "EditSName")->text(), typed);  // the box keeps what was typed
        if (status != "Ready") QCOMPARE(Control<Timer>(f, "TimerStatusText")->interval(), 4750);
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
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, at);
        f->selectNode(n);
        Retype(Control<QLineEdit>(f, "EditSName"), typed);
        QCOMPARE(QString::fromStdString(n->text), text);
        QCOMPARE(n->imageIndex, image);
        QCOMPARE(n->selectedIndex, image);
        // Same-named separators are no folder conflict: nothing refused.
        QCOMPARE(f->StatusText(), QString("Ready"));
        // The panel shows the node as it is now.
        f->ShowProperties(n);
        QCOMPARE(Control<QLabel>(f, "LblFType")->text(), QString("Item Type: Separator item"));
    }

    void typingAPlainSeparatorsFirstKeyMakesItATextSeparator() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, "2");
        f->selectNode(n);
        Control<QLineEdit>(f, "EditSName")->setFocus();
        QTest::keyClick(Control<QLineEdit>(f, "EditSName"), Qt::Key_N);
        QCOMPARE(QString::fromStdString(n->text), QString("--n--"));
        QTest::keyClick(Control<QLineEdit>(f, "EditSName"), Qt::Key_Backspace);
        QCOMPARE(QString::fromStdString(n->text), QString("---------------"));
        QCOMPARE(n->imageIndex, 3);
    }

    void itemsTakeAnyTrimmedText() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, "5");
        f->selectNode(n);
        Retype(Control<QLineEdit>(f, "EditSName"), "  Tools ");  // a folder's name is no conflict for an item
        QCOMPARE(QString::fromStdString(n->text), QString("Tools"));
        Retype(Control<QLineEdit>(f, "EditSName"), "");
        QCOMPARE(QString::fromStdString(n->text), QString());
        QCOMPARE(f->StatusText(), QString("Ready"));
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
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, at);
        f->selectNode(n);
        Control<QLineEdit>(f, "EditSName")->setText("Line\r\n Break");
        QTest::keyClick(Control<QLineEdit>(f, "EditSName"), Qt::Key_End);
        QCOMPARE(QString::fromStdString(n->text), expected);
        QVERIFY(!Control<QLineEdit>(f, "EditSName")->text().contains('\n'));
        QVERIFY(!Control<QLineEdit>(f, "EditSName")->text().contains('\r'));
    }

    void parametersFollowTheTypingAndRefuseTheBar() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* n = testing::NodeAt(t.program().store().items, "4");
        f->selectNode(n);
        ItemTable& table = t.program().store().table;
        Retype(Control<QLineEdit>(f, "EditSParams"), " -v ");
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString(" -v "));  // not trimmed
        const int chordsBefore = testing::SoundsPlayed(t, "chord.wav");
        QTest::keyClick(Control<QLineEdit>(f, "EditSParams"), Qt::Key_Bar, Qt::ShiftModifier);
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString(" -v "));
        QCOMPARE(Control<QLineEdit>(f, "EditSParams")->text(), QString(" -v "));
        QCOMPARE(f->StatusText(), QString(manager_texts::ParamsBar));
        QCOMPARE(testing::SoundsPlayed(t, "chord.wav"), chordsBefore + 1);
        // A pasted line break goes, the rest stays.
        Control<QLineEdit>(f, "EditSParams")->setText("-a\n-b");
        QTest::keyClick(Control<QLineEdit>(f, "EditSParams"), Qt::Key_End);
        QCOMPARE(QString::fromStdString(table.GetItemParameters(n->itemNumber)), QString("-a-b"));
        QCOMPARE(Control<QLineEdit>(f, "EditSParams")->text(), QString("-a-b"));
    }

    void disabledBoxesNeverEditTheNode() {
        TestProgram t;
        WriteKindsStore(t);
        TFormItems* f = OpenManager(t);
        TreeNode* kit = testing::NodeAt(t.program().store().items, "10");
        f->selectNode(kit);
        Control<QLineEdit>(f, "EditSName")->setText("Hacked");
        f->EditSNameKeyDown();  // even when called directly
        QCOMPARE(QString::fromStdString(kit->text), QString("Orbel Kit"));
        TreeNode* doc = testing::NodeAt(t.program().store().items, "5");
        f->selectNode(doc);
        Control<QLineEdit>(f, "EditSParams")->setText("-x");
        f->EditSParamsKeyDown();
        QCOMPARE(QString::fromStdString(t.program().store().table.GetItemParameters(doc->itemNumber)), QString());
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
