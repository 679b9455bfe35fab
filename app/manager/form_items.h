#pragma once
// The item manager dialog. It shows the program's live tray menu on a right
// click in its tree, and hooks that menu to the store after each load.

#include "app/dialogs/hand_layout.h"
#include "app/dialogs/orbel_dialog.h"
#include "app/services/services.h"
#include "app/widgets/kv_win_tree_view.h"
#include "core/manager/applications.h"
#include "core/manager/editing.h"
#include "core/store/store_writer.h"
#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QFrame;
class QDrag;
class QFileDialog;

namespace orbel {

class Clock;
class ImageLists;
struct ItemStore;
class Timer;
class ItemTreeModel;
class LiveMenu;
class MenuEntry;
class TreeNode;

// What the item manager asks of the program beyond the parts it is handed.
class ManagerHost {
public:
    virtual ~ManagerHost() = default;
    // One of the program's sounds ("media/chord.wav").
    virtual void playSound(const QString& name) = 0;
    virtual void writeErrorLog(const QString& line) = 0;
    // The store loaded again after a save; false when the program ends instead.
    virtual bool reloadAfterSave() = 0;
    virtual QString helpPage() const = 0;
};

// The program's parts the item manager works on, all owned by the program.
struct ManagerParts {
    QString title;
    ItemStore& store;
    ImageLists& images;
    LiveMenu& menu;
    Clock& clock;
    const QColor& systemColour;
    ManagerHost& host;
    const Services& services;
};

class TFormItems : public OrbelDialog {
    Q_OBJECT
public:
    explicit TFormItems(const ManagerParts& parts);
    ~TFormItems() override;

    // The file picker of Add.., made when Add.. first needs it: building it
    // reads the file system and the icon theme.
    QFileDialog* OpenDialogAdd();

    // The live tray menu, which the tree's context menu shows too.
    LiveMenu* liveMenu() const { return PMItems; }

    // What tests cannot drive themselves, replaceable: the pickers of Add..
    // (they return the chosen path, empty on Cancel), the nested drag loop,
    // and one step of a save made to fail (empty in the program).
    void setFilePicker(std::function<QString()> pick) { runOpenDialogAdd = std::move(pick); }
    void setDirectoryPicker(std::function<QString()> pick) { runDirectoryPicker = std::move(pick); }
    void setDragLoop(std::function<void(QDrag*)> run) { runDrag = std::move(run); }
    void setSaveStepGate(SaveStepGate gate) { saveStepGate = std::move(gate); }
    // Where Add Applications.. finds the installed applications (the
    // platform's list in the program).

    // Whether the current add mode has something to attach (Attach armed).
    bool attachArmed() const { return attachArmed_; }
    // The node chosen by Cut or Copy; nullptr when the clipboard is empty.
    const TreeNode* clipboard() const { return clipboardNode; }
    // A Save succeeded since the dialog was last closed.
    bool saved() const { return savedFlag; }
    // The node under the last button press in the tree, and the repaint
    // passes made during this drag.
    const TreeNode* pressedNode() const { return dragSource; }
    int repaintPasses() const { return repaintCount; }

    QString StatusText() const;
    void SetStatusText(const QString& text);
    // A message that stays 4.75 seconds before "Ready" comes back.
    void ShowStatus(const QString& message);
    // A hint of the control under the pointer, for a moment.
    void ShowHint(const QString& hint);
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

    // Adding and attaching.
    void BitBtnAddClick();
    void BitBtnAttachClick();
    // Add Applications..: the installed applications as a new folder after
    // the selection.
    void BitBtnAddAppsClick();
    // Runs when one of the four mode buttons takes the focus, before it is checked.
    void RBFolderEnter(QRadioButton* entered);

    // The clipboard buttons.
    void BitBtnCutClick();
    void BitBtnCopyClick();
    void BitBtnPasteClick();
    void BitBtnDeleteClick();

    // Dragging inside the tree; points are in the viewport's coordinates.
    void TVItemsMouseDown(QPoint at);
    void TVItemsMouseUp();
    void TimerDragTimer();
    // Whether a node dragged to this point may be dropped there.
    bool TVItemsDragOver(QPoint at);
    void TVItemsDragDrop(QPoint at);
    void TimerExpandTimer();
    // One file dropped from another program.
    void TVItemsDropFiles(TkvWinTreeView* sender, const QString& fullPath, QPoint mouseXY);

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

    // Takes the live menu and the pictures off the store before a load, and
    // hooks the live menu and tree to the loaded store after each load.
    void StoreUnloading();
    void StoreLoaded();

    // While it lives, the whole tree may be rebuilt: the change handler is
    // detached and the view has let go of the nodes. When it goes, also
    // when the rebuild throws, the view takes the tree again in one reset
    // and the change handler is as it was before.
    class TreeRebuild {
    public:
        explicit TreeRebuild(TFormItems& form);
        ~TreeRebuild();
        TreeRebuild(const TreeRebuild&) = delete;
        TreeRebuild& operator=(const TreeRebuild&) = delete;

