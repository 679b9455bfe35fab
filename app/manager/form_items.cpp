#include "app/manager/form_items.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/manager/file_icons.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "app/store/image_lists.h"
#include "app/services/launching.h"
#include "app/tray/live_menu.h"
#include "core/manager/editing.h"
#include "core/manager/node_kinds.h"
#include "core/manager/properties.h"
#include "core/manager/tree_rules.h"
#include "core/manager/undo_sweep.h"
#include "core/store/store_writer.h"
#include "platform/applications.h"

namespace orbel {

namespace {

// Hints: the tooltip, and as status tip the text the status line shows
// while the pointer rests on the control.
void SetHint(QWidget* w, const char* hint) {
    const QString h = QString::fromUtf8(hint);
    w->setToolTip(h);
    w->setStatusTip(h);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint, QRect geometry) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    SetHint(b, hint);
    return b;
}

// A panel header: a raised caption with a small picture at its left.
QLabel* MakeHeader(QWidget* parent, const char* name, const char* caption, const char* hint, const char* imageName,
                   const char* imageHint, int image, QLabel** picture, const ImageLists& images) {
    auto* head = new QLabel(QString::fromUtf8(caption), parent);
    head->setObjectName(name);
    head->setGeometry(0, 0, 175, 20);
    head->setFrameStyle(QFrame::Panel | QFrame::Raised);
    head->setAlignment(Qt::AlignCenter);
    QFont f = head->font();
    f.setBold(true);
    head->setFont(f);
    SetHint(head, hint);
    auto* pic = new QLabel(head);
    pic->setObjectName(imageName);
    pic->setGeometry(3, 2, 16, 16);
    pic->setPixmap(images.menuImage(image, pic->devicePixelRatioF()));
    SetHint(pic, imageHint);
    *picture = pic;
    return head;
}

QLineEdit* ReadOnlyLine(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFrame(false);
    e->setFocusPolicy(Qt::ClickFocus);
    e->setGeometry(geometry);
    return e;
}

}  // namespace

