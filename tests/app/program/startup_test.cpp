// Start-up, the tray menu as built, the leftover backup, reload and the
// application-wide error handler.

#include <QAbstractItemModel>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QTreeView>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <stdexcept>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/services/clock.h"
#include "app/program/form_general.h"
#include "app/program/orbel_application.h"
#include "app/images/image_lists.h"
#include "app/tray/form_shortcuts.h"
#include "app/tray/live_menu.h"
#include "app/program/tray_commands.h"
#include "app/widgets/sys_tray_icon.h"
#include "core/program/texts.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::TestProgram;
using orbel::testing::VisibleCaptions;

namespace {

QMenu* Realised(LiveMenu* menu) {
    menu->realise();
    return menu;
}

// A folder's submenu, reached as the pointer or the arrow keys reach it:
// the entry becomes the current one first.
LiveMenu* Submenu(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions())
        if (a->text() == caption) {
            menu->setActiveAction(a);
            auto* sub = qobject_cast<LiveMenu*>(a->menu());
            if (sub) sub->realise();
            return sub;
        }
    return nullptr;
}

// An object whose events fail, as a broken click handler would.
class Throwing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("boom in handler");
        return QObject::event(e);
    }
};

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void emptyStoreGivesTheFixedEntriesOnly() {
        TestProgram t;
        QVERIFY(!t.program().trayReady());  // mouse off until the end of start-up
        t.startUp();
        QVERIFY(t.exists("shortcuts"));  // made on first start
        QVERIFY(t.program().trayReady());
        QMenu* menu = Realised(t.program().items()->liveMenu());
        QCOMPARE(VisibleCaptions(menu), QStringList({"Sysmenu", "Orbel Kit", "Close"}));
        QMenu* kit = Submenu(menu, "Orbel Kit");
        QVERIFY(kit);
        QCOMPARE(VisibleCaptions(kit), QStringList({"Help File", "-", "Manage Items..", "Preferences..", "-",
                                                    "Visit Website", "-", "About.."}));
        QVERIFY(t.notices.isEmpty());
    }

    void aFolderGetsItsSubmenuWhenReached() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^Folder|One\r\n^Folder|Two\r\n");
        t.write("shortcuts/One/shortcuts.txt", "^UnkLnk|/tmp/a.txt|txt|InOne\r\n");
        t.write("shortcuts/Two/shortcuts.txt", "^UnkLnk|/tmp/b.txt|txt|InTwo\r\n");
        t.startUp();
        LiveMenu* menu = t.program().items()->liveMenu();
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // Showing the menu makes no submenu, yet folders show as submenus.
        QVERIFY(menu->findChildren<LiveMenu*>().isEmpty());
        QAction* one = menu->actions().at(0);
        QAction* two = menu->actions().at(1);
        // By key: down to the first folder, right opens it.
        QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), one);
        QTest::keyClick(menu, Qt::Key_Right);
        QTRY_VERIFY(one->menu() && one->menu()->isVisible());
        QCOMPARE(VisibleCaptions(one->menu()), QStringList({"InOne"}));
        QTest::keyClick(one->menu(), Qt::Key_Left);
        QTRY_VERIFY(!one->menu()->isVisible());
        // By pointer: resting on the second folder opens it.
        QVERIFY(!two->menu());
        QTest::mouseMove(menu, menu->actionGeometry(two).center());
        QTRY_VERIFY(two->menu() && two->menu()->isVisible());
        QCOMPARE(VisibleCaptions(two->menu()), QStringList({"InTwo"}));
        menu->hide();
    }

    void storeEntriesComeBeforeTheFixedOnes() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt",
                "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n^NorSep|\r\n^NorSep|\r\n^Folder|Empty\r\n"
                "^SpeSep|News\r\n^Folder|Full\r\n^ExeLnk|/bin/true|-x|true.bmp|Beta\r\n");
        t.mkdir("shortcuts/Empty");
        t.write("shortcuts/Full/shortcuts.txt", "^UnkLnk|/tmp/b.pdf|pdf|Inner\r\n");
        t.startUp();
        QMenu* menu = Realised(t.program().items()->liveMenu());
        // Doubled separators stay as stored.
        QCOMPARE(VisibleCaptions(menu),
                 QStringList({"Alpha", "-", "-", "Empty", "News", "Full", "Beta", "Sysmenu", "Orbel Kit", "Close"}));
        // An empty folder opens as a submenu with only its hidden entry.
        LiveMenu* empty = Submenu(menu, "Empty");
        QVERIFY(empty);
        QCOMPARE(empty->actions().size(), 1);
        QVERIFY(!empty->actions().first()->isVisible());
        QCOMPARE(VisibleCaptions(Submenu(menu, "Full")), QStringList({"Inner"}));
        // Item numbers: depth first, the folder's item before the one after it.
        const ItemTable& table = t.program().store().table;
        QCOMPARE(QString::fromStdString(table.pathOf(0)), QString("/tmp/a.txt"));
        QCOMPARE(QString::fromStdString(table.pathOf(1)), QString("/tmp/b.pdf"));
        QCOMPARE(QString::fromStdString(table.pathOf(2)), QString("/bin/true"));
        QCOMPARE(QString::fromStdString(table.GetItemParameters(2)), QString("-x"));
        // The tree view shows the same tree: marker, entries, built-in nodes.
        QAbstractItemModel* model = Control<TkvWinTreeView>(t.program().items(), "TVItems")->model();
        QCOMPARE(model->rowCount(), 1 + 7 + 3);
        QCOMPARE(model->index(1, 0).data().toString(), QString("Alpha"));
        QCOMPARE(model->index(5, 0).data().toString(), QString("--News--"));
        QCOMPARE(model->index(8, 0).data().toString(), QString("--Sysmenu--"));
        QVERIFY(!model->index(1, 0).data(Qt::DecorationRole).isNull());
    }

    void theItemTreeWaitsForTheManagersFirstShowing() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^Folder|Full\r\n^UnkLnk|/tmp/a.txt|txt|Alpha\r\n");
        t.write("shortcuts/Full/shortcuts.txt", "^UnkLnk|/tmp/b.pdf|pdf|Inner\r\n");
        t.program().setItemTreeWhenShown(true);
        t.startUp();
        Program& p = t.program();
        QVERIFY(p.trayReady());
        QAbstractItemModel* model = Control<TkvWinTreeView>(p.items(), "TVItems")->model();
        QVERIFY(p.store().treePending);
        QCOMPARE(model->rowCount(), 3);
        p.items()->show();
        QVERIFY(!p.store().treePending);
        QCOMPARE(model->rowCount(), 1 + 2 + 3);
        QCOMPARE(model->index(1, 0).data().toString(), QString("Full"));
        QCOMPARE(model->rowCount(model->index(1, 0)), 2);
        QCOMPARE(p.items()->selectedNode(), p.store().topAnchor);
        // The snapshot is the tree as loaded: Undo after an edit brings it back.
        p.items()->selectNode(p.store().items.topLevel(2));
        p.items()->BitBtnDeleteClick();
        QCOMPARE(model->rowCount(), 1 + 1 + 3);
        p.items()->BitBtnUndoClick();
        QCOMPARE(model->rowCount(), 1 + 2 + 3);
        QCOMPARE(model->index(2, 0).data().toString(), QString("Alpha"));
    }

    void theFilePickerIsMadeWhenAddFirstNeedsIt() {
        TestProgram t;
        t.startUp();
        TFormItems* items = t.program().items();
        QVERIFY(!items->findChild<QFileDialog*>());
        QFileDialog* picker = items->OpenDialogAdd();
        QCOMPARE(picker->objectName(), QString("OpenDialogAdd"));
        QCOMPARE(picker->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(picker->nameFilters(), QStringList{"All Files (*)"});
        QVERIFY(picker->testOption(QFileDialog::DontResolveSymlinks));
        QCOMPARE(picker->directory().absolutePath(), QDir::homePath());
        QCOMPARE(items->OpenDialogAdd(), picker);
    }

    void backupPromptAnswers_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QString>("storeHolds");
        QTest::addColumn<bool>("backupLeft");
        QTest::newRow("yes restores") << int(answer::Yes) << false << QString("Old") << false;
        QTest::newRow("no deletes the backup") << int(answer::No) << false << QString("New") << false;
        QTest::newRow("cancel ends, nothing touched") << int(answer::Cancel) << true << QString("New") << true;
    }
    void backupPromptAnswers() {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(QString, storeHolds);
        QFETCH(bool, backupLeft);
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^SpeSep|New\r\n");
        t.write("item_bak/shortcuts.txt", "^SpeSep|Old\r\n");
        t.questionAnswer = answer;
        t.startUp();
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].kind, NoticeKind::Question);
        QCOMPARE(t.notices[0].icon, NoticeIcon::Warning);
        QCOMPARE(t.notices[0].buttons, NoticeButtons::YesNoCancel);
        QCOMPARE(t.notices[0].text, t.program().backupPrompt());
        QVERIFY(
            t.notices[0].text.startsWith("A Backup of an earlier items list exists as \"" + t.dir() + "item_bak.\""));
        QCOMPARE(t.program().endRequested(), ends);
        QCOMPARE(t.program().trayReady(), !ends);
        QCOMPARE(t.exists("item_bak"), backupLeft);
        QFile f(t.dir() + "shortcuts/shortcuts.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), "^SpeSep|" + storeHolds + "\r\n");
        if (!ends) {
            QMenu* menu = Realised(t.program().items()->liveMenu());
            QCOMPARE(VisibleCaptions(menu).first(), storeHolds);
        }
    }

    void installedEachFileInItsPlaceAndEveryTextNamesIt() {
        TestProgram t(TestProgram::Layout::Installed);
        const QString data = t.dir() + "data/tandrel-orbel/", state = t.dir() + "state/tandrel-orbel/";
        t.write("data/tandrel-orbel/shortcuts/shortcuts.txt", "^SpeSep|New\r\n");
        t.write("data/tandrel-orbel/item_bak/shortcuts.txt", "^SpeSep|Old\r\n");
        t.questionAnswer = answer::Yes;
        t.startUp();
        Program& p = t.program();
        QVERIFY(p.trayReady());
        QVERIFY(QFileInfo(t.dir() + "config/tandrel-orbel").isDir());
        QVERIFY(QFileInfo(state).isDir());
        QCOMPARE(t.notices.size(), 1);
        QVERIFY(t.notices[0].text.startsWith("A Backup of an earlier items list exists as \"" + data + "item_bak.\""));
        QVERIFY(t.notices[0].text.contains("please send \"" + state + "errorlog.txt\""));
        QVERIFY(p.crashMessage().contains("please send \"" + state + "errorlog.txt\""));
        QCOMPARE(VisibleCaptions(Realised(p.items()->liveMenu())).first(), QString("Old"));

        miHelpFileClick(p);  // the help page stays where it was installed
        QCOMPARE(t.notices.last().text, "\"" + t.dir() + "prog/help.html\" not found.");
        p.config()->BtnOKClick();
        QVERIFY(QFileInfo::exists(t.dir() + "config/tandrel-orbel/orbel.ini"));
        Throwing obj;
        obj.setObjectName("BitBtnSave");
        QEvent ev(QEvent::User);
        QCoreApplication::sendEvent(&obj, &ev);
        QCOMPARE(t.notices[t.notices.size() - 2].text, state + "errorlog.txt");
        QVERIFY(QFileInfo::exists(state + "errorlog.txt"));
        QVERIFY(!t.exists("prog"));  // nothing is written beside the program
    }

    void reloadRebuildsFromTheStore() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^UnkLnk|/tmp/a.txt|txt|Alpha\r\n");
        t.startUp();
        QMenu* menu = Realised(t.program().items()->liveMenu());
        QCOMPARE(VisibleCaptions(menu).first(), QString("Alpha"));
        t.write("shortcuts/shortcuts.txt", "^UnkLnk|/tmp/b.odt|odt|Beta\r\n^UnkLnk|/tmp/c.txt|txt|Gamma\r\n");
        t.program().ReloadStore();
        QVERIFY(t.program().trayReady());
        menu = Realised(t.program().items()->liveMenu());
        QCOMPARE(VisibleCaptions(menu), QStringList({"Beta", "Gamma", "Sysmenu", "Orbel Kit", "Close"}));
        // Item numbers start again at 0; extension icons at 12, then the breaks.
        const ItemStore& s = t.program().store();
        QCOMPARE(QString::fromStdString(s.table.pathOf(0)), QString("/tmp/b.odt"));
        QCOMPARE(s.table.paths.length(), 2);
        QCOMPARE(s.images.at(12).kind, ImageRef::Kind::Extension);
        QCOMPARE(s.images.at(s.counters.nextExtensionSlot).kind, ImageRef::Kind::Break);
        QCOMPARE(Control<TkvWinTreeView>(t.program().items(), "TVItems")->model()->rowCount(), 1 + 2 + 3);
    }

    void aboutBoxVersionLineAndMemory() {
        TestProgram t;
        t.startUp();
        TFormAbout* about = t.program().about();
        QCOMPARE(Control<QLabel>(about, "LabelVer")->text(), QString("Tandrel Orbel version 1.12 for Linux"));
        QCOMPARE(about->windowTitle(), QString("Tandrel Orbel - About"));
        about->show();
        // Shown at once, not a second later.
        QVERIFY(QRegularExpression("^\\d{1,3}% used of the total memory at \\S+ KB$")
                    .match(Control<QLabel>(about, "LabelMemTotal")->text())
                    .hasMatch());
        QVERIFY(Control<Timer>(about, "TimerMem")->isActive());
        about->close();
        QVERIFY(!Control<Timer>(about, "TimerMem")->isActive());
        QVERIFY(about->isHidden());
    }

    void helpFileMissingSaysNotFound() {
        TestProgram t;
        t.startUp();
        miHelpFileClick(t.program());
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].text, "\"" + t.dir() + "help.html\" not found.");
    }

    void itemThatIsGoneShowsTheOpeningError() {
        TestProgram t;
        t.write("shortcuts/shortcuts.txt", "^UnkLnk|/nonexistent/gone.txt|txt|Gone\r\n");
        t.startUp();
        QMenu* menu = Realised(t.program().items()->liveMenu());
        menu->actions().first()->trigger();
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].text, QString::fromStdString(texts::OpeningErrorText("/nonexistent/gone.txt")));
        QVERIFY(t.notices[0].text.startsWith("Error opening the file /nonexistent/gone.txt. Most likely"));
    }

    // On a desktop without applications (see main) nothing opens these.
    void nothingToOpenWithShowsTheTexts() {
        TestProgram t;
        t.write("report.txt", "x");
        t.mkdir("docs");
        t.write("shortcuts/shortcuts.txt",
                ("^UnkLnk|" + t.dir() + "report.txt|txt|Report\r\n^UnkLnk|" + t.dir() + "docs||Docs\r\n").toUtf8());
        t.startUp();
        QMenu* menu = Realised(t.program().items()->liveMenu());
        menu->actions().at(0)->trigger();
        menu->actions().at(1)->trigger();
        miVisitWebsiteClick(t.program());
        QCOMPARE(t.notices.size(), 3);
        QCOMPARE(t.notices[0].text,
                 QString::fromStdString(texts::OpeningErrorText((t.dir() + "report.txt").toStdString())));
        QCOMPARE(t.notices[1].text, QString::fromStdString(texts::OpeningErrorText((t.dir() + "docs").toStdString())));
        QCOMPARE(t.notices[2].text, QString::fromStdString(texts::NotFoundText(texts::WebAddress)));
    }

    // Whatever the system refuses, the user is told what it means, and
    // nothing is reported done.
    void aRefusedSystemCallReachesTheUser() {
        using testing::PlatformCall;
        struct Case {
            const char* what;
            PlatformCall refused;
            std::function<void(TestProgram&)> act;
            std::function<QString(TestProgram&)> told;
        };
        const Case cases[] = {
            {"open an item", PlatformCall::OpenPath, [](TestProgram& t) { t.program().shortcuts()->OpenItemNumber(0); },
             [](TestProgram& t) {
                 return QString::fromStdString(texts::OpeningErrorText((t.dir() + "record").toStdString()));
             }},
            {"play a sound", PlatformCall::PlaySound, [](TestProgram& t) { t.program().playSound("media/chord.wav"); },
             [](TestProgram& t) { return t.program().logFile(); }},
            {"write the autostart entry", PlatformCall::WriteAutostart,
             [](TestProgram& t) { t.program().config()->BtnApplyClick(); },
             [](TestProgram&) {
                 return QString(
                     "Cannot write the autostart entry\r\n\r\nThe other preferences were saved and "
                     "applied; starting with the session was not changed.");
             }},
        };
        for (const Case& c : cases) {
            TestProgram t;
            const QString recorder = t.writeRecorder();
            t.write("shortcuts/shortcuts.txt", ("^UnkLnk|" + recorder + "|exe|Record\r\n").toUtf8());
            t.startUp();
            t.platform.failing = {c.refused};
            c.act(t);
            QVERIFY2(!t.notices.isEmpty(), c.what);
            QCOMPARE(t.notices.last().text, c.told(t));
            QVERIFY2(!t.exists("args.txt"), c.what);
        }
    }

    void kitCommandsShowTheirWindows() {
        TestProgram t;
        t.startUp();
        miManageItemsClick(t.program());
        QVERIFY(t.program().items()->isVisible());
        miManageItemsClick(t.program());  // already open: only brought forward
        QVERIFY(t.program().items()->isVisible());
        SetupClick(t.program());
        QVERIFY(t.program().config()->isVisible());
        miAboutClick(t.program());
        QVERIFY(t.program().about()->isVisible());
        miCloseAppClick(t.program());
        QVERIFY(t.program().endRequested());
    }

    void errorInAHandlerIsLoggedAndEndsTheProgram() {
        TestProgram t;
        t.startUp();
        Throwing obj;
        obj.setObjectName("BitBtnSave");
        QEvent ev(QEvent::User);
        QCoreApplication::sendEvent(&obj, &ev);
        // Two boxes in a row: the log's path, then the crash message.
        QCOMPARE(t.notices.size(), 2);
        QCOMPARE(t.notices[0].text, t.dir() + "errorlog.txt");
        QCOMPARE(t.notices[1].text, t.program().crashMessage());
        QVERIFY(t.notices[1].text.startsWith(
            "Exception raised, Orbel will now terminate to prevent machine lockup.\r\n\r\n"));
        QVERIFY(t.program().endRequested());
        QFile log(t.dir() + "errorlog.txt");
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString line = QString::fromUtf8(log.readAll());
        QVERIFY2(QRegularExpression("^.+ - \\d\\d:\\d\\d: Orbel: Exception raised \\(Sender was: BitBtnSave\\): "
                                    "boom in handler\\. Last Win32 Error \\(\\d+\\): [^\\r\\n]*\\.\\r\\n$")
                     .match(line)
                     .hasMatch(),
                 qPrintable(line));
    }
};

int main(int argc, char** argv) {
    // A desktop without any application, set before the desktop's library
    // first reads it.
    QTemporaryDir desktop;
    for (const char* name : {"XDG_DATA_DIRS", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        qputenv(name, QFile::encodeName(desktop.path()));
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    StartUpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "startup_test.moc"
