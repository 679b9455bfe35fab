#pragma once
// The item manager dialog. It also owns the live tray menu and the image
// lists, which the loader fills.

#include "app/dialogs/orbel_dialog.h"
#include "app/widgets/kv_win_tree_view.h"
#include "core/store/store_writer.h"
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class QFrame;

namespace orbel {

class ImageLists;
class ItemTreeModel;
class LiveMenu;
class MenuEntry;
class TreeNode;

class TFormItems : public OrbelDialog {
    Q_OBJECT
public:
    TFormItems();
    ~TFormItems() override;

    TkvWinTreeView* TVItems;
    QFrame* PanelProp;
    QFrame* PanelAdmin;
    QStatusBar* StatusBarHelp;
    QLabel* StatusPanel;  // the status bar's one panel
    QTimer* TimerStatusText;
    LiveMenu* PMItems;
    std::unique_ptr<ImageLists> ILAllPublic;  // both image lists
    ItemTreeModel* treeModel;

    // Properties panel.
    QLabel* PanelHeadProp;
    QLabel* ImageDesProp;
    QLabel* ImgFType;
    QLineEdit* EditSName;
    QLabel* LblFType;
    QPlainTextEdit* RichEditFPath;
    QLineEdit* RichEditFName;
    QLineEdit* RichEditFParams;
    QLineEdit* EditSParams;

    // Administration panel.
    QLabel* PanelHeadAdmin;
    QLabel* ImageDesAdmin;
    QGroupBox* RGSelectType;
    QRadioButton* RBFile;
    QRadioButton* RBFileDirectory;
    QRadioButton* RBSeparator;
    QRadioButton* RBFolder;
    QLabel* LabelItemText;
    QLineEdit* MemoAddName;
    QPushButton* BitBtnAdd;
    QPushButton* BitBtnAttach;
    QPushButton* BitBtnCut;
    QPushButton* BitBtnCopy;
    QPushButton* BitBtnPaste;
    QPushButton* BitBtnDelete;
    QPushButton* BitBtnUndo;
    QPushButton* BitBtnSweep;
    QPushButton* BitBtnSave;
    QPushButton* BitBtnLaunch;
    QPushButton* BitBtnHelp;
    QPushButton* BitBtnClose;

    // 1 while the current add mode has something to attach (Attach armed).
    int BitBtnAttachTag = 0;
    // The node chosen by Cut or Copy; nullptr when the clipboard is empty.
    TreeNode* clipboardNode = nullptr;
    // A Save succeeded since the dialog was last closed.
    bool savedFlag = false;
    // Lets a test make one step of a save fail; empty in the program.
    SaveStepGate saveStepGate;

    QString StatusText() const;
    void SetStatusText(const QString& text);
    // A message that stays 4.75 seconds before "Ready" comes back.
    void ShowStatus(const QString& message);
    void TimerStatusTextTimer();

    TreeNode* selectedNode() const;
    void selectNode(TreeNode* node);

    // The tree's selection-change handler (only while attached).
    void TVItemsChange();
    void ShowProperties(const TreeNode* node);
    void RefreshButtons();
    void ResetSelection();
    void EditSNameKeyDown();
    void EditSParamsKeyDown();

    void BitBtnSaveClick();
    void BitBtnUndoClick();
    void BitBtnSweepClick();
    void BitBtnLaunchClick();
    void BitBtnHelpClick();
    void BitBtnCloseClick();
    // Runs for the Close button, Escape and the title bar's close box.
    void FormClose();

    // Undo's rebuild of the tree from the snapshot, one view reset.
    void RestoreSnapshot();

    // Hooks the live menu and tree to the loaded store (after each load).
    void StoreLoaded();
    // Detached while the store is rebuilt.
    void setTreeChangeHandler(bool attached);
    bool treeChangeHandlerAttached() const { return changeHandlerAttached_; }

signals:
    void hidden();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPropertiesPanel(QWidget* body);
    void buildAdminPanel(QWidget* body);
    void drawTypeImage(int imageIndex);
    void refuse(const QString& message);
    // Puts a corrected text into a box without moving the caret more than
    // the removed characters require.
    static void correctBox(QLineEdit* box, const QString& text);

    bool changeHandlerAttached_ = false;
};

}  // namespace orbel