TFormItems::TFormItems(const ManagerParts& parts)
    : store_(parts.store), clock_(parts.clock), systemColour_(parts.systemColour), host_(parts.host) {
    setObjectName("TFormItems");
    setTitleText(parts.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(521, 533);

    ILAllPublic = &parts.images;
    PMItems = &parts.menu;
    PMItems->setRoot(store_.liveMenu.get());
    // The model follows the store from the start; the view that shows it
    // comes with the other controls.
    treeModel = new ItemTreeModel(store_.items, *ILAllPublic, this);

    TimerStatusText = new Timer(clock_, this);
    TimerStatusText->setObjectName("TimerStatusText");
    TimerStatusText->setInterval(100);
    connect(TimerStatusText, &Timer::timeout, this, &TFormItems::TimerStatusTextTimer);
    setupTimers();
    setupPickers();
    listApplications = &platform::InstalledApplications;
}

void TFormItems::buildContents() {
    // The client area: controls placed by hand in a body above the status bar.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = body_ = new QWidget(this);
    body->setObjectName("ClientArea");
    body->setFixedSize(521, 513);
    outer->addWidget(body);

    TVItems = new TkvWinTreeView(body);
    TVItems->setObjectName("TVItems");
    TVItems->setGeometry(4, 4, 334, 478);
    TVItems->setHeaderHidden(true);
    TVItems->setIndentation(19);
    TVItems->setIconSize(QSize(16, 18));
    TVItems->setUniformRowHeights(true);
    TVItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TVItems->setSelectionMode(QAbstractItemView::SingleSelection);
    TVItems->setContextMenuPolicy(Qt::CustomContextMenu);
    TVItems->setModel(treeModel);
    connect(TVItems, &QTreeView::expanded, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, true); });
    connect(TVItems, &QTreeView::collapsed, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, false); });
    // A right click in the tree opens the same menu as the tray icon.
    connect(TVItems, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PMItems->popup(TVItems->viewport()->mapToGlobal(p)); });
    connect(TVItems->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        treeModel->setCurrent(current);
        TVItemsChange();
    });

    // A new user's first step, under the tree it fills.
    BitBtnAddApps = MakeButton(body, "BitBtnAddApps", "Add Appl&ications..",
                               "Add the installed applications, in folders by their category", QRect(4, 486, 120, 23));
    connect(BitBtnAddApps, &QPushButton::clicked, this, &TFormItems::BitBtnAddAppsClick);
    // Every edit that adds, removes or moves rows may fill or empty the tree.
    connect(treeModel, &QAbstractItemModel::rowsInserted, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::rowsRemoved, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::rowsMoved, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::modelReset, this, &TFormItems::showEmptyHint);

    buildPropertiesPanel(body);
    buildAdminPanel(body);
    setupEditing();
    setupAddModes();

    StatusBarHelp = new QStatusBar(this);
    StatusBarHelp->setObjectName("StatusBarHelp");
    StatusBarHelp->setSizeGripEnabled(false);
    StatusBarHelp->setFixedHeight(20);
    StatusPanel = new QLabel(statusText_, StatusBarHelp);
    StatusPanel->setObjectName("StatusPanel");
    // The only panel: it reaches the bar's right end, as the last panel of
    // a status bar does, so that messages are not cut short before it.
    StatusPanel->setMinimumWidth(345);
    StatusBarHelp->addWidget(StatusPanel, 1);
    outer->addWidget(StatusBarHelp);

    setTabOrder(TVItems, EditSName);
    setTabOrder(EditSName, EditSParams);
    setTabOrder(EditSParams, RBFile);
    setTabOrder(RBFile, RBFileDirectory);
    setTabOrder(RBFileDirectory, RBSeparator);
    setTabOrder(RBSeparator, RBFolder);
    setTabOrder(RBFolder, addNameBox);
    setTabOrder(addNameBox, BitBtnAdd);
    setTabOrder(BitBtnAdd, BitBtnAttach);
    setTabOrder(BitBtnAttach, BitBtnCut);
    setTabOrder(BitBtnCut, BitBtnCopy);
    setTabOrder(BitBtnCopy, BitBtnPaste);
    setTabOrder(BitBtnPaste, BitBtnDelete);
    setTabOrder(BitBtnDelete, BitBtnUndo);
    setTabOrder(BitBtnUndo, BitBtnSweep);
    setTabOrder(BitBtnSweep, BitBtnSave);
    setTabOrder(BitBtnSave, BitBtnLaunch);
    setTabOrder(BitBtnLaunch, BitBtnHelp);
    setTabOrder(BitBtnHelp, BitBtnClose);
    setTabOrder(BitBtnClose, BitBtnAddApps);
    TVItems->setFocus();

    // Names for screen readers: the caption each box begins with or stands
    // under. Set here, since no label stands beside these boxes but the
    // name box's caption, which is shortened when it is too wide.
    TVItems->setAccessibleName("Items");
    PanelProp->setAccessibleName(PanelHeadProp->text());
    PanelAdmin->setAccessibleName(PanelHeadAdmin->text());
    EditSName->setAccessibleName("Item Text");
    filePathBox->setAccessibleName("File Path");
    fileNameBox->setAccessibleName("File Name");
    fileParamsBox->setAccessibleName("Parameters");
    EditSParams->setAccessibleName("Parameters");

    itemTextCaption_ = LabelItemText->text();

    design_.design({PanelProp,   PanelHeadProp,   ImgFType,    EditSName,    LblFType,       filePathBox,
                    fileNameBox, fileParamsBox,   EditSParams, PanelAdmin,   PanelHeadAdmin, RGSelectType,
                    RBFile,      RBFileDirectory, RBSeparator, RBFolder,     LabelItemText,  addNameBox,
                    BitBtnAdd,   BitBtnAttach,    BitBtnCut,   BitBtnCopy,   BitBtnPaste,    BitBtnDelete,
                    BitBtnUndo,  BitBtnSweep,     BitBtnSave,  BitBtnLaunch, BitBtnHelp,     BitBtnClose,
                    TVItems,     BitBtnAddApps,   body_,       StatusBarHelp});
    showEmptyHint();
    fitTexts();
}

TFormItems::~TFormItems() = default;

