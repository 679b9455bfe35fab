#pragma once
// The item manager's edits of its tree: Attach in the four add modes, Cut,
// Copy, Paste, Delete, the internal drag and files dropped from other
// programs. Pure functions over the store; the dialog shows the outcome
// (status text, chord sound, the node to select) and captures icons through
// the callback it passes. Every edit is one row-level change of the tree.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/manager/tree_rules.h"
#include "core/store/item_tree.h"
#include "core/store/store_loader.h"

namespace orbel {

// What an edit did. On refusal nothing in tree or tables changed.
struct EditOutcome {
    bool done = false;
    TreeNode* node = nullptr;  // the node made or moved (select it); nullptr for Delete
    std::string refusal;       // status text when refused (may be empty: silent no-op)
    bool chord = false;        // play "media\chord.wav" with the refusal
};

// Appends the file's small icon to both image lists and returns its index
// (the dialog passes CaptureFileIcon). The caller of the edit does not count
// it: the edit counts the captured icon itself.
using IconCapture = std::function<int(const std::string& path)>;

// A new item's item table entry: its path, for a program also its program
// number and parameters. Returns the item number it was given.
int AddItemEntry(ItemStore& s, const std::string& path, bool program, const std::string& params);
// Captures the file's icon and counts it; the index follows the loader's
// layout (captured icons sit behind the last break image). Image 6 without
// a capture.
int CapturedImage(ItemStore& s, const std::string& path, const IconCapture& captureIcon);

// ---- text helpers ----------------------------------------------------------

// Text without its last "." and what follows; unchanged without a ".".
std::string StripExtension(std::string_view text);
// Text without its first character ("" stays "").
std::string DropFirstChar(std::string_view text);
// The Name of a desktop entry (a ".desktop" path) in the user's language,
// trimmed; nothing for other files and for entries without a readable Name.
std::optional<std::string> DesktopEntryName(const std::string& path);
// The caption proposed for a file chosen with Add..: DesktopEntryName, else
// the file name without its extension.
std::string ProposedCaption(const std::string& path);
// Why a path cannot be stored (FindStoredTextBreak: "|", CR or LF,
// Ctrl-Z), or "" when it can.
std::string PathRefusal(std::string_view path);

// ---- Attach ----------------------------------------------------------------
// selected is the node the new one goes after; nullptr or a built-in node is
// refused silently (the button is disabled then).

// "---------------" (image 3) for an all-dash text, else "--" + text + "--"
// (image 4). The text is taken as typed, line breaks removed.
EditOutcome AttachSeparator(ItemTree& tree, TreeNode* selected, std::string_view text);
// Trimmed name, AttachFolderRefusal's checks (chord on refusal); the folder
// comes with its top marker.
EditOutcome AttachFolder(ItemTree& tree, TreeNode* selected, std::string_view name);
// A directory item: next item number, path table entry, image 10.
EditOutcome AttachDirectory(ItemStore& s, TreeNode* selected, std::string_view name, const std::string& directory);
// A file item: path table entry; a program (IsProgramPath) also gets a
// program number and empty parameters; the icon is captured and counted
// and the image is lastBreak + the captured-icon count.
EditOutcome AttachFile(ItemStore& s, TreeNode* selected, std::string_view name, const std::string& file,
                       const IconCapture& captureIcon);

// ---- add modes (RBFile, RBFileDirectory, RBSeparator, RBFolder) ------------

enum class AddMode { File = 0, Directory = 1, Separator = 2, Folder = 3 };

// What the add-mode controls show after a step.
struct AddModeView {
    AddMode mode = AddMode::File;
    bool addEnabled = true;  // BitBtnAdd
    bool armed = false;      // the Tag of BitBtnAttach; enable Attach unless the selection is built-in
    std::string caption = manager_texts::CaptionPlain;  // LabelItemText
    std::string nameText;                               // MemoAddName
};

// The add-mode state machine the dialog drives: mode, chosen file and
// directory, the four remembered mode texts and the armed flag. Starts in
// File mode with nothing chosen, disarmed.
class AddModeState {
public:
    AddMode mode() const { return mode_; }
    bool armed() const { return armed_; }
    const std::string& chosenFile() const { return file_; }
    const std::string& chosenDirectory() const { return directory_; }
    const std::string& modeText(AddMode m) const { return texts_[static_cast<int>(m)]; }
    // The controls for the current state with the given name box text.
    AddModeView view(std::string_view nameText) const;

