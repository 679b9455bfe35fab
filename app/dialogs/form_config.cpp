#include "app/dialogs/form_config.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

#include "app/dialogs/control_table.h"
#include "app/hotkey/menu_shortcut.h"
#include "app/services/notice.h"
#include "app/services/launching.h"
#include "app/widgets/enh_combo_box.h"
#include "app/widgets/key_sequence_field.h"
#include "app/widgets/kv_win_group_box.h"
#include "app/widgets/system_fonts.h"
#include "core/program/profile_file.h"

namespace orbel {

namespace {

// The font boxes draw as the rest of the program's boxes do.
void SetUpFontBox(TEnhComboBox* c) {
    c->setAlwaysShowBorder(true);
    c->setAutoDropDownWidth(true);
    c->setButtonStaysPushed(true);
    c->setColor(QApplication::palette().color(QPalette::HighlightedText));
    c->setDropDownWidth(137);
    c->setHorizontalExtent(0);
    c->setToolTip(QString());
}

// Puts a control in the next row at its designed x, with the room its
// caption needs; returns its right edge.
int PutInRow(QWidget* w, const HandLayout& design, RowFlow& rows) {
    const QRect d = design.designed(w);
    w->setGeometry(QRect(QPoint(d.x(), rows.place(d.y())), design.grown(w)));
    rows.ends(w);
    return w->geometry().right() + 1;
}

// The controls whose entering shows help; BtnHelp is not among them.
const char* const kExplained[] = {"BtnOK",         "BtnCancel",    "BtnApply",     "PCSettings",
                                  "ChkBxSystray",  "ChkBxTaskBar", "CBWinDefDraw", "CmBoxFontName",
                                  "CmBoxFontSize", "BtnDefault",   "EdMenuHotkey"};

void SelectText(QComboBox* box, const QString& text) {
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == text) {
            box->setCurrentIndex(i);
            return;
        }
}

}  // namespace

