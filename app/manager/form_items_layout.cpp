// What the item manager is made of and where its controls go: the table of
// its controls, the status bar and the tab order, and the fitting of the
// panels to the captions in the font they have.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/dialogs/control_table.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/images/image_lists.h"
#include "core/manager/editing.h"
#include "core/manager/properties.h"

namespace orbel {

void TFormItems::makeControls() {
    // The client area: controls placed by hand in a body above the status bar.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = body_ = new QWidget(this);
    body->setObjectName("ClientArea");
    body->setFixedSize(521, 513);
    outer->addWidget(body);

    const char* const propHint = "\"Properties\" is the place where you can view and modify the details of each item";
    const char* const adminHint = "\"Administer\" is the place where you add, delete etc. items";
    const unsigned heading = RaisedPanel | Centred | Bold;
    // clang-format off
    const QList<QWidget*> made = BuildControls(body, {
        {TVItems, "TVItems", nullptr, {4, 4, 334, 478}},
        // A new user's first step, under the tree it fills.
        {BitBtnAddApps, "BitBtnAddApps", nullptr, {4, 486, 120, 23}, "Add Appl&ications..",
         "Add the installed applications, in folders by their category"},

        {PanelProp, "PanelProp", nullptr, {342, 4, 175, 190}, {}, nullptr, StyledPanel},
        // A panel header: a raised caption with a small picture at its left.
        {PanelHeadProp, "PanelHeadProp", "PanelProp", {0, 0, 175, 20}, "Properties", propHint, heading},
        {ImageDesProp, "ImageDesProp", "PanelHeadProp", {3, 2, 16, 16}, {},
         "\"Properties\" is the place where you can view the details of each item"},
        {ImgFType, "ImgFType", "PanelProp", {6, 27, 16, 16}, {}, "This is the showed \"item text\""},
        {EditSName, "EditSName", "PanelProp", {28, 24, 141, 22}, {}, "This is the showed \"item text\"",
         Disabled},
        {LblFType, "LblFType", "PanelProp", {6, 50, 163, 16}, "Item Type:",
         "The type of the item (some are handled by program)"},
        {filePathBox, "RichEditFPath", "PanelProp", {6, 68, 163, 41}, "File Path:",
         "The file-path (e.g. c:\\tandrel\\) which the item points at", ShowsText},
        {fileNameBox, "RichEditFName", "PanelProp", {6, 112, 163, 20}, "File Name:",
         "The file-name (e.g. orbel.exe) which the item points at", ShowsText},
        {fileParamsBox, "RichEditFParams", "PanelProp", {6, 137, 163, 20}, "Parameters:",
         "The parameters to use for executing this (exe) file", ShowsText},
        {EditSParams, "EditSParams", "PanelProp", {6, 160, 163, 22}, {},
         "The parameters to use for executing this (exe) file", Disabled},

        {PanelAdmin, "PanelAdmin", nullptr, {342, 197, 175, 312}, {}, nullptr, StyledPanel},
        {PanelHeadAdmin, "PanelHeadAdmin", "PanelAdmin", {0, 0, 175, 20}, "Administer", adminHint, heading},
        {ImageDesAdmin, "ImageDesAdmin", "PanelHeadAdmin", {3, 2, 16, 16}, {}, adminHint},
        {RGSelectType, "RGSelectType", "PanelAdmin", {4, 22, 167, 88}, "Type of item to add"},
        {RBFile, "RBFile", "RGSelectType", {8, 17, 155, 17}, "File - Normal",
         "Choosing this will enable the \"add..\" which is used with files"},
        {RBFileDirectory, "RBFileDirectory", "RGSelectType", {8, 34, 155, 17}, "File - Directory",
         "Choosing this will enable the \"add..\" which is used with directories"},
        {RBSeparator, "RBSeparator", "RGSelectType", {8, 51, 155, 17}, "Separator",
         "Choosing this makes it possible to add separators"},
        {RBFolder, "RBFolder", "RGSelectType", {8, 68, 155, 17}, "Folder (virtual)",
         "Choosing this makes it possible to add sub-treeview-folders"},
        {LabelItemText, "LabelItemText", "PanelAdmin", {4, 112, 167, 16}, "Item Text", nullptr, Centred},
        {addNameBox, "MemoAddName", "PanelAdmin", {4, 129, 167, 22}, {},
         "This will be the showed \"item text\" for whatever item type"},
        // Two columns of buttons, 80 wide; rows 25 apart, groups a little more.
        {BitBtnAdd, "BitBtnAdd", "PanelAdmin", {4, 154, 80, 23}, "Add..",
         "Find a file of any type and prepare it to be attached"},
        {BitBtnAttach, "BitBtnAttach", "PanelAdmin", {91, 154, 80, 23}, "Attach",
         "Attach either a file or separator (depends on selection)", Disabled},
        {BitBtnCut, "BitBtnCut", "PanelAdmin", {4, 182, 80, 23}, "&Cut",
         "Cut an item (in most cases to paste it into another place)", Disabled},
        {BitBtnCopy, "BitBtnCopy", "PanelAdmin", {91, 182, 80, 23}, "C&opy",
         "Copy an item (in most cases to paste it into another place)", Disabled},
        {BitBtnPaste, "BitBtnPaste", "PanelAdmin", {4, 207, 80, 23}, "&Paste",
         "Paste an item which you have just cutted or copyed before", Disabled},
        {BitBtnDelete, "BitBtnDelete", "PanelAdmin", {91, 207, 80, 23}, "&Delete", "Delete an item", Disabled},
        {BitBtnUndo, "BitBtnUndo", "PanelAdmin", {4, 236, 80, 23}, "&Undo", "Undo all changes (since last save)"},
        {BitBtnSweep, "BitBtnSweep", "PanelAdmin", {91, 236, 80, 23}, "&Sweep",
         "Sweep for invalid items (e.g. non-existing files)"},
        {BitBtnSave, "BitBtnSave", "PanelAdmin", {4, 261, 80, 23}, "S&ave",
         "Save changes (take effect after closing the form) - only new changes can be undone"},
        {BitBtnLaunch, "BitBtnLaunch", "PanelAdmin", {91, 261, 80, 23}, "&Launch",
         "Launch the given shortcut (the same as launching them from the popumenu)", Disabled},
        {BitBtnHelp, "BitBtnHelp", "PanelAdmin", {4, 286, 80, 23}, "&Help", "Get help"},
        {BitBtnClose, "BitBtnClose", "PanelAdmin", {91, 286, 80, 23}, "C&lose",
         "Exit (changes made since last save won't be applyed)"},
    });
    // clang-format on

    // What the table's columns do not say.
    TVItems->setHeaderHidden(true);
    TVItems->setIndentation(19);
    TVItems->setIconSize(QSize(16, 18));
    TVItems->setUniformRowHeights(true);
    TVItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TVItems->setSelectionMode(QAbstractItemView::SingleSelection);
    TVItems->setContextMenuPolicy(Qt::CustomContextMenu);
    TVItems->setModel(treeModel);
    ImageDesProp->setPixmap(ILAllPublic->menuImage(img::Gear, ImageDesProp->devicePixelRatioF()));
    ImageDesAdmin->setPixmap(ILAllPublic->menuImage(img::Manage, ImageDesAdmin->devicePixelRatioF()));
    drawTypeImage(-1, -1);
    filePathBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    filePathBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    filePathBox->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    RBFile->setChecked(true);

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

    QWidget* const order[] = {TVItems,     EditSName,    EditSParams,  RBFile,       RBFileDirectory, RBSeparator,
                              RBFolder,    addNameBox,   BitBtnAdd,    BitBtnAttach, BitBtnCut,       BitBtnCopy,
                              BitBtnPaste, BitBtnDelete, BitBtnUndo,   BitBtnSweep,  BitBtnSave,      BitBtnLaunch,
                              BitBtnHelp,  BitBtnClose,  BitBtnAddApps};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
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
    design_.design(made);
    design_.design({body_, StatusBarHelp});
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
    const auto span = [this, grow](QWidget* w, RowFlow& flow, int height, int gap) {
        const QRect d = design_.designed(w);
        w->setGeometry(d.x(), flow.place(d.y(), gap), d.width() + grow, qMax(d.height(), height));
        flow.ends(w);
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

}  // namespace orbel