void TFormItems::buildPropertiesPanel(QWidget* body) {
    PanelProp = new QFrame(body);
    PanelProp->setObjectName("PanelProp");
    PanelProp->setGeometry(342, 4, 175, 190);
    PanelProp->setFrameShape(QFrame::StyledPanel);
    PanelHeadProp = MakeHeader(PanelProp, "PanelHeadProp", "Properties",
                               "\"Properties\" is the place where you can view and modify the details of each item",
                               "ImageDesProp",
                               "\"Properties\" is the place where you can view the details of each item", img::Gear,
                               &ImageDesProp, *ILAllPublic);

    ImgFType = new QLabel(PanelProp);
    ImgFType->setObjectName("ImgFType");
    ImgFType->setGeometry(6, 27, 16, 16);
    SetHint(ImgFType, "This is the showed \"item text\"");
    drawTypeImage(-1, -1);

    EditSName = new QLineEdit(PanelProp);
    EditSName->setObjectName("EditSName");
    EditSName->setGeometry(28, 24, 141, 22);
    EditSName->setEnabled(false);
    SetHint(EditSName, "This is the showed \"item text\"");
    EditSName->installEventFilter(this);

    LblFType = new QLabel("Item Type:", PanelProp);
    LblFType->setObjectName("LblFType");
    LblFType->setGeometry(6, 50, 163, 16);
    SetHint(LblFType, "The type of the item (some are handled by program)");

    filePathBox = new QPlainTextEdit("File Path:", PanelProp);
    filePathBox->setObjectName("RichEditFPath");
    filePathBox->setReadOnly(true);
    filePathBox->setFrameShape(QFrame::NoFrame);
    filePathBox->setFocusPolicy(Qt::ClickFocus);
    filePathBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    filePathBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    filePathBox->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    filePathBox->setGeometry(6, 68, 163, 41);
    SetHint(filePathBox, "The file-path (e.g. c:\\tandrel\\) which the item points at");

    fileNameBox = ReadOnlyLine(PanelProp, "RichEditFName", "File Name:", QRect(6, 112, 163, 20));
    SetHint(fileNameBox, "The file-name (e.g. orbel.exe) which the item points at");

    fileParamsBox = ReadOnlyLine(PanelProp, "RichEditFParams", "Parameters:", QRect(6, 137, 163, 20));
    SetHint(fileParamsBox, "The parameters to use for executing this (exe) file");

    EditSParams = new QLineEdit(PanelProp);
    EditSParams->setObjectName("EditSParams");
    EditSParams->setGeometry(6, 160, 163, 22);
    EditSParams->setEnabled(false);
    SetHint(EditSParams, "The parameters to use for executing this (exe) file");
    EditSParams->installEventFilter(this);
}

void TFormItems::buildAdminPanel(QWidget* body) {
    PanelAdmin = new QFrame(body);
    PanelAdmin->setObjectName("PanelAdmin");
    PanelAdmin->setGeometry(342, 197, 175, 312);
    PanelAdmin->setFrameShape(QFrame::StyledPanel);
    const char* adminHint = "\"Administer\" is the place where you add, delete etc. items";
    PanelHeadAdmin = MakeHeader(PanelAdmin, "PanelHeadAdmin", "Administer", adminHint, "ImageDesAdmin", adminHint,
                                img::Manage, &ImageDesAdmin, *ILAllPublic);

    RGSelectType = new QGroupBox("Type of item to add", PanelAdmin);
    RGSelectType->setObjectName("RGSelectType");
    RGSelectType->setGeometry(4, 22, 167, 88);
    auto radio = [this](const char* name, const char* caption, const char* hint, int y) {
        auto* r = new QRadioButton(QString::fromUtf8(caption), RGSelectType);
        r->setObjectName(name);
        r->setGeometry(8, y, 155, 17);
        SetHint(r, hint);
        return r;
    };
    RBFile = radio("RBFile", "File - Normal", "Choosing this will enable the \"add..\" which is used with files", 17);
    RBFileDirectory = radio("RBFileDirectory", "File - Directory",
                            "Choosing this will enable the \"add..\" which is used with directories", 34);
    RBSeparator = radio("RBSeparator", "Separator", "Choosing this makes it possible to add separators", 51);
    RBFolder = radio("RBFolder", "Folder (virtual)", "Choosing this makes it possible to add sub-treeview-folders", 68);
    RBFile->setChecked(true);

    LabelItemText = new QLabel("Item Text", PanelAdmin);
    LabelItemText->setObjectName("LabelItemText");
    LabelItemText->setAlignment(Qt::AlignCenter);
    LabelItemText->setGeometry(4, 112, 167, 16);

    addNameBox = new QLineEdit(PanelAdmin);
    addNameBox->setObjectName("MemoAddName");
    addNameBox->setGeometry(4, 129, 167, 22);
    SetHint(addNameBox, "This will be the showed \"item text\" for whatever item type");

    // Two columns of buttons, 80 wide; rows 25 apart, groups a little more.
    auto at = [](int column, int y) { return QRect(column == 0 ? 4 : 91, y, 80, 23); };
    BitBtnAdd = MakeButton(PanelAdmin, "BitBtnAdd", "Add..", "Find a file of any type and prepare it to be attached",
                           at(0, 154));
    BitBtnAttach = MakeButton(PanelAdmin, "BitBtnAttach", "Attach",
                              "Attach either a file or separator (depends on selection)", at(1, 154));
    BitBtnAttach->setEnabled(false);
    BitBtnCut = MakeButton(PanelAdmin, "BitBtnCut", "&Cut",
                           "Cut an item (in most cases to paste it into another place)", at(0, 182));
    BitBtnCopy = MakeButton(PanelAdmin, "BitBtnCopy", "C&opy",
                            "Copy an item (in most cases to paste it into another place)", at(1, 182));
    BitBtnPaste = MakeButton(PanelAdmin, "BitBtnPaste", "&Paste",
                             "Paste an item which you have just cutted or copyed before", at(0, 207));
    BitBtnDelete = MakeButton(PanelAdmin, "BitBtnDelete", "&Delete", "Delete an item", at(1, 207));
    BitBtnUndo = MakeButton(PanelAdmin, "BitBtnUndo", "&Undo", "Undo all changes (since last save)", at(0, 236));
    BitBtnSweep = MakeButton(PanelAdmin, "BitBtnSweep", "&Sweep", "Sweep for invalid items (e.g. non-existing files)",
                             at(1, 236));
    BitBtnSave = MakeButton(PanelAdmin, "BitBtnSave", "S&ave",
                            "Save changes (take effect after closing the form) - only new changes can be undone",
                            at(0, 261));
    BitBtnLaunch = MakeButton(PanelAdmin, "BitBtnLaunch", "&Launch",
                              "Launch the given shortcut (the same as launching them from the popumenu)", at(1, 261));
    BitBtnHelp = MakeButton(PanelAdmin, "BitBtnHelp", "&Help", "Get help", at(0, 286));
    BitBtnClose = MakeButton(PanelAdmin, "BitBtnClose", "C&lose",
                             "Exit (changes made since last save won't be applyed)", at(1, 286));
    for (QPushButton* b : {BitBtnCut, BitBtnCopy, BitBtnPaste, BitBtnDelete, BitBtnLaunch}) b->setEnabled(false);

    connect(BitBtnSave, &QPushButton::clicked, this, &TFormItems::BitBtnSaveClick);
    connect(BitBtnUndo, &QPushButton::clicked, this, &TFormItems::BitBtnUndoClick);
    connect(BitBtnSweep, &QPushButton::clicked, this, &TFormItems::BitBtnSweepClick);
    connect(BitBtnLaunch, &QPushButton::clicked, this, &TFormItems::BitBtnLaunchClick);
    connect(BitBtnHelp, &QPushButton::clicked, this, &TFormItems::BitBtnHelpClick);
    connect(BitBtnClose, &QPushButton::clicked, this, &TFormItems::BitBtnCloseClick);
}

