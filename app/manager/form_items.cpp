#include "app/manager/form_items.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/manager/file_icons.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "app/images/image_lists.h"
#include "app/services/launching.h"
#include "app/tray/live_menu.h"
#include "core/manager/editing.h"
#include "core/manager/node_kinds.h"
#include "core/manager/properties.h"
#include "core/manager/tree_rules.h"
#include "core/manager/undo_sweep.h"
#include "core/store/store_writer.h"
#include "platform/platform.h"

namespace orbel {

TFormItems::TFormItems(const ManagerParts& parts)
    : OrbelDialog(parts.services.platform),
      store_(parts.store),
      clock_(parts.clock),
      systemColour_(parts.systemColour),
      host_(parts.host),
      services_(parts.services) {
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
}

void TFormItems::buildContents() {
    makeControls();
    connect(TVItems, &QTreeView::expanded, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, true); });
    connect(TVItems, &QTreeView::collapsed, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, false); });
    // A right click in the tree opens the same menu as the tray icon.
    connect(TVItems, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PMItems->popup(TVItems->viewport()->mapToGlobal(p)); });
    connect(TVItems->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        treeModel->setCurrent(current);
        TVItemsChange();
    });
    connect(BitBtnAddApps, &QPushButton::clicked, this, &TFormItems::BitBtnAddAppsClick);
    // Every edit that adds, removes or moves rows may fill or empty the tree.
    connect(treeModel, &QAbstractItemModel::rowsInserted, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::rowsRemoved, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::rowsMoved, this, &TFormItems::showEmptyHint);
    connect(treeModel, &QAbstractItemModel::modelReset, this, &TFormItems::showEmptyHint);
    EditSName->installEventFilter(this);
    EditSParams->installEventFilter(this);
    connect(BitBtnSave, &QPushButton::clicked, this, &TFormItems::BitBtnSaveClick);
    connect(BitBtnUndo, &QPushButton::clicked, this, &TFormItems::BitBtnUndoClick);
    connect(BitBtnSweep, &QPushButton::clicked, this, &TFormItems::BitBtnSweepClick);
    connect(BitBtnLaunch, &QPushButton::clicked, this, &TFormItems::BitBtnLaunchClick);
    connect(BitBtnHelp, &QPushButton::clicked, this, &TFormItems::BitBtnHelpClick);
    connect(BitBtnClose, &QPushButton::clicked, this, &TFormItems::BitBtnCloseClick);
    setupEditing();
    setupAddModes();
    showEmptyHint();
    fitTexts();
}

TFormItems::~TFormItems() = default;

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
    services_.launcher.OpenItem(QString::fromStdString(table.pathOf(s->itemNumber)),
                                QString::fromStdString(table.GetItemParameters(s->itemNumber)));
}

void TFormItems::BitBtnHelpClick() { services_.launcher.OpenDocument(host_.helpPage()); }

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
