// The preferences dialog with the settings steps behind it: focus and help,
// the enabling rule, Default, OK, Apply and Cancel, and what the dialogs look
// like under each drawing mode.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/hotkey/menu_shortcut.h"
#include "app/manager/form_items.h"
#include "app/program/form_general.h"
#include "app/program/orbel_application.h"
#include "app/widgets/enh_combo_box.h"
#include "app/widgets/key_sequence_field.h"
#include "app/widgets/title_bar.h"
#include "platform/autostart.h"
#include "app/widgets/system_fonts.h"
#include "support/controls.h"
#include "support/test_program.h"

using namespace orbel;
using orbel::testing::Control;
using orbel::testing::TestProgram;

namespace {

QString Help(TFormConfig* c) { return Control<QPlainTextEdit>(c, "RichEditHelp")->toPlainText(); }

void Activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

QString Ini(TestProgram& t) {
    QFile f(t.dir() + "orbel.ini");
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString("<missing>");
}

// A font family the system really has, to be found in the name box.
QString SomeFamily() { return QFontDatabase::families().value(0); }

// The menu font the platform reports, changed for one test.
struct MenuFont {
    explicit MenuFont(const QFont& f) : saved(QApplication::font("QMenu")) { QApplication::setFont(f, "QMenu"); }
    ~MenuFont() { QApplication::setFont(saved, "QMenu"); }
    QFont saved;
};

// A way of taking keys that answers as told and remembers what it holds.
struct FakeTaker : KeyTaker {
    FakeTaker(Outcome answer, QString keeper, QStringList* log) : answer_(answer), keeper_(keeper), log_(log) {}
    Outcome take(QKeyCombination keys) override {
        *log_ << keeper_ + " take " + QKeySequence(keys).toString(QKeySequence::PortableText);
        return answer_;
    }
    void release() override { *log_ << keeper_ + " release"; }
    QString keeper() const override { return keeper_; }
    Outcome answer_;
    QString keeper_;
    QStringList* log_;
};

MenuShortcut::Takers Takers(QStringList* log, std::vector<KeyTaker::Outcome> answers) {
    return [=](const QString&) {
        std::vector<std::unique_ptr<KeyTaker>> out;
        int n = 0;
        for (KeyTaker::Outcome a : answers) out.push_back(std::make_unique<FakeTaker>(a, QString::number(n++), log));
        return out;
    };
}

}  // namespace

class FormConfigTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // Nothing of a test's autostart entry is left for the next one.
        QFile::remove(QString::fromStdString(platform::AutostartEntryPath()));
    }

    void fontsAreReported() {
        QVERIFY(!SystemMenuFont().family().isEmpty());
        QVERIFY((SystemMenuFont().pointSizeF() > 0 ? 1 : SystemMenuFont().pixelSize()) > 0);
        for (const QString& family : InstalledFontFamilies()) QVERIFY(!family.isEmpty());
    }

    void firstShowFocusesThePageAndExplainsIt() {
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        Activate(c);
        QCOMPARE(Control<QTabWidget>(c, "PCSettings")->currentWidget(), Control<QWidget>(c, "TSControl"));
        QCOMPARE(QApplication::focusWidget(), Control<QCheckBox>(c, "ChkBxSystray"));
        QVERIFY(Help(c).startsWith("If checked program will register itself to windows startup registry."));
        Control<QTabWidget>(c, "PCSettings")->setCurrentWidget(Control<QWidget>(c, "TSVisuals"));
        QCOMPARE(QApplication::focusWidget(), Control<QCheckBox>(c, "CBWinDefDraw"));
        QVERIFY(Help(c).startsWith("If checked all fonts in program will be drawn by Windows"));
    }

    void helpFollowsTheFocusedControl_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("ChkBxTaskBar")
            << "ChkBxTaskBar"
            << "If checked the program will be shown in the taskbar when - and only when - a window of the program is "
               "visible. If unchecked the program will never be shown in the taskbar even if a window of the program "
               "is visible.";
        QTest::newRow("CmBoxFontName")
            << "CmBoxFontName"
            << "If you have chosen not to let Windows default draw controls, you can in this combobox choose what "
               "font should be used.";
        QTest::newRow("CmBoxFontSize")
            << "CmBoxFontSize"
            << "If you have chosen not to let Windows default draw controls, you can in this combobox choose what "
               "size font should be used.";
        QTest::newRow("BtnDefault")
            << "BtnDefault"
            << "If you have chosen not to let Windows default draw controls, you can with this button quickly choose "
               "between 2 different defaults (respective what program and Windows default to).";
        QTest::newRow("BtnCancel") << "BtnCancel"
                                   << "Cancel and exit (without saving changes to settings).";
        QTest::newRow("BtnApply") << "BtnApply"
                                  << "Apply changes to settings (doesn't exit).";
        QTest::newRow("BtnOK") << "BtnOK"
                               << "Save changes to settings and exit.";
        QTest::newRow("the page control's tab bar") << "tabbar"
                                                    << "No help available for this topic";
    }
    void helpFollowsTheFocusedControl() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        c->EnablingRule(false);  // the font controls take the focus only now
        Control<QTabWidget>(c, "PCSettings")->setCurrentWidget(Control<QWidget>(c, "TSVisuals"));
        Activate(c);
        QWidget* w = control == "tabbar" ? Control<QTabWidget>(c, "PCSettings")->tabBar()
                                         : c->findChild<QWidget*>(control);
        QVERIFY(w);
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
        QCOMPARE(Help(c), text);
        // Help itself explains nothing: the text stays.
        Control<QPushButton>(c, "BtnHelp")->setFocus(Qt::TabFocusReason);
        QCOMPARE(Help(c), text);
    }

    void tabOrderOfTheControlPage() {
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        Activate(c);
        Control<QPushButton>(c, "BtnOK")->setFocus(Qt::TabFocusReason);
        QStringList seen;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            seen << (f == Control<QTabWidget>(c, "PCSettings")->tabBar() ? QString("PCSettings") : f->objectName());
        }
        QCOMPARE(seen, QStringList({"PCSettings", "ChkBxSystray", "ChkBxTaskBar", "BtnCancel", "BtnApply", "BtnHelp",
                                    "BtnOK"}));
    }

    void theMenuShortcutIsTakenSaidAndStored() {
        using O = KeyTaker::Outcome;
        struct Row {
            const char* stored;
            std::vector<O> answers;
            QStringList asked;
            const char* note;
        } rows[] = {
            // None set: the system is not asked.
            {"", {O::Taken}, {}, "No shortcut"},
            // The first way that can, and no other.
            {"Ctrl+Alt+O",
             {O::NotPossible, O::Taken, O::Taken},
             {"0 take Ctrl+Alt+O", "1 take Ctrl+Alt+O"},
             "Ctrl+Alt+O opens the menu from anywhere; it is registered with 1"},
            // Held elsewhere: no other way fights for it.
            {"Meta+F5", {O::HeldElsewhere, O::Taken}, {"0 take Meta+F5"}, "0 gives Meta+F5 to another action"},
            // No way at all: the command to bind.
            {"Ctrl+Space", {O::NotPossible}, {"0 take Ctrl+Space"}, " --menu\" to Ctrl+Space in its keyboard settings"},
            // Stored text that names no key: logged at start-up, kept.
            {"Ctrl+Alt+Nonsense", {O::Taken}, {}, "is no key this program can use"},
            {"Ctrl+K, Ctrl+M", {O::Taken}, {}, "is no key this program can use"},
        };
        for (const Row& row : rows) {
            QStringList asked;  // outlives the program, which lets go of its keys
            TestProgram t;
            t.write("orbel.ini",
                    QString("[General Settings]\r\nTaskBar=1\r\nMenuHotkey=%1\r\n").arg(row.stored).toUtf8());
            t.program().setKeyTakers(Takers(&asked, row.answers));
            t.startUp();
            TFormConfig* c = t.program().config();
            QCOMPARE(asked, row.asked);
            c->show();
            QVERIFY2(Control<QLabel>(c, "LblHotkeyNote")->text().contains(row.note),
                     qPrintable(Control<QLabel>(c, "LblHotkeyNote")->text()));
            const bool unusable = QString(row.note).contains("no key");
            const bool held = QString(row.note).contains("another");
            QCOMPARE(t.exists("errorlog.txt"), unusable || held);
            // OK keeps what the user did not change, and stays open to say a key is held.
            Control<QPushButton>(c, "BtnOK")->click();
            QCOMPARE(c->isVisible(), held);
            QVERIFY(Ini(t).contains(*row.stored ? QString("MenuHotkey=%1\r\n").arg(row.stored) : "TaskBar=1\r\n["));
        }
    }

    void theShortcutBoxTakesKeysOutsideTheTabCycle() {
        QStringList asked;
        TestProgram t;
        t.program().setKeyTakers(Takers(&asked, {KeyTaker::Outcome::Taken}));
        t.startUp();
        TFormConfig* c = t.program().config();
        Activate(c);
        auto* box = Control<KeySequenceField>(c, "EdMenuHotkey");
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        box->setFocus(Qt::MouseFocusReason);
        // Letters alone, with Shift, or modifiers alone make no shortcut.
        QTest::keyClick(box, Qt::Key_O);
        QTest::keyClick(box, Qt::Key_O, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(box->text(), QString());
        QTest::keyClick(box, Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(box->keySequence(), QKeySequence("Ctrl+Alt+O"));
        // Tab leaves the box (for Cancel), and is no shortcut.
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Control<QPushButton>(c, "BtnCancel"));
        QCOMPARE(box->keySequence(), QKeySequence("Ctrl+Alt+O"));
        Control<QPushButton>(c, "BtnApply")->click();
        QCOMPARE(Ini(t), QString("[General Settings]\r\nTaskBar=1\r\nMenuHotkey=Ctrl+Alt+O\r\n[Font Settings]\r\n"
                                 "WindowsDraw=1\r\nFontName=Verdana\r\nFontSize=8\r\n"));
        QCOMPARE(asked, QStringList({"0 take Ctrl+Alt+O"}));
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_F9);
        QCOMPARE(box->keySequence(), QKeySequence("F9"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QString());
        Control<QPushButton>(c, "BtnApply")->click();
        QVERIFY(!Ini(t).contains("MenuHotkey"));
        QCOMPARE(asked, QStringList({"0 take Ctrl+Alt+O", "0 release"}));
    }

    void enablingRuleFollowsTheDrawingBox() {
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        // 1: all three enabled, 0: all disabled, -1: mixed.
        auto fontControlsEnabled = [c] {
            const int n = int(Control<TEnhComboBox>(c, "CmBoxFontName")->isEnabled()) +
                          int(Control<TEnhComboBox>(c, "CmBoxFontSize")->isEnabled()) +
                          int(Control<QPushButton>(c, "BtnDefault")->isEnabled());
            return n == 3 ? 1 : n == 0 ? 0 : -1;
        };
        QVERIFY(Control<QCheckBox>(c, "CBWinDefDraw")->isChecked());  // default: Windows draws
        QCOMPARE(fontControlsEnabled(), 0);
        Control<QTabWidget>(c, "PCSettings")->setCurrentWidget(Control<QWidget>(c, "TSVisuals"));
        Activate(c);
        Control<QCheckBox>(c, "CBWinDefDraw")->click();
        QCOMPARE(fontControlsEnabled(), 1);
        QTest::keyClick(Control<QCheckBox>(c, "CBWinDefDraw"), Qt::Key_Space);
        QVERIFY(Control<QCheckBox>(c, "CBWinDefDraw")->isChecked());
        QCOMPARE(fontControlsEnabled(), 0);
        QTest::keyClick(Control<QCheckBox>(c, "CBWinDefDraw"), Qt::Key_Space);
        QCOMPARE(fontControlsEnabled(), 1);
        QVERIFY(!t.exists("orbel.ini"));  // nothing stored before OK or Apply
    }

    void defaultPicksTheMenuFont_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("size");
        const QStringList all{"Arial", "MenuFace", "Tahoma", "Verdana"};
        QTest::newRow("8 point, face listed") << all << 8 << "MenuFace"
                                              << "8";
        QTest::newRow("10 point") << all << 10 << "MenuFace"
                                  << "9";
        QTest::newRow("6 point") << all << 6 << "MenuFace"
                                 << "7";
        QTest::newRow("face missing: Verdana") << QStringList{"Arial", "Verdana", "Zapf"} << 8 << "Verdana"
                                               << "8";
        QTest::newRow("neither: the first") << QStringList{"Arial", "Zapf"} << 9 << "Arial"
                                            << "9";
        QTest::newRow("case counts") << QStringList{"Arial", "menuface", "verdana"} << 8 << "Arial"
                                     << "8";
        QTest::newRow("empty list") << QStringList{} << 7 << ""
                                    << "7";
    }
    void defaultPicksTheMenuFont() {
        QFETCH(QStringList, names);
        QFETCH(int, points);
        QFETCH(QString, face);
        QFETCH(QString, size);
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        c->SetFontNames(names);
        QFont menu("MenuFace");
        menu.setPointSize(points);
        MenuFont scoped(menu);
        c->BtnDefaultClick();
        QCOMPARE(Control<TEnhComboBox>(c, "CmBoxFontName")->currentText(), face);
        QCOMPARE(Control<TEnhComboBox>(c, "CmBoxFontSize")->currentText(), size);
        QVERIFY(!t.exists("orbel.ini"));
    }

    void applyHidesAndReshowsBothAndWritesTheFile() {
        TestProgram t;
        t.startUp();
        Program& p = t.program();
        TFormConfig* c = p.config();
        p.items()->show();
        c->show();
        Control<QCheckBox>(c, "ChkBxTaskBar")->setChecked(false);
        Control<QCheckBox>(c, "CBWinDefDraw")->click();
        Control<TEnhComboBox>(c, "CmBoxFontName")
            ->setCurrentIndex(Control<TEnhComboBox>(c, "CmBoxFontName")->findText(SomeFamily()));
        Control<TEnhComboBox>(c, "CmBoxFontSize")
            ->setCurrentIndex(Control<TEnhComboBox>(c, "CmBoxFontSize")->findText("10"));
        QSignalSpy itemsHidden(p.items(), &TFormItems::hidden);
        Control<QPushButton>(c, "BtnApply")->click();
        QVERIFY(c->isVisible());
        QVERIFY(p.items()->isVisible());
        QVERIFY(!p.about()->isVisible());
        QCOMPARE(c->Tag + p.items()->Tag + p.about()->Tag, 0);
        QCOMPARE(Ini(t), "[General Settings]\r\nTaskBar=0\r\n[Font Settings]\r\nWindowsDraw=0\r\nFontName=" +
                             SomeFamily() + "\r\nFontSize=10\r\n");
        QCOMPARE(p.settings(), (Settings{false, false, SomeFamily().toStdString(), 10, ""}));
        // Taskbar off and the program's own titles, on every dialog.
        for (OrbelDialog* d : {static_cast<OrbelDialog*>(c), static_cast<OrbelDialog*>(p.items()),
                               static_cast<OrbelDialog*>(p.about())}) {
            QVERIFY(d->customTitle());
            QCOMPARE(d->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
            QVERIFY(d->windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(d->font().family(), SomeFamily());
            QCOMPARE(d->font().pointSize(), 10);
        }
        QCOMPARE(Control<QPlainTextEdit>(c, "RichEditHelp")->font().pointSize(), 10);
        QVERIFY(t.notices.isEmpty());
    }

    void okClosesThePreferencesAndBringsBackTheOthers() {
        TestProgram t;
        t.startUp();
        Program& p = t.program();
        p.items()->show();
        p.about()->show();
        p.config()->show();
        Control<QPushButton>(p.config(), "BtnOK")->click();
        QVERIFY(!p.config()->isVisible());
        QVERIFY(p.items()->isVisible());
        QVERIFY(p.about()->isVisible());
        QCOMPARE(p.config()->Tag + p.items()->Tag + p.about()->Tag, 0);
        // The default face, not installed here, stays the face in effect.
        QCOMPARE(Ini(t), QString("[General Settings]\r\nTaskBar=1\r\n[Font Settings]\r\nWindowsDraw=1\r\n"
                                 "FontName=Verdana\r\nFontSize=8\r\n"));
    }

    void cancelReadsBackAutostartOnlyAndWritesNothing() {
        TestProgram t;
        t.startUp();
        TFormConfig* c = t.program().config();
        c->show();
        Control<QCheckBox>(c, "ChkBxTaskBar")->setChecked(false);
        Control<QCheckBox>(c, "ChkBxSystray")->setChecked(true);
        c->BtnCancelClick();
        QVERIFY(!c->isVisible());
        QVERIFY(!Control<QCheckBox>(c, "ChkBxSystray")->isChecked());  // the entry's state again
        QVERIFY(!Control<QCheckBox>(c, "ChkBxTaskBar")->isChecked());  // the user's edit stays
        QVERIFY(!t.exists("orbel.ini"));
        QVERIFY(!QFile::exists(QString::fromStdString(platform::AutostartEntryPath())));
        QVERIFY(t.program().settings().TaskBar);
    }

    void autostartOnWritesTheEntryAndOffRemovesIt() {
        TestProgram t;
        t.startUp();
        Program& p = t.program();
        TFormConfig* c = p.config();
        Control<QCheckBox>(c, "ChkBxSystray")->setChecked(true);
        c->BtnApplyClick();
        QFile entry(QString::fromStdString(platform::AutostartEntryPath()));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(entry.readAll()).contains("Exec=" + p.startCommand()));
        entry.close();
        QVERIFY(Control<QCheckBox>(c, "ChkBxSystray")->isChecked());
        Control<QCheckBox>(c, "ChkBxSystray")->setChecked(false);
        c->BtnApplyClick();
        QVERIFY(!entry.exists());
        QVERIFY(!Control<QCheckBox>(c, "ChkBxSystray")->isChecked());
    }

    void whatCannotBeWrittenIsToldAndNothingElseIsLost_data() {
        QTest::addColumn<bool>("settingsFile");  // else the autostart entry
        QTest::newRow("settings file") << true;
        QTest::newRow("autostart entry") << false;
    }
    void whatCannotBeWrittenIsToldAndNothingElseIsLost() {
        QFETCH(bool, settingsFile);
        TestProgram t;
        t.startUp();
        Program& p = t.program();
        // A directory in the settings file's place cannot be read, so it is
        // never replaced; a file in the autostart directory's place cannot
        // hold the entry. Both refuse whoever runs the test.
        const QString entry = QString::fromStdString(platform::AutostartEntryPath());
        const QString blocker = settingsFile ? t.dir() + "orbel.ini" : QFileInfo(entry).absolutePath();
        QDir(blocker).removeRecursively();
        QVERIFY(settingsFile ? QDir().mkpath(blocker) : QFile(blocker).open(QIODevice::WriteOnly));
        struct Unblock {
            QString path;
            ~Unblock() { QFile::remove(path); }
        } unblock{settingsFile ? QString() : blocker};

        p.items()->show();
        p.config()->show();
        Control<QCheckBox>(p.config(), "ChkBxTaskBar")->setChecked(false);
        Control<QCheckBox>(p.config(), "ChkBxSystray")->setChecked(true);
        p.config()->BtnOKClick();
        QVERIFY(!p.endRequested());
        QCOMPARE(t.notices.size(), 1);
        QCOMPARE(t.notices[0].icon, NoticeIcon::Warning);
        QVERIFY2(t.notices[0].text.startsWith("Unable to write to " + (settingsFile ? blocker : entry) + ": "),
                 qPrintable(t.notices[0].text));
        // Both dialogs stay; the file, when written, is in effect.
        QVERIFY(p.config()->isVisible());
        QVERIFY(p.items()->isVisible());
        QCOMPARE(p.settings().TaskBar, settingsFile);
        QVERIFY(!Control<QCheckBox>(p.config(), "ChkBxTaskBar")->isChecked());
        // The box shows what the session will do: the choice as made while
        // nothing was saved, else the entry's real state.
        QCOMPARE(Control<QCheckBox>(p.config(), "ChkBxSystray")->isChecked(), settingsFile);
    }

    void aSizeOrFaceOutsideTheListKeepsWhatIsInEffect() {
        TestProgram t;
        t.write("orbel.ini",
                "[Font Settings]\r\nFontName=No Such Face\r\nFontSize=14\r\n; mine\r\n"
                "[Other]\r\nKeep=1\r\n");
        t.startUp();
        Program& p = t.program();
        QCOMPARE(p.settings().FontSize, 14);
        QCOMPARE(Control<TEnhComboBox>(p.config(), "CmBoxFontSize")->currentIndex(), -1);
        QCOMPARE(Control<TEnhComboBox>(p.config(), "CmBoxFontName")->currentIndex(), -1);
        p.config()->BtnOKClick();
        QVERIFY(!p.endRequested());
        QVERIFY(t.notices.isEmpty());
        QCOMPARE(p.settings().FontSize, 14);
        QCOMPARE(p.settings().FontName, std::string("No Such Face"));
        QCOMPARE(Ini(t), QString("[Font Settings]\r\n; mine\r\nWindowsDraw=1\r\nFontName=No Such Face\r\n"
                                 "FontSize=14\r\n[Other]\r\nKeep=1\r\n[General Settings]\r\nTaskBar=1\r\n"));
    }

    void startUpAppliesTheStoredSettings() {
        TestProgram t;
        t.write("orbel.ini", QString("[General Settings]\r\nTaskBar=0x0\r\n[Font Settings]\r\nWindowsDraw=0\r\n"
                                     "FontName=%1\r\nFontSize=0xA\r\n")
                                 .arg(SomeFamily())
                                 .toUtf8());
        t.startUp();
        Program& p = t.program();
        TFormConfig* c = p.config();
        QVERIFY(!Control<QCheckBox>(c, "ChkBxTaskBar")->isChecked());
        QVERIFY(!Control<QCheckBox>(c, "CBWinDefDraw")->isChecked());
        QVERIFY(Control<TEnhComboBox>(c, "CmBoxFontName")->isEnabled());
        QCOMPARE(Control<TEnhComboBox>(c, "CmBoxFontName")->currentText(), SomeFamily());
        QCOMPARE(Control<TEnhComboBox>(c, "CmBoxFontSize")->currentText(), QString("10"));
        // The client areas keep their sizes, or grow for the larger font's
        // captions; the title bar comes on top.
        const int caption = TTitleBar::CaptionHeight();
        const int frame = OrbelDialog::kFrameWidth;
        const QSize items = p.items()->clientSize();
        QVERIFY(items.width() >= 521 && items.height() >= 533);
        QCOMPARE(p.items()->size(), items + QSize(2 * frame, 2 * frame + caption));
        QVERIFY(p.about()->clientSize().width() >= 331 && p.about()->clientSize().height() >= 172);
        QCOMPARE(Control<QFrame>(p.about(), "PanelAbout")->geometry(),
                 QRect(QPoint(frame, frame + caption), p.about()->clientSize()));
        QVERIFY(c->clientSize().width() >= 468 && c->clientSize().height() >= 289);
        QCOMPARE(c->size(), c->clientSize() + QSize(2 * frame, 2 * frame + caption));
        QCOMPARE(Control<QTabWidget>(c, "PCSettings")->pos(), QPoint(frame, frame + caption));
        QCOMPARE(p.items()->titleBar()->geometry(), QRect(frame, frame, items.width(), caption));
    }

    void switchingBackGivesTheNormalFrameAndTheMenuFont() {
        TestProgram t;
        t.write("orbel.ini", "[Font Settings]\r\nWindowsDraw=0\r\n");
        t.startUp();
        Program& p = t.program();
        QVERIFY(p.items()->customTitle());
        p.items()->show();
        Control<QCheckBox>(p.config(), "CBWinDefDraw")->click();  // back to Windows-default drawing
        p.config()->BtnApplyClick();
        QVERIFY(p.items()->isVisible());
        for (OrbelDialog* d : {static_cast<OrbelDialog*>(p.config()), static_cast<OrbelDialog*>(p.items()),
                               static_cast<OrbelDialog*>(p.about())}) {
            QVERIFY(!d->customTitle());
            QVERIFY(!(d->windowFlags() & Qt::FramelessWindowHint));
            QCOMPARE(d->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
            QVERIFY(!d->titleBar()->isVisible());
            QCOMPARE(d->windowTitle(), d->titleText());
            QCOMPARE(d->font().family(), SystemMenuFont().family());
        }
        QCOMPARE(p.items()->size(), QSize(521, 533));
        QCOMPARE(Control<QFrame>(p.about(), "PanelAbout")->pos(), QPoint(0, 0));
        QCOMPARE(Control<QPushButton>(p.config(), "BtnOK")->pos(), QPoint(348, 264));
    }

    void paintedTitleIsWhileActiveAndButtonFaceOtherwise() {
        TestProgram t;
        t.write("orbel.ini", "[Font Settings]\r\nWindowsDraw=0\r\nFontName=NoSuchFace\r\n");
        t.startUp();
        Program& p = t.program();
        TTitleBar* bar = p.items()->titleBar();
        QCOMPARE(bar->titleText(), p.itemsTitle());
        QCOMPARE(bar->titleFamily(), QString("NoSuchFace"));
        QVERIFY(bar->titleFont().bold());
        const int textHeight = QFontMetrics(bar->titleFont()).height();
        QCOMPARE(bar->textOriginInWindow(),
                 QPoint(TTitleBar::kThinBorder + 4, (TTitleBar::CaptionHeight() - textHeight) / 2 + 2));

        auto countText = [bar](const QColor& c) {
            const QImage img = bar->grab().toImage();
            const QPoint o = bar->textOriginInWindow() - bar->pos();
            int n = 0;
            for (int y = o.y(); y < o.y() + QFontMetrics(bar->titleFont()).height(); ++y)
                for (int x = o.x(); x < o.x() + 60; ++x)
                    if (img.pixelColor(x, y) == c) ++n;
            return n;
        };
        Activate(p.items());
        QVERIFY(countText(Qt::white) > 10);
        Activate(p.about());  // the manager is now inactive
        QVERIFY(!p.items()->isActiveWindow());
        QCOMPARE(countText(Qt::white), 0);
        QVERIFY(countText(p.systemColour()) > 10);
    }

    void titleBarClosesAndMovesItsWindow() {
        TestProgram t;
        t.write("orbel.ini", "[Font Settings]\r\nWindowsDraw=0\r\n");
        t.startUp();
        Program& p = t.program();
        Activate(p.about());
        TTitleBar* bar = p.about()->titleBar();
        const QPoint start = p.about()->pos();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(40, 8));
        QMouseEvent move(QEvent::MouseMove, QPointF(70, 28), bar->mapToGlobal(QPointF(70, 28)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(70, 28));
        QCOMPARE(p.about()->pos(), start + QPoint(30, 20));
        bar->closeBox()->click();
        QVERIFY(!p.about()->isVisible());
    }
};

int main(int argc, char** argv) {
    // The autostart entry goes to a directory of this run only.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    OrbelApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setLoopRunning(true);
    FormConfigTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "form_config_test.moc"