// ---- Room for the captions -----------------------------------------------

namespace {

// The width a label needs for the widest of several texts.
int WidestCaption(const QLabel* label, const QStringList& texts) {
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString& t : texts) widest = qMax(widest, fm.horizontalAdvance(t));
    return widest + CaptionNeeds(label).width() - fm.horizontalAdvance(label->text());
}

}  // namespace

void TFormItems::fitTexts() {
    if (design_.empty()) return;
    const QRect prop = design_.designed(PanelProp);
    // The right-hand column is as wide as its widest caption needs.
    int column = prop.width();
    const auto needs = [&column](int width) { column = qMax(column, width); };
    // Header captions are centred, clear of the picture at their left.
    for (QLabel* head : {PanelHeadProp, PanelHeadAdmin})
        needs(CaptionNeeds(head).width() + 2 * (ImageDesProp->geometry().right() + 3));
    QStringList types;
    for (const std::string& t : ItemTypeLines()) types << QString::fromStdString(t);
    // The type line may reach the panel's frame.
    const int margin = design_.designed(LblFType).x();
    needs(margin + WidestCaption(LblFType, types) + PanelProp->frameWidth());
    for (QWidget* box : {fileNameBox, fileParamsBox}) needs(margin + CaptionNeeds(box).width() + margin);
    const QFontMetrics pathFm(filePathBox->font());
    needs(margin + pathFm.horizontalAdvance("File Path: N/A") + 2 * int(filePathBox->document()->documentMargin()) +
          margin);

    const QRect group = design_.designed(RGSelectType);
    const QRect radio = design_.designed(RBFile);
    int radios = radio.width();
    for (QWidget* r : {RBFile, RBFileDirectory, RBSeparator, RBFolder}) radios = qMax(radios, design_.grown(r).width());
    const int groupWidth = std::max(
        {group.width(), radio.x() + radios + group.width() - (radio.right() + 1), CaptionNeeds(RGSelectType).width()});
    needs(groupWidth + prop.width() - group.width());
    needs(WidestCaption(LabelItemText, {manager_texts::CaptionPlain, manager_texts::CaptionDirectory,
                                        manager_texts::CaptionFolder, manager_texts::CaptionSeparator}) +
          prop.width() - design_.designed(LabelItemText).width());

    // The buttons stand in two columns of one width.
    const QRect left = design_.designed(BitBtnAdd), right = design_.designed(BitBtnAttach);
    int buttonWidth = left.width();
    for (QPushButton* b : PanelAdmin->findChildren<QPushButton*>())
        buttonWidth = qMax(buttonWidth, design_.grown(b).width());
    needs(buttonWidth * 2 + prop.width() - left.width() - right.width());

    // The group and the buttons take the column's whole width.
    const int grow = column - prop.width();
    const int propHeight = fitPropertiesPanel(column);
    const int adminHeight = fitAdminPanel(column, (left.width() + right.width() + grow) / 2, group.width() + grow);
    const QRect admin = design_.designed(PanelAdmin);
    PanelProp->setGeometry(prop.x(), prop.y(), column, propHeight);
    const int adminTop = prop.y() + propHeight + admin.y() - (prop.bottom() + 1);
    PanelAdmin->setGeometry(admin.x(), adminTop, column, adminHeight);

    // The tree keeps its width and takes the column's height.
    const QRect body = design_.designed(body_);
    const QSize client(prop.x() + column + body.width() - (prop.right() + 1),
                       qMax(body.height(), adminTop + adminHeight + body.height() - (admin.bottom() + 1)));
    // The button under it keeps its distance from the bottom and shows its
    // caption whole; the tree ends its designed gap above the button.
    const QRect tree = design_.designed(TVItems);
    const QRect apps = design_.designed(BitBtnAddApps);
    const QSize appsNeeds = design_.grown(BitBtnAddApps);
    const int appsBottom = client.height() - (body.height() - (apps.bottom() + 1));
    const int appsTop = appsBottom - appsNeeds.height();
    BitBtnAddApps->setGeometry(apps.x(), appsTop, qMin(tree.width(), appsNeeds.width()), appsNeeds.height());
    TVItems->setGeometry(tree.x(), tree.y(), tree.width(), appsTop - (apps.y() - (tree.bottom() + 1)) - tree.y());
    body_->setFixedSize(client);
    // The bar keeps three pixels above its panel and two below.
    const int bar = qMax(design_.designed(StatusBarHelp).height(), CaptionNeeds(StatusPanel).height() + 5);
    StatusBarHelp->setFixedHeight(bar);
    showItemTextCaption();
    setClientSize({client.width(), client.height() + bar});
}