    private:
        TFormItems& form_;
        bool handlerWasAttached_;
    };
    // Detached while the store is rebuilt.
    void setTreeChangeHandler(bool attached);
    bool treeChangeHandlerAttached() const { return changeHandlerAttached_; }

    void fitTexts() override;

signals:
    void hidden();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls carry their object names; the boxes whose names speak of
    // rich edits and memos are plain line and text boxes.
    TkvWinTreeView* TVItems = nullptr;
    QFrame* PanelProp;
    QFrame* PanelAdmin;
    QStatusBar* StatusBarHelp;
    QLabel* StatusPanel = nullptr;  // the status bar's one panel
    Timer* TimerStatusText;
    LiveMenu* PMItems;        // the program's
    ImageLists* ILAllPublic;  // both image lists, the program's
    ItemTreeModel* treeModel;

    // Properties panel.
    QLabel* PanelHeadProp;
    QLabel* ImageDesProp;
    QLabel* ImgFType;
    QLineEdit* EditSName;
    QLabel* LblFType;
    QPlainTextEdit* filePathBox;  // RichEditFPath
    QLineEdit* fileNameBox;       // RichEditFName
    QLineEdit* fileParamsBox;     // RichEditFParams
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
    QLineEdit* addNameBox;  // MemoAddName
    QPushButton* BitBtnAdd;
    QPushButton* BitBtnAttach;
    QPushButton* BitBtnAddApps;  // under the tree
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
    Timer* TimerDrag;    // 150 ms from a button press to arming the drag
    Timer* TimerExpand;  // 400 ms of hovering before a folder opens

    bool attachArmed_ = false;
    TreeNode* clipboardNode = nullptr;
    bool savedFlag = false;
    SaveStepGate saveStepGate;

    std::function<QString()> runOpenDialogAdd;
    std::function<QString()> runDirectoryPicker;
    std::function<void(QDrag*)> runDrag;

    // The add mode, the chosen file and directory and the remembered texts.
    AddModeState addMode;

    // Drag state: the node under the last button press, the folder being
    // hovered, and the repaint passes made during this drag.
    TreeNode* dragSource = nullptr;
    TreeNode* expandTarget = nullptr;
    int repaintCount = 0;
    // The item the last file of the drop in progress became.
    TreeNode* dropFollows = nullptr;

    void buildContents() override;
    // The controls, the status bar and the tab order, each control at its
    // designed place (form_items_layout.cpp).
    void makeControls();
    void drawTypeImage(int imageIndex, int itemNumber);
    // The tree's hint on how to start, shown while the user's part is empty.
    void showEmptyHint();
    void refuse(const QString& message);
    // Puts a corrected text into a box without moving the caret more than
    // the removed characters require.
    static void correctBox(QLineEdit* box, const QString& text);

    void setupTimers();
    void setupEditing();
    void setupPickers();
    void setupAddModes();
    // Shows an add-mode step in the controls and arms or disarms Attach.
    void applyAddModeView(const AddModeView& view);
    // The caption above the name box, shortened only when a chosen file's
    // extension makes it wider than the panel.
    void showItemTextCaption();
    // The panels' controls for the font they have; return the panel's height.
    int fitPropertiesPanel(int width);
    int fitAdminPanel(int width, int buttonWidth, int groupWidth);
    AddMode modeOf(const QRadioButton* button) const;
    IconCapture iconCapture();
    // A refused edit: the chord and the text, or the text only; nothing
    // when there is no refusal.
    void report(const std::string& refusal, bool chord);
    void report(const EditOutcome& outcome) { report(outcome.refusal, outcome.chord); }
    // Mouse and drag events of the tree's viewport; true when handled here.
    bool viewportEvent(QEvent* event);
    void startNodeDrag();
    void repaintPass();
    void autoScrollFor(QPoint at);
    // Node pointers that a rebuild or a delete may leave dangling.
    void forgetNodes();

    ItemStore& store_;
    Clock& clock_;
    const QColor& systemColour_;
    ManagerHost& host_;
    const Services& services_;
    bool changeHandlerAttached_ = false;
    QFileDialog* openDialogAdd_ = nullptr;
    HandLayout design_;
    QString itemTextCaption_;
    QString statusText_ = QStringLiteral("Ready");
    QWidget* body_ = nullptr;
    // Drag arming: the last pointer position with a button held, where it
    // stood when the 150 ms had passed, whether the drag is armed, and the
    // token that tells our own drag from a foreign one.
    QPoint lastPoint_;
    QPoint armPoint_;
    bool dragArmed_ = false;
    QByteArray dragToken_;
};

}  // namespace orbel
