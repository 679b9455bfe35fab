#include "app/manager/form_items.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/manager/item_tree_model.h"
#include "app/shell/program.h"
#include "app/store/image_lists.h"
#include "app/tray/live_menu.h"
#include "app/tray/tray_commands.h"

namespace orbel {

TFormItems::TFormItems() {
    Program* prog = Program::instance();
    setObjectName("TFormItems");
    setTitleText(prog->itemsTitle);
    setFixedSize(521, 533);

    ILAllPublic = std::make_unique<ImageLists>(prog->store.images, prog->store.counters.defaultProgramImage);
    PMItems = new LiveMenu(*ILAllPublic, [](const MenuEntry& e) { RunMenuCommand(e); }, this);
    PMItems->setObjectName("PMItems");
    PMItems->setRoot(prog->store.liveMenu.get());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(4, 4, 4, 4);
    outer->addLayout(body, 1);

    TVItems = new QTreeView(this);
    TVItems->setObjectName("TVItems");
    TVItems->setHeaderHidden(true);
    TVItems->setIndentation(19);
    TVItems->setIconSize(QSize(16, 18));
    TVItems->setUniformRowHeights(true);
    TVItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TVItems->setContextMenuPolicy(Qt::CustomContextMenu);
    treeModel = new ItemTreeModel(prog->store.items, *ILAllPublic, this);
    TVItems->setModel(treeModel);
    connect(TVItems, &QTreeView::expanded, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, true); });
    connect(TVItems, &QTreeView::collapsed, this, [this](const QModelIndex& i) { treeModel->setExpanded(i, false); });
    // A right click in the tree opens the same menu as the tray icon.
    connect(TVItems, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PMItems->popup(TVItems->viewport()->mapToGlobal(p)); });
    body->addWidget(TVItems, 1);

    auto* right = new QVBoxLayout;
    PanelProp = new QFrame(this);
    PanelProp->setObjectName("PanelProp");
    PanelProp->setFixedWidth(175);
    PanelProp->setFrameShape(QFrame::StyledPanel);
    PanelAdmin = new QFrame(this);
    PanelAdmin->setObjectName("PanelAdmin");
    PanelAdmin->setFixedWidth(175);
    PanelAdmin->setFrameShape(QFrame::StyledPanel);
    right->addWidget(PanelProp, 1);
    right->addWidget(PanelAdmin, 1);
    body->addLayout(right);

    StatusBarHelp = new QStatusBar(this);
    StatusBarHelp->setObjectName("StatusBarHelp");
    StatusBarHelp->setSizeGripEnabled(false);
    StatusPanel = new QLabel("Ready", StatusBarHelp);
    StatusPanel->setFixedWidth(345);
    StatusBarHelp->addWidget(StatusPanel);
    outer->addWidget(StatusBarHelp);

    TimerStatusText = new QTimer(this);
    TimerStatusText->setObjectName("TimerStatusText");
    TimerStatusText->setInterval(100);
    connect(TimerStatusText, &QTimer::timeout, this, &TFormItems::TimerStatusTextTimer);
}

TFormItems::~TFormItems() = default;

QString TFormItems::StatusText() const { return StatusPanel->text(); }
void TFormItems::SetStatusText(const QString& text) { StatusPanel->setText(text); }

void TFormItems::ShowStatus(const QString& message) {
    SetStatusText(message);
    TimerStatusText->setInterval(4750);
}

void TFormItems::TimerStatusTextTimer() {
    if (TimerStatusText->interval() == 4750) {
        TimerStatusText->setInterval(100);
        SetStatusText("Ready");
    } else if (StatusText().isEmpty()) {
        SetStatusText("Ready");
    }
}

void TFormItems::StoreLoaded() {
    Program* prog = Program::instance();
    PMItems->setRoot(prog->store.liveMenu.get());
}

void TFormItems::setTreeChangeHandler(bool attached) { changeHandlerAttached_ = attached; }

void TFormItems::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The node at the top of the visible area becomes the selected node.
    const QModelIndex top = TVItems->indexAt(QPoint(1, 1));
    if (top.isValid()) TVItems->setCurrentIndex(top);
}

void TFormItems::closeEvent(QCloseEvent* e) {
    // Hidden, never destroyed.
    e->accept();
    emit hidden();
}

}  // namespace orbel