TFormConfig::TFormConfig(const QString& title, PreferencesHost& host, const Services& services)
    : OrbelDialog(services.platform), host_(host), services_(services) {
    setObjectName("TFormConfig");
    setTitleText(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(468, 289);
}

void TFormConfig::buildContents() {
    PCSettings = new QTabWidget(this);
    PCSettings->setObjectName("PCSettings");
    PCSettings->setGeometry(0, 0, 468, 263);
    TSControl = new QWidget;
    TSControl->setObjectName("TSControl");
    TSVisuals = new QWidget;
    TSVisuals->setObjectName("TSVisuals");
    PCSettings->addTab(TSControl, "Control");
    PCSettings->addTab(TSVisuals, "Visuals");
    PCSettings->setCurrentIndex(0);

    // The check boxes and captions take the size their captions need.
    // clang-format off
    BuildControls(this, {
        {GrpBxMixed, "GrpBxMixed", "TSControl", {9, 13, 296, 81}, "General Settings"},
        {ChkBxSystray, "ChkBxSystray", "GrpBxMixed", {10, 25, 0, 0}, "Always show Tandrel Orbel in Systray"},
        {ChkBxTaskBar, "ChkBxTaskBar", "GrpBxMixed", {10, 51, 0, 0}, "Always* show Tandrel Orbel in TaskBar"},
        // Below the general settings, out of the Tab cycle, which stays as it
        // was: a click or Alt+M reaches the box, whose keys are all taken as
        // the shortcut.
        {GrpBxHotkey, "GrpBxHotkey", "TSControl", {9, 102, 296, 104}, "Menu Shortcut"},
        {LblMenuHotkey, "LblMenuHotkey", "GrpBxHotkey", {10, 25, 0, 0}, "Open the &menu with"},
        {EdMenuHotkey, "EdMenuHotkey", "GrpBxHotkey", {141, 20, 137, 21}},
        {LblHotkeyNote, "LblHotkeyNote", "GrpBxHotkey", {10, 50, 276, 46}},

        {CBWinDefDraw, "CBWinDefDraw", "TSVisuals", {10, 25, 0, 0}, "Draw all fonts as Windows default"},
        {GrpBxFontSets, "GrpBxFontSets", "TSVisuals", {9, 47, 285, 116}, "Program Font Settings"},
        {LblFontName, "LblFontName", "GrpBxFontSets", {10, 25, 0, 0}, "Font Name"},
        {CmBoxFontName, "CmBoxFontName", "GrpBxFontSets", {141, 20, 137, 21}},
        {LblFontSize, "LblFontSize", "GrpBxFontSets", {10, 55, 0, 0}, "Font Size"},
        {CmBoxFontSize, "CmBoxFontSize", "GrpBxFontSets", {141, 50, 137, 21}},
        {BtnDefault, "BtnDefault", "GrpBxFontSets", {8, 84, 60, 25}, "Default"},

        // The panels lie over the pages' right side: made after them, they
        // stack above them.
        {PanelHeading, "PanelHeading", nullptr, {319, 24, 145, 23}, "Context Sensitive Help", nullptr,
         Centred | RaisedPanel},
        {PanelHelp, "PanelHelp", nullptr, {319, 47, 145, 212}, {}, nullptr, RaisedPanel},
        {RichEditHelp, "RichEditHelp", "PanelHelp", {3, 4, 139, 204}},
        {BtnCancel, "BtnCancel", nullptr, {228, 264, 60, 25}, "Cancel"},
        {BtnApply, "BtnApply", nullptr, {288, 264, 60, 25}, "Apply"},
        {BtnOK, "BtnOK", nullptr, {348, 264, 60, 25}, "OK"},
        {BtnHelp, "BtnHelp", nullptr, {408, 264, 60, 25}, "Help"},
    });
    // clang-format on

    // What the table's columns do not say.
    EdMenuHotkey->setFocusPolicy(Qt::ClickFocus);
    EdMenuHotkey->setAccessibleName("Menu shortcut");
    LblMenuHotkey->setBuddy(EdMenuHotkey);
    LblHotkeyNote->setWordWrap(true);
    LblHotkeyNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblHotkeyNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (TEnhComboBox* c : {CmBoxFontName, CmBoxFontSize}) SetUpFontBox(c);
    CmBoxFontSize->setExtendedInterface(true);
    CmBoxFontSize->addItems({"6", "7", "8", "9", "10", "11", "12"});
    CmBoxFontSize->setCurrentIndex(-1);
    LblFontName->setBuddy(CmBoxFontName);
    LblFontSize->setBuddy(CmBoxFontSize);
    RichEditHelp->setReadOnly(true);
    RichEditHelp->setFocusPolicy(Qt::NoFocus);
    RichEditHelp->setFrameStyle(QFrame::NoFrame);
    RichEditHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    RichEditHelp->setBackgroundRole(QPalette::Window);
    RichEditHelp->viewport()->setBackgroundRole(QPalette::Window);
    connect(EdMenuHotkey, &KeySequenceField::keySequenceChanged, this, [this] {
        hotkeyChosen_ = true;
        LblHotkeyNote->setText(QStringLiteral("Apply or OK takes these keys."));
        if (isVisible()) fitTexts();
    });

    // BtnOK, the pages (tab bar, then the controls of the visible page),
    // BtnCancel, BtnApply, BtnHelp.
    // The page control is reached through its tab bar only.
    PCSettings->setFocusPolicy(Qt::NoFocus);
    PCSettings->setFocusProxy(nullptr);
    PCSettings->tabBar()->setFocusPolicy(Qt::TabFocus);
    const QList<QWidget*> order = {BtnOK,         PCSettings->tabBar(), ChkBxSystray, ChkBxTaskBar, CBWinDefDraw,
                                   CmBoxFontName, CmBoxFontSize,        BtnDefault,   BtnCancel,    BtnApply,
                                   BtnHelp};
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
    // Tab passes the shortcut's box by; from the box it goes on to Cancel.
    setTabOrder(ChkBxTaskBar, EdMenuHotkey);

    connect(PCSettings, &QTabWidget::currentChanged, this, [this] { PCSettingsChange(); });
    connect(CBWinDefDraw, &QCheckBox::clicked, this, [this] { CBWinDefDrawClick(); });
    CBWinDefDraw->installEventFilter(this);
    connect(BtnDefault, &QPushButton::clicked, this, [this] { BtnDefaultClick(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(BtnApply, &QPushButton::clicked, this, [this] { BtnApplyClick(); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
    connect(BtnHelp, &QPushButton::clicked, this, [this] { BtnHelpClick(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this) OnEnterExplain(now);
    });

    design_.design({PCSettings, GrpBxMixed, GrpBxFontSets, CmBoxFontName, CmBoxFontSize, BtnDefault, PanelHeading,
                    PanelHelp, RichEditHelp, BtnCancel, BtnApply, BtnOK, BtnHelp, GrpBxHotkey, EdMenuHotkey,
                    LblHotkeyNote});
    design_.designPlaces({ChkBxSystray, ChkBxTaskBar, CBWinDefDraw, LblFontName, LblFontSize, LblMenuHotkey});
    // What start-up and the settings put here before the controls existed.
    showFontNames();
    if (shown_) showSettings(*shown_);
    ChkBxSystray->setChecked(startWithSession_);
    if (helpFont_) RichEditHelp->setFont(*helpFont_);
    showShortcutNote();
    fitTexts();
}

QPoint TFormConfig::fitControlPage() {
    const QRect box = design_.designed(GrpBxMixed);
    RowFlow rows(GroupContentTop(GrpBxMixed));
    int right = 0;
    for (QWidget* w : {ChkBxSystray, ChkBxTaskBar}) right = qMax(right, PutInRow(w, design_, rows));
    // As much room right of the check boxes as left of them.
    const int width = std::max(
        {box.width(), right + design_.designed(ChkBxSystray).x(), CaptionNeeds(GrpBxMixed).width()});
    GrpBxMixed->setGeometry(box.x(), box.y(), width, qMax(box.height() + rows.push(), rows.bottom() + 8));

    // The shortcut's box below, as wide, its caption's row then the note.
    const QRect hot = design_.designed(GrpBxHotkey);
    const int top = GrpBxMixed->geometry().bottom() + 1 + hot.y() - (box.bottom() + 1);
    RowFlow keys(GroupContentTop(GrpBxHotkey));
    const QRect field = design_.designed(EdMenuHotkey), label = design_.designed(LblMenuHotkey);
    const QSize labelNeeds = design_.grown(LblMenuHotkey);
    const int fieldX = qMax(field.x(), label.x() + labelNeeds.width() + 8);
    const int y = keys.place(field.y());
    // Wide enough for the keys it shows, with the box's margins.
    const int fieldWidth = qMax(field.width(),
                                EdMenuHotkey->fontMetrics().horizontalAdvance(EdMenuHotkey->text()) + 14);
    EdMenuHotkey->setGeometry(fieldX, y, fieldWidth, design_.grown(EdMenuHotkey).height());
    LblMenuHotkey->setGeometry(label.x(), y + qMax(0, label.y() - field.y()), labelNeeds.width(), labelNeeds.height());
    keys.ends(EdMenuHotkey);
    keys.ends(LblMenuHotkey);
    const int hotWidth = std::max({width, fieldX + fieldWidth + hot.width() - (field.right() + 1)});
    const QRect note = design_.designed(LblHotkeyNote);
    const int noteWidth = hotWidth - (hot.width() - note.width());
    const int noteTop = keys.place(note.y());
    LblHotkeyNote->setGeometry(note.x(), noteTop, noteWidth,
                               qMax(note.height(), LblHotkeyNote->heightForWidth(noteWidth)));
    keys.ends(LblHotkeyNote);
    GrpBxHotkey->setGeometry(hot.x(), top, hotWidth, qMax(hot.height() + keys.push(), keys.bottom() + 8));
    return QPoint(qMax(GrpBxMixed->geometry().right(), GrpBxHotkey->geometry().right()) + 1,
                  GrpBxHotkey->geometry().bottom() + 1);
}

QPoint TFormConfig::fitVisualsPage() {
    RowFlow page(0);
    int right = PutInRow(CBWinDefDraw, design_, page);
    const QRect box = design_.designed(GrpBxFontSets);
    const int top = page.place(box.y());
    GrpBxFontSets->move(box.x(), top);

    // The two boxes stand right of the wider of their captions.
    const int captions = qMax(design_.grown(LblFontName).width(), design_.grown(LblFontSize).width());
    const QRect nameBox = design_.designed(CmBoxFontName);
    const int boxX = qMax(nameBox.x(), design_.designed(LblFontName).x() + captions + 8);
    RowFlow rows(GroupContentTop(GrpBxFontSets));
    const std::pair<QLabel*, QWidget*> rowsOfBoxes[] = {{LblFontName, CmBoxFontName}, {LblFontSize, CmBoxFontSize}};
    for (auto [label, combo] : rowsOfBoxes) {
        const QRect dc = design_.designed(combo), dl = design_.designed(label);
        const QSize cs = design_.grown(combo), ls = design_.grown(label);
        const int y = rows.place(dc.y());
        combo->setGeometry(boxX, y, dc.width(), cs.height());
        // The caption keeps its designed drop below the box's top while it
        // still stands beside the box.
        const int offset = qMin(dl.y() - dc.y(), qMax(0, cs.height() - ls.height()));
        label->setGeometry(dl.x(), y + offset, ls.width(), ls.height());
        rows.ends(combo);
        rows.ends(label);
    }
    PutInRow(BtnDefault, design_, rows);
    const int width = std::max({box.width(), boxX + nameBox.width() + box.width() - (nameBox.right() + 1),
                                CaptionNeeds(GrpBxFontSets).width()});
    GrpBxFontSets->resize(width, qMax(box.height() + rows.push(), rows.bottom() + 8));
    right = qMax(right, GrpBxFontSets->geometry().right() + 1);
    return {right, GrpBxFontSets->geometry().bottom() + 1};
}

void TFormConfig::fitTexts() {
    if (design_.empty()) return;
    const QPoint control = fitControlPage();
    const QPoint visuals = fitVisualsPage();
    const QRect pages = design_.designed(PCSettings);
    const QRect heading = design_.designed(PanelHeading);
    const QRect help = design_.designed(PanelHelp);

    // The pages' controls end left of the help panel, as designed; what they
    // grow beyond that moves the help panel, and the window's edge, right.
    const int wider = qMax(0, qMax(control.x(), visuals.x()) - (design_.designed(GrpBxMixed).right() + 1));
    const QSize headNeeds = design_.grown(PanelHeading);
    const int helpWidth = headNeeds.width();
    int width = pages.width() + wider + helpWidth - heading.width();
    // The page control: its tab bar and frame around the lowest control.
    const int frame = PCSettings->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, PCSettings);
    const int pagesHeight = qMax(
        pages.height(), PCSettings->tabBar()->sizeHint().height() + 2 * frame + qMax(control.y(), visuals.y()) + 8);

    // The buttons keep to the right edge, each as wide as its caption needs.
    int row = 0, rowHeight = 0;
    for (QPushButton* b : {BtnCancel, BtnApply, BtnOK, BtnHelp}) {
        row += design_.grown(b).width();
        rowHeight = qMax(rowHeight, design_.grown(b).height());
    }
    width = qMax(width, row);
    const int rowTop = pagesHeight + design_.designed(BtnCancel).y() - pages.height();

    const QPoint o = clientOrigin();
    PCSettings->setGeometry(QRect(o + pages.topLeft(), QSize(width, pagesHeight)));
    const int helpX = heading.x() + wider;
    PanelHeading->setGeometry(QRect(o + QPoint(helpX, heading.y()), headNeeds));
    const int helpTop = heading.y() + headNeeds.height();
    const int helpBottom = help.bottom() + 1 + pagesHeight - pages.height();
    PanelHelp->setGeometry(o.x() + helpX, o.y() + helpTop, helpWidth, helpBottom - helpTop);
    const QRect text = design_.designed(RichEditHelp);
    RichEditHelp->setGeometry(text.x(), text.y(), helpWidth - (help.width() - text.width()),
                              PanelHelp->height() - (help.height() - text.height()));
    int x = width;
    for (QPushButton* b : {BtnHelp, BtnOK, BtnApply, BtnCancel}) {
        x -= design_.grown(b).width();
        b->setGeometry(o.x() + x, o.y() + rowTop, design_.grown(b).width(), rowHeight);
    }
    setClientSize({width, rowTop + rowHeight});
}

Settings TFormConfig::chosenSettings(const Settings& inEffect) const {
    // The boxes answer as they would have shown it.
    const_cast<TFormConfig*>(this)->ensureContents();
    Settings s;
    s.TaskBar = ChkBxTaskBar->isChecked();
    s.WindowsDraw = CBWinDefDraw->isChecked();
    s.FontName = CmBoxFontName->currentIndex() < 0 ? inEffect.FontName : CmBoxFontName->currentText().toStdString();
    s.FontSize = ParseProfileInteger(CmBoxFontSize->currentText().toStdString()).value_or(inEffect.FontSize);
    // Until keys are chosen here the stored text stays, even one that names no key.
    s.MenuHotkey = hotkeyChosen_ ? EdMenuHotkey->keySequence().toString(QKeySequence::PortableText).toStdString()
                                 : inEffect.MenuHotkey;
    return s;
}

bool TFormConfig::startWithSession() const { return contentsBuilt() ? ChkBxSystray->isChecked() : startWithSession_; }

void TFormConfig::showStartWithSession(bool on) {
    startWithSession_ = on;
    if (contentsBuilt()) ChkBxSystray->setChecked(on);
}

void TFormConfig::showSettings(const Settings& s) {
    shown_ = s;
    if (!contentsBuilt()) return;
    SelectText(CmBoxFontSize, QString::number(s.FontSize));
    SelectText(CmBoxFontName, QString::fromStdString(s.FontName));
    ChkBxTaskBar->setChecked(s.TaskBar);
    CBWinDefDraw->setChecked(s.WindowsDraw);
    // A stored text that names no keys shows as none (and stays stored).
    const std::optional<QKeyCombination> keys = MenuShortcut::Parse(QString::fromStdString(s.MenuHotkey));
    EdMenuHotkey->setKeySequence(keys ? QKeySequence(*keys) : QKeySequence());
    hotkeyChosen_ = false;
    EnablingRule(s.WindowsDraw);
    showShortcutNote();
}

void TFormConfig::showShortcutNote() {
    const QString note = host_.menuShortcutNote();
    LblHotkeyNote->setText(note);
    if (isVisible()) fitTexts();
}

void TFormConfig::setHelpFont(const QFont& font) {
    helpFont_ = font;
    if (contentsBuilt()) RichEditHelp->setFont(font);
}

void TFormConfig::SetFontNames(const QStringList& names) {
    fontNames_ = names;
    if (contentsBuilt()) showFontNames();
}

void TFormConfig::showFontNames() {
    QStringList sorted = fontNames_;
    // A sorted list, in the order a person reads it.
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    CmBoxFontName->clear();
    CmBoxFontName->addItems(sorted);
    CmBoxFontName->setCurrentIndex(-1);
}

QString TFormConfig::HelpText(const QString& name) {
    static const std::pair<const char*, const char*> texts[] = {
        {"ChkBxSystray",
         "If checked program will register itself to windows startup registry. This means the program in the "
         "future always will place itself in the systray when the computer starts ready to be used. "
         "\r\n\r\nYou can at any time uncheck this setting and the program will un-register itself again."},
        {"ChkBxTaskBar",
         "If checked the program will be shown in the taskbar when - and only when - a window of the program is "
         "visible. If unchecked the program will never be shown in the taskbar even if a window of the program is "
         "visible."},
        {"CBWinDefDraw",
         "If checked all fonts in program will be drawn by Windows meaning it'll choose the fonts you typical see "
         "in Windows.\r\n\r\nThat is of course the most compatible setting and is bound to work. However if you "
         "wish to customize the font size and type, you need to have this box unchecked."},
        {"CmBoxFontName",
         "If you have chosen not to let Windows default draw controls, you can in this combobox choose what font "
         "should be used."},
        {"CmBoxFontSize",
         "If you have chosen not to let Windows default draw controls, you can in this combobox choose what size "
         "font should be used."},
        {"BtnDefault",
         "If you have chosen not to let Windows default draw controls, you can with this button quickly choose "
         "between 2 different defaults (respective what program and Windows default to)."},
        {"EdMenuHotkey",
         "Click here and press the keys that should open the menu from anywhere, for example Ctrl+Alt+Space. "
         "Backspace or Delete leaves the program without a shortcut.\r\n\r\nWhere the desktop lets no program "
         "take keys, bind the command shown below to the keys in the desktop's keyboard settings."},
        {"BtnCancel", "Cancel and exit (without saving changes to settings)."},
        {"BtnApply", "Apply changes to settings (doesn't exit)."},
        {"BtnOK", "Save changes to settings and exit."},
    };
    for (const auto& [control, text] : texts)
        if (name == QLatin1String(control)) return QString::fromUtf8(text);
    return QStringLiteral("No help available for this topic");
}

void TFormConfig::OnEnterExplain(QWidget* sender) {
    ensureContents();
    // The control is the focused widget or the named control it is part of
    // (the tab bar belongs to the page control).
    for (QWidget* w = sender; w && w != this; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (name == QLatin1String("BtnHelp")) return;
        for (const char* explained : kExplained)
            if (name == QLatin1String(explained)) {
                RichEditHelp->setPlainText(HelpText(name));
                return;
            }
    }
}

void TFormConfig::FocusRule() {
    ensureContents();
    QWidget* first = PCSettings->currentWidget() == TSControl ? static_cast<QWidget*>(ChkBxSystray) : CBWinDefDraw;
    first->setFocus(Qt::OtherFocusReason);
    // The help follows at once, even before the window is active.
    OnEnterExplain(first);
}

void TFormConfig::FormShow() { FocusRule(); }
void TFormConfig::PCSettingsChange() { FocusRule(); }

void TFormConfig::showEvent(QShowEvent* e) {
    OrbelDialog::showEvent(e);
    FormShow();
}

void TFormConfig::EnablingRule(bool windowsDraw) {
    ensureContents();
    if (!windowsDraw) CBWinDefDraw->setChecked(false);
    CmBoxFontName->setEnabled(!windowsDraw);
    CmBoxFontSize->setEnabled(!windowsDraw);
    BtnDefault->setEnabled(!windowsDraw);
}

void TFormConfig::CBWinDefDrawClick() {
    ensureContents();
    EnablingRule(CBWinDefDraw->isChecked());
}

void TFormConfig::CBWinDefDrawKeyPress(QChar key) {
    ensureContents();
    if (key == QLatin1Char(' ')) EnablingRule(CBWinDefDraw->isChecked());
}

bool TFormConfig::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CBWinDefDraw && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) CBWinDefDrawKeyPress(text.at(0));
    }
    return OrbelDialog::eventFilter(watched, event);
}

void TFormConfig::BtnDefaultClick() {
    ensureContents();
    const QFont menu = SystemMenuFont();
    const QString face = menu.family();
    // Pixel-sized fonts report no point size; ask what it comes to.
    const int points = menu.pointSize() > 0 ? menu.pointSize() : QFontInfo(menu).pointSize();
    int fallback = 0;
    const int n = CmBoxFontName->count();
    for (int i = 0; i < n; ++i) {
        const QString entry = CmBoxFontName->itemText(i);
        if (entry == QLatin1String("Verdana")) fallback = i;
        if (entry == face) {
            CmBoxFontName->setCurrentIndex(i);
            break;
        }
        if (i == n - 1) CmBoxFontName->setCurrentIndex(fallback);
    }
    const QString size = points >= 9 ? "9" : points <= 7 ? "7" : "8";
    CmBoxFontSize->setCurrentIndex(CmBoxFontSize->findText(size, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TFormConfig::OkOrApply(bool closing) {
    PreferencesHost* g = &host_;
    g->HideOpenDialogs();
    // A file or entry that cannot be written is told, and the program goes
    // on: the dialog stays open with the user's choices and nothing else of
    // the session (open edits in the item manager) is lost.
    QString unsaved;
    try {
        g->SaveSettings();
    } catch (const ProfileError& e) {
        g->ShowHiddenDialogs();
        services_.notices.Show(QString::fromStdString(e.what()) + "\r\n\r\nThe preferences were not saved.",
                               NoticeIcon::Warning, NoticeButtons::Ok);
        return;
    } catch (const std::exception& e) {
        unsaved = QString::fromStdString(e.what()) +
                  "\r\n\r\nThe other preferences were saved and applied; starting with the session was not changed.";
    }
    g->LoadSettings();
    g->ApplySettings();
    g->RedrawMenu();
    // Keys another program holds: the dialog stays to say so.
    if (closing && unsaved.isEmpty() && !g->menuShortcutRefused()) {
        close();
        Tag = 0;
    }
    g->ShowHiddenDialogs();
    if (!unsaved.isEmpty()) services_.notices.Show(unsaved, NoticeIcon::Warning, NoticeButtons::Ok);
}

void TFormConfig::BtnOKClick() { OkOrApply(true); }
void TFormConfig::BtnApplyClick() { OkOrApply(false); }

void TFormConfig::BtnCancelClick() {
    host_.LoadSettings();
    close();
}

void TFormConfig::BtnHelpClick() { services_.launcher.OpenDocument(host_.helpPage()); }

}  // namespace orbel
