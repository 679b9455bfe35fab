// The item manager's Add.. and Attach, the four add modes, and the
// clipboard buttons Cut, Copy, Paste and Delete.

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/manager/file_icons.h"
#include "app/manager/form_items.h"
#include "app/manager/item_tree_model.h"
#include "app/services/clock.h"
#include "core/manager/applications.h"
#include "core/manager/editing.h"
#include "core/manager/node_kinds.h"
#include "core/manager/tree_rules.h"
#include "core/program/texts.h"
#include "platform/platform.h"

namespace orbel {

QFileDialog* TFormItems::OpenDialogAdd() {
    if (openDialogAdd_) return openDialogAdd_;
    openDialogAdd_ = new QFileDialog(this);
    openDialogAdd_->setObjectName("OpenDialogAdd");
    // Every file: "*.*" would leave out names without a dot, which most
    // programs have here.
    openDialogAdd_->setNameFilter("All Files (*)");
    openDialogAdd_->setFileMode(QFileDialog::ExistingFile);
    openDialogAdd_->setAcceptMode(QFileDialog::AcceptOpen);
    // A chosen shortcut is the item itself, not what it points at.
    openDialogAdd_->setOption(QFileDialog::DontResolveSymlinks, true);
    openDialogAdd_->setSizeGripEnabled(true);
    openDialogAdd_->setDirectory(QDir::homePath());
    return openDialogAdd_;
}

void TFormItems::setupPickers() {
    runOpenDialogAdd = [this]() -> QString {
        QFileDialog* dialog = OpenDialogAdd();
        if (dialog->exec() != QDialog::Accepted) return {};
        const QStringList files = dialog->selectedFiles();
        return files.isEmpty() ? QString() : files.front();
    };
    runDirectoryPicker = [this]() -> QString {
        return QFileDialog::getExistingDirectory(this, QString::fromUtf8(texts::ProductName), QDir::homePath(),
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    };
}

void TFormItems::setupAddModes() {
    connect(BitBtnAdd, &QPushButton::clicked, this, &TFormItems::BitBtnAddClick);
    connect(BitBtnAttach, &QPushButton::clicked, this, &TFormItems::BitBtnAttachClick);
    connect(BitBtnCut, &QPushButton::clicked, this, &TFormItems::BitBtnCutClick);
    connect(BitBtnCopy, &QPushButton::clicked, this, &TFormItems::BitBtnCopyClick);
    connect(BitBtnPaste, &QPushButton::clicked, this, &TFormItems::BitBtnPasteClick);
    connect(BitBtnDelete, &QPushButton::clicked, this, &TFormItems::BitBtnDeleteClick);
    for (QRadioButton* r : {RBFile, RBFileDirectory, RBSeparator, RBFolder}) {
        // The enter handler runs on focus, before the button is checked (a
        // click focuses on press and checks on release; arrow keys focus,
        // then check). A button checked without the focus is caught here.
        r->installEventFilter(this);
        connect(r, &QRadioButton::toggled, this, [this, r](bool on) {
            if (on && addMode.mode() != modeOf(r)) RBFolderEnter(r);
        });
    }
}

AddMode TFormItems::modeOf(const QRadioButton* button) const {
    if (button == RBFileDirectory) return AddMode::Directory;
    if (button == RBSeparator) return AddMode::Separator;
    if (button == RBFolder) return AddMode::Folder;
    return AddMode::File;
}

IconCapture TFormItems::iconCapture() {
    return [this](const std::string& path) { return CaptureFileIcon(store_, QString::fromStdString(path)); };
}

void TFormItems::report(const std::string& refusal, bool chord) {
    if (refusal.empty()) return;
    if (chord) refuse(QString::fromStdString(refusal));
    else ShowStatus(QString::fromStdString(refusal));
}

void TFormItems::applyAddModeView(const AddModeView& view) {
    BitBtnAdd->setEnabled(view.addEnabled);
    itemTextCaption_ = QString::fromStdString(view.caption);
    showItemTextCaption();
    addNameBox->setText(QString::fromStdString(view.nameText));
    attachArmed_ = view.armed;
    const TreeNode* s = selectedNode();
    BitBtnAttach->setEnabled(view.armed && s && !IsBuiltInNode(s));
}

// ---- Add.. and Attach ------------------------------------------------------

void TFormItems::BitBtnAddClick() {
    ensureContents();
    if (RBFile->isChecked()) {
        const QString file = runOpenDialogAdd ? runOpenDialogAdd() : QString();
        if (!file.isEmpty()) {
            applyAddModeView(addMode.fileChosen(file.toStdString()));
            RefreshButtons();
        }
    } else if (RBFileDirectory->isChecked()) {
        const QString dir = runDirectoryPicker ? runDirectoryPicker() : QString();
        if (!dir.isEmpty()) {
            applyAddModeView(addMode.directoryChosen(QDir::cleanPath(dir).toStdString()));
            RefreshButtons();
        }
    }
    // The picker covered the painted title.
    if (customTitle()) FormPaint();
}

void TFormItems::BitBtnAttachClick() {
    ensureContents();
    TreeNode* s = selectedNode();
    if (!s || IsBuiltInNode(s)) return;
    AddModeView after;
    const EditOutcome r = addMode.attach(store_, s, addNameBox->text().toStdString(), iconCapture(), &after);
    if (!r.done) {
        report(r);
        return;
    }
    applyAddModeView(after);
    if (r.node) selectNode(r.node);
    RefreshButtons();
}

void TFormItems::BitBtnAddAppsClick() {
    ensureContents();
    TreeNode* s = selectedNode();
    if (!s || IsBuiltInNode(s)) return;
    const EditOutcome r = AttachApplications(store_, s, services_.platform.InstalledApplications(), iconCapture());
    if (!r.done) {
        report(r);
        return;
    }
    selectNode(r.node);
    // Its category folders show at once.
    TVItems->expand(treeModel->indexOf(r.node));
    RefreshButtons();
}

void TFormItems::RBFolderEnter(QRadioButton* entered) {
    ensureContents();
    if (!entered) return;
    const AddMode m = modeOf(entered);
    if (m == addMode.mode()) return;
    applyAddModeView(addMode.enter(m, addNameBox->text().toStdString()));
    // The entered mode is the checked one, as the old one was unchecked.
    if (!entered->isChecked()) entered->setChecked(true);
}

// ---- Cut, Copy, Paste, Delete ----------------------------------------------

void TFormItems::BitBtnCutClick() {
    ensureContents();
    CutNode(store_.items, clipboardNode, selectedNode());
    RefreshButtons();
}

void TFormItems::BitBtnCopyClick() {
    ensureContents();
    CopyNode(store_.items, clipboardNode, selectedNode());
    RefreshButtons();
}

void TFormItems::BitBtnPasteClick() {
    ensureContents();
    TreeNode* s = selectedNode();
    const EditOutcome r = PasteNode(store_.items, clipboardNode, s);
    if (r.done && r.node) selectNode(r.node);
    else report(r);
    RefreshButtons();
}

void TFormItems::BitBtnDeleteClick() {
    ensureContents();
    TreeNode* s = selectedNode();
    if (!s) return;
    // Nodes that go with the subtree must not be remembered.
    if (dragSource && IsWithin(dragSource, s)) dragSource = nullptr;
    if (expandTarget && IsWithin(expandTarget, s)) {
        expandTarget = nullptr;
        TimerExpand->stop();
    }
    // The view picks a neighbour as the new selection while the rows go.
    const EditOutcome r = DeleteNode(store_.items, clipboardNode, s);
    report(r);
    RefreshButtons();
}

}  // namespace orbel