int TFormItems::fitPropertiesPanel(int width) {
    const int grow = width - design_.designed(PanelProp).width();
    // A control across the panel: its designed place and width, moved down
    // with the rows and as much wider as the panel is.
    const auto span = [this, grow](QWidget* w, RowFlow& rows, int height) {
        const QRect d = design_.designed(w);
        w->setGeometry(d.x(), rows.place(d.y()), d.width() + grow, qMax(d.height(), height));
        rows.ends(w);
    };
    RowFlow rows(0);
    span(PanelHeadProp, rows, CaptionNeeds(PanelHeadProp).height());
    span(EditSName, rows, CaptionNeeds(EditSName).height());
    // The picture stays centred beside the name box.
    const QRect picture = design_.designed(ImgFType);
    ImgFType->move(picture.x(), EditSName->y() + (EditSName->height() - picture.height()) / 2);
    span(LblFType, rows, CaptionNeeds(LblFType).height());
    LblFType->resize(width - LblFType->x() - PanelProp->frameWidth(), LblFType->height());
    // Two lines of the path.
    const QFontMetrics fm(filePathBox->font());
    span(filePathBox, rows, 2 * fm.lineSpacing() + 2 * int(filePathBox->document()->documentMargin()) + 1);
    for (QWidget* w : {fileNameBox, fileParamsBox, EditSParams}) span(w, rows, CaptionNeeds(w).height());
    const QRect d = design_.designed(PanelProp);
    return qMax(d.height() + rows.push(), rows.bottom() + d.height() - (design_.designed(EditSParams).bottom() + 1));
}