    // RBFolderEnter: entering the current mode changes nothing; another
    // mode first stores the name box text as the left mode's text (file and
    // directory modes only while something is chosen), then offers the
    // entered mode's text.
    AddModeView enter(AddMode mode, std::string_view nameBoxText);

    // Add.. results (OK with a non-empty result): arm, remember, propose the
    // name (ProposedCaption of a file; a directory's last path component
    // without extension, or the whole path for a root) and the caption.
    AddModeView fileChosen(const std::string& file);
    AddModeView directoryChosen(const std::string& directory);

    // BitBtnAttachClick in the current mode. On success: caption "Item Text",
    // name box empty, the mode text emptied; the file and directory modes
    // disarm and forget their choice, folder and separator stay armed. On
    // refusal the state and the name box stay as they were.
    EditOutcome attach(ItemStore& s, TreeNode* selected, std::string_view nameBoxText, const IconCapture& captureIcon,
                       AddModeView* after = nullptr);

    static std::string FileCaption(const std::string& file);  // "Item (" + ext + ") Text"

private:
    AddMode mode_ = AddMode::File;
    bool armed_ = false;
    std::string file_, directory_;
    std::string texts_[4];
    std::string caption_ = manager_texts::CaptionPlain;
};

// ---- Cut, Copy, Paste, Delete ----------------------------------------------
// clipboard is the dialog's clipboard node (nullptr when empty). Each
// function reports the changed nodes to the tree's observer.

// Moves the cut mark to selected (movable nodes only; false otherwise).
bool CutNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected);
// Takes a mark off the old clipboard node; selected becomes the clipboard
// without mark (movable non-folders only; false otherwise).
bool CopyNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected);
// Whether the clipboard may be pasted after selected: PlacementAllowed, and
// never after or inside a built-in node (refused without a status text).
Placement PasteAllowed(const TreeNode* clipboard, const TreeNode* selected);
// A cut clipboard moves (with its subtree) after selected, loses its mark
// and the clipboard empties; otherwise a duplicate without children (same
// text, images, item number) goes after selected and the clipboard stays.
EditOutcome PasteNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected);
// Deletes selected with its subtree; the clipboard empties when it lies
// inside. Item table entries stay until the next reload.
EditOutcome DeleteNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected);

// ---- internal drag ---------------------------------------------------------

// TVItemsMouseDown: whether a press on node may lead to a drag.
bool MayStartDrag(const TreeNode* node);
// TVItemsDragOver acceptance over target (nullptr: accepted, the drop does
// nothing): not a built-in node and PlacementAllowed(source, target).
Placement DragAcceptance(const TreeNode* source, const TreeNode* target);
// Whether hovering target should run the expand timer: an accepted,
// non-built-in folder.
bool ExpandsOnHover(const TreeNode* target, bool accepted);
// TVItemsDragDrop: the source moves, with its subtree, directly after
// target. Refused (nothing moves) for a missing target or a target the drag
// over would not accept. outcome.node is the source.
EditOutcome DropDraggedNode(ItemTree& tree, TreeNode* source, TreeNode* target);

// ---- files dropped from other programs -------------------------------------

// What a dropped path becomes: shortcuts (".lnk"; ".desktop" launchers
// whose program is an absolute path and that need nothing more from the
// desktop's launcher) resolve to their target and arguments; anything else
// stays itself with empty parameters.
struct ResolvedDrop {
    std::string path;
    std::string params;
    std::string refusal;  // non-empty: refuse the file (chord + status)
};
ResolvedDrop ResolveDroppedPath(const std::string& fullPath);

// A file dropped from another program onto target (the node under the drop
// point): a new item directly after target, captioned with the dropped
// file's DesktopEntryName or else the item path's name without extension;
// program number and params when
// IsProgramPath(path); image 6 for a path without extension, else a captured
// icon. Refused with the chord and DropRefused for no target or a built-in
// one, and with the reason for paths that cannot be stored or read.
EditOutcome DropFile(ItemStore& s, TreeNode* target, const std::string& fullPath, const IconCapture& captureIcon);

}  // namespace orbel