int TFormItems::fitAdminPanel(int width, int buttonWidth, int groupWidth) {
    const QRect panel = design_.designed(PanelAdmin);
    const int grow = width - panel.width();
    RowFlow rows(0);
    const auto span = [this, grow](QWidget* w, RowFlow& rows, int height, int gap) {
        const QRect d = design_.designed(w);
        w->setGeometry(d.x(), rows.place(d.y(), gap), d.width() + grow, qMax(d.height(), height));
        rows.ends(w);
    };
    span(PanelHeadAdmin, rows, CaptionNeeds(PanelHeadAdmin).height(), 0);

    // The mode buttons one below the other, under the group's title.
    const QRect group = design_.designed(RGSelectType);
    RowFlow inside(GroupContentTop(RGSelectType));
    for (QRadioButton* r : {RBFile, RBFileDirectory, RBSeparator, RBFolder}) {
        const QRect d = design_.designed(r);
        const QSize needs = design_.grown(r);
        r->setGeometry(d.x(), inside.place(d.y(), 0), groupWidth - (group.width() - d.width()), needs.height());
        inside.ends(r);
    }
    const int groupBottom = group.height() - (design_.designed(RBFolder).bottom() + 1);
    RGSelectType->setGeometry(group.x(), rows.place(group.y()), groupWidth,
                              qMax(group.height() + inside.push(), inside.bottom() + groupBottom));
    rows.ends(RGSelectType);
    span(LabelItemText, rows, CaptionNeeds(LabelItemText).height(), 1);
    span(addNameBox, rows, CaptionNeeds(addNameBox).height(), 1);

    const QRect left = design_.designed(BitBtnAdd), right = design_.designed(BitBtnAttach);
    const int secondX = left.x() + buttonWidth + right.x() - (left.right() + 1);
    const std::pair<QPushButton*, QPushButton*> pairs[] = {{BitBtnAdd, BitBtnAttach},   {BitBtnCut, BitBtnCopy},
                                                           {BitBtnPaste, BitBtnDelete}, {BitBtnUndo, BitBtnSweep},
                                                           {BitBtnSave, BitBtnLaunch},  {BitBtnHelp, BitBtnClose}};
    for (auto [first, second] : pairs) {
        const int top = rows.place(design_.designed(first).y());
        const int height = qMax(design_.grown(first).height(), design_.grown(second).height());
        first->setGeometry(left.x(), top, buttonWidth, height);
        second->setGeometry(secondX, top, buttonWidth, height);
        rows.ends(first);
    }
    const int below = panel.height() - (design_.designed(BitBtnClose).bottom() + 1);
    return qMax(panel.height() + rows.push(), rows.bottom() + below);
}

void TFormItems::showItemTextCaption() {
    // A caption too wide for the panel ends in an ellipsis; its whole text
    // stays in the tooltip and in the name box's accessible name.
    const QFontMetrics fm(LabelItemText->font());
    const int room = LabelItemText->contentsRect().width() - 2 * LabelItemText->margin();
    const QString shown = fm.elidedText(itemTextCaption_, Qt::ElideMiddle, room);
    LabelItemText->setText(shown);
    LabelItemText->setToolTip(shown == itemTextCaption_ ? QString() : itemTextCaption_);
    addNameBox->setAccessibleName(itemTextCaption_);
}

// ---- Status line -------------------------------------------------------

QString TFormItems::StatusText() const {
    // Before the first showing the line shows what it will show then.
    return StatusPanel ? StatusPanel->text() : statusText_;
}

void TFormItems::SetStatusText(const QString& text) {
    statusText_ = text;
    if (StatusPanel) StatusPanel->setText(text);
}

void TFormItems::ShowStatus(const QString& message) {
    SetStatusText(message);
    TimerStatusText->setInterval(4750);
}

void TFormItems::ShowHint(const QString& hint) {
    SetStatusText(hint);
    TimerStatusText->setInterval(100);
    TimerStatusText->start();
}

void TFormItems::TimerStatusTextTimer() {
    if (TimerStatusText->interval() == 4750) {
        TimerStatusText->setInterval(100);
        SetStatusText("Ready");
    } else if (StatusText().isEmpty()) {
        SetStatusText("Ready");
    }
}

void TFormItems::refuse(const QString& message) {
    host_.playSound("media/chord.wav");
    ShowStatus(message);
}

// ---- Selection and panel -----------------------------------------------

TreeNode* TFormItems::selectedNode() const {
    // Nothing is selected before the view exists.
    return TVItems ? treeModel->nodeAt(TVItems->currentIndex()) : nullptr;
}

void TFormItems::selectNode(TreeNode* node) {
    ensureContents();
    const QModelIndex i = treeModel->indexOf(node);
    TVItems->setCurrentIndex(i);
    if (i.isValid()) TVItems->scrollTo(i);
}

void TFormItems::TVItemsChange() {
    if (!changeHandlerAttached_) return;
    ensureContents();
    ShowProperties(selectedNode());
    RefreshButtons();
}

void TFormItems::drawTypeImage(int imageIndex, int itemNumber) {
    // Drawn for the panel's device pixels, so a desktop icon stays sharp.
    const qreal ratio = ImgFType->devicePixelRatioF();
    QPixmap pm(QSize(16, 16) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(systemColour_.isValid() ? systemColour_ : palette().color(QPalette::Button));
    if (imageIndex >= 0) {
        QPainter p(&pm);
        p.drawPixmap(QRect(0, 0, 16, 16), ILAllPublic->entryPixmap(itemNumber, imageIndex, ratio));
    }
    ImgFType->setPixmap(pm);
}

void TFormItems::showEmptyHint() {
    if (!TVItems) return;
    // The user's part of the top level lies between the top marker and the
    // program's own entries.
    const ItemTree& items = store_.items;
    const bool empty = items.topLevelCount() < 2 || IsBuiltInNode(items.topLevel(1));
    TVItems->setPlaceholderText(empty ? QStringLiteral("Your menu is empty. Press Add Applications.. for the "
                                                       "applications installed here, or choose a file with Add.. "
                                                       "and press Attach, or drop files here from your file manager.")
                                      : QString());
}

void TFormItems::ShowProperties(const TreeNode* node) {
    ensureContents();
    const PropertiesView v = orbel::ShowProperties(node, store_.table);
    drawTypeImage(v.imageIndex, node ? node->itemNumber : -1);
    LblFType->setText(QString::fromStdString(v.typeLine));
    EditSName->setText(QString::fromStdString(v.nameText));
    EditSName->setEnabled(v.nameEnabled);
    fileNameBox->setText(QString::fromStdString(v.fileNameLine));
    fileNameBox->setCursorPosition(0);
    filePathBox->setPlainText(QString::fromStdString(v.filePathLine));
    EditSParams->setText(QString::fromStdString(v.paramsText));
    EditSParams->setEnabled(v.paramsEnabled);
}

void TFormItems::RefreshButtons() {
    ensureContents();
    const ButtonStates b = orbel::RefreshButtons(selectedNode(), clipboardNode, attachArmed_);
    BitBtnCut->setEnabled(b.cut);
    BitBtnCopy->setEnabled(b.copy);
    BitBtnPaste->setEnabled(b.paste);
    BitBtnDelete->setEnabled(b.del);
    if (b.attach) BitBtnAttach->setEnabled(*b.attach);
    BitBtnLaunch->setEnabled(b.launch);
    BitBtnAddApps->setEnabled(b.applications);
    if (!b.status.empty()) ShowStatus(QString::fromStdString(b.status));
}

void TFormItems::ResetSelection() {
    TreeNode* anchor = orbel::ResetSelection(store_.items, clipboardNode);
    selectNode(anchor);
    RefreshButtons();
}

// ---- Editing -----------------------------------------------------------

void TFormItems::correctBox(QLineEdit* box, const QString& text) {
    const int removed = box->text().size() - text.size();
    const int caret = std::max(0, box->cursorPosition() - std::max(0, removed));
    box->setText(text);
    box->setCursorPosition(std::min(caret, int(text.size())));
}

void TFormItems::EditSNameKeyDown() {
    ensureContents();
    TreeNode* s = selectedNode();
    if (!s) return;
    ItemStore& store = store_;
    const EditResult r = EditNodeName(store.items, s, EditSName->text().toStdString());
    if (r.boxCorrected) correctBox(EditSName, QString::fromStdString(r.boxText));
    report(r.refusal, r.chord);
    if (r.imageChanged) drawTypeImage(s->imageIndex, s->itemNumber);
}

void TFormItems::EditSParamsKeyDown() {
    ensureContents();
    const TreeNode* s = selectedNode();
    if (!s) return;
    const EditResult r = EditNodeParameters(store_.table, s, EditSParams->text().toStdString());
    if (r.boxCorrected) correctBox(EditSParams, QString::fromStdString(r.boxText));
    report(r.refusal, r.chord);
}

bool TFormItems::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn &&
        (watched == RBFile || watched == RBFileDirectory || watched == RBSeparator || watched == RBFolder))
        RBFolderEnter(static_cast<QRadioButton*>(watched));
    if (watched == TVItems->viewport()) {
        if (viewportEvent(event)) return true;
        return OrbelDialog::eventFilter(watched, event);
    }
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && (watched == EditSName || watched == EditSParams)) {
        auto* box = static_cast<QLineEdit*>(watched);
        // Key down is seen before the box takes the key, key up after it:
        // the node follows the typing letter by letter either way.
        if (box->isEnabled()) {
            if (watched == EditSName) EditSNameKeyDown();
            else EditSParamsKeyDown();
        }
    }
    return OrbelDialog::eventFilter(watched, event);
}

// ---- Save, undo, sweep, launch, help, close --------------------------------

void TFormItems::BitBtnSaveClick() {
    // Loaded icons are read from the store itself, which the save moves
    // aside: every picture is rendered while its file is still in place.
    ILAllPublic->resolveAll();
    WriterHooks hooks;
    const ImageLists& images = *ILAllPublic;
    hooks.writeBitmap = [&images](const TreeNode& node, const std::string& path) {
        return WriteIconBitmap(images, node.imageIndex, QString::fromStdString(path));
    };
    hooks.log = [this](const std::string& line) { host_.writeErrorLog(QString::fromStdString(line)); };
    hooks.gate = saveStepGate;
    const SaveResult r = SaveStore(store_, hooks);
    if (r.outcome == SaveOutcome::Saved) {
        host_.playSound("media/chimes.wav");
        ShowStatus(QString::fromStdString(r.status));
        savedFlag = true;
    } else {
        refuse(QString::fromStdString(r.status));
    }
}

TFormItems::TreeRebuild::TreeRebuild(TFormItems& form) : form_(form), handlerWasAttached_(form.changeHandlerAttached_) {
    form_.setTreeChangeHandler(false);
    form_.treeModel->detach();
}

TFormItems::TreeRebuild::~TreeRebuild() {
    form_.treeModel->attach();
    form_.setTreeChangeHandler(handlerWasAttached_);
}

void TFormItems::RestoreSnapshot() {
    {
        TreeRebuild rebuild(*this);
        orbel::RestoreSnapshot(store_);
    }
    // The old nodes are gone; nothing may point at them any more.
    clipboardNode = nullptr;
    forgetNodes();
    selectNode(store_.topAnchor);
}

void TFormItems::BitBtnUndoClick() {
    ensureContents();
    RestoreSnapshot();
    ResetSelection();
}

void TFormItems::BitBtnSweepClick() {
    ensureContents();
    ItemStore& store = store_;
    // A swept clipboard node is no longer in the tree; ResetSelection below
    // sees that and only clears the clipboard.
    forgetNodes();
    {
        TreeRebuild rebuild(*this);
        SweepTree(store.items, store.topAnchor, store.table);
    }
    ResetSelection();
}

void TFormItems::BitBtnLaunchClick() {
    ensureContents();
    const TreeNode* s = selectedNode();
    if (!HasItemEntry(s)) return;
    const ItemTable& table = store_.table;
    OpenItem(QString::fromStdString(table.pathOf(s->itemNumber)),
             QString::fromStdString(table.GetItemParameters(s->itemNumber)));
}

void TFormItems::BitBtnHelpClick() { OpenDocument(host_.helpPage()); }

void TFormItems::BitBtnCloseClick() { close(); }

void TFormItems::FormClose() {
    if (savedFlag) {
        savedFlag = false;
        RestoreSnapshot();
        hide();
        // ReloadStore detaches the change handler while it rebuilds.
        if (!host_.reloadAfterSave()) return;
    } else {
        RestoreSnapshot();
    }
    ResetSelection();
}

void TFormItems::StoreUnloading() {
    PMItems->setRoot(nullptr);
    ILAllPublic->dropCache();
}

void TFormItems::StoreLoaded() {
    PMItems->setRoot(store_.liveMenu.get());
    // The old nodes went with the load.
    clipboardNode = nullptr;
    forgetNodes();
}

void TFormItems::setTreeChangeHandler(bool attached) { changeHandlerAttached_ = attached; }

void TFormItems::showEvent(QShowEvent* e) {
    // The tree a start-up left for now; the view takes it whole.
    if (store_.treePending) {
        TreeRebuild rebuild(*this);
        BuildPendingTree(store_);
    }
    QDialog::showEvent(e);
    // The node at the top of the visible area becomes the selected node.
    const QModelIndex top = TVItems->indexAt(QPoint(1, 1));
    if (top.isValid()) {
        if (top == TVItems->currentIndex()) TVItemsChange();
        else TVItems->setCurrentIndex(top);
    }
}

void TFormItems::closeEvent(QCloseEvent* e) {
    // Hidden, never destroyed.
    e->accept();
    FormClose();
    emit hidden();
}

}  // namespace orbel
