#include "core/manager/editing.h"

#include "core/store/node_kinds.h"
#include "core/store/ascii_case.h"
#include "core/links/desktop_entry.h"
#include "core/store/file_kinds.h"
#include "core/store/image_table.h"
#include "core/store/kv_array_string.h"
#include "core/store/program_kind.h"
#include "core/links/shortcut_file.h"
#include "core/system/path_conversions.h"
#include "core/store/store_format.h"

namespace orbel {

namespace mt = manager_texts;

namespace {

EditOutcome Refused(std::string text, bool chord = true) {
    EditOutcome o;
    o.refusal = std::move(text);
    o.chord = chord && !o.refusal.empty();
    return o;
}

EditOutcome Done(TreeNode* node) {
    EditOutcome o;
    o.done = true;
    o.node = node;
    return o;
}

// Attach goes after an existing, user-editable place only.
bool AttachTarget(const TreeNode* selected) { return selected && !IsBuiltInNode(selected); }

// A new item node after another, with its item table entry.
TreeNode* AddItemNode(ItemStore& s, TreeNode* after, const std::string& caption, int image, const std::string& path,
                      bool program, const std::string& params) {
    const int number = AddItemEntry(s, path, program, params);
    return s.items.insertAfter(after, MakeItemNode(caption, image, number));
}

}  // namespace

int AddItemEntry(ItemStore& s, const std::string& path, bool program, const std::string& params) {
    const int number = s.nextItemNumber;
    AppendString(s.table.paths, path);
    if (program) {
        AppendString(s.table.programNumbers, std::to_string(number));
        AppendString(s.table.parameters, params);
    }
    ++s.nextItemNumber;
    return number;
}

int CapturedImage(ItemStore& s, const std::string& path, const IconCapture& captureIcon) {
    if (!captureIcon) return img::NoExtension;
    captureIcon(path);
    ++s.items.capturedIcons;
    return s.counters.lastBreak + s.items.capturedIcons;
}

// ---- text helpers ----------------------------------------------------------

std::string StripExtension(std::string_view text) { return std::string(WithoutExtension(text)); }

std::string DropFirstChar(std::string_view text) { return text.empty() ? std::string() : std::string(text.substr(1)); }

std::optional<std::string> DesktopEntryName(const std::string& path) {
    if (KindOfExtension(SplitPath(path).extension) != ExtensionKind::DesktopEntry) return std::nullopt;
    const std::optional<DesktopEntryTexts> texts = ReadDesktopEntryTexts(path, MessagesLocale());
    if (!texts) return std::nullopt;
    std::string name = TrimName(WithoutLineBreaks(texts->name));
    if (name.empty()) return std::nullopt;
    return name;
}

std::string ProposedCaption(const std::string& path) {
    return DesktopEntryName(path).value_or(StripExtension(SplitPath(path).name));
}

std::string PathRefusal(std::string_view path) {
    switch (FindStoredTextBreak(path)) {
    case StoredTextBreak::FieldSeparator: return mt::PathBar;
    case StoredTextBreak::LineBreak: return mt::PathLineBreak;
    case StoredTextBreak::EndOfFile: return mt::PathEndOfFile;
    case StoredTextBreak::None: break;
    }
    return {};
}

// ---- Attach ----------------------------------------------------------------

EditOutcome AttachSeparator(ItemTree& tree, TreeNode* selected, std::string_view text) {
    if (!AttachTarget(selected)) return Refused({});
    return Done(tree.insertAfter(selected, MakeSeparatorNode(WithoutLineBreaks(text))));
}

EditOutcome AttachFolder(ItemTree& tree, TreeNode* selected, std::string_view name) {
    if (!AttachTarget(selected)) return Refused({});
    const std::string trimmed = TrimName(name);
    std::string refusal = AttachFolderRefusal(selected, trimmed);
    if (!refusal.empty()) return Refused(std::move(refusal));
    return Done(tree.insertAfter(selected, MakeFolderNode(trimmed)));
}

EditOutcome AttachDirectory(ItemStore& s, TreeNode* selected, std::string_view name, const std::string& directory) {
    if (!AttachTarget(selected) || directory.empty()) return Refused({});
    std::string refusal = PathRefusal(directory);
    if (!refusal.empty()) return Refused(std::move(refusal));
    return Done(AddItemNode(s, selected, WithoutLineBreaks(name), img::Gear, directory, false, {}));
}

EditOutcome AttachFile(ItemStore& s, TreeNode* selected, std::string_view name, const std::string& file,
                       const IconCapture& captureIcon) {
    if (!AttachTarget(selected) || file.empty()) return Refused({});
    std::string refusal = PathRefusal(file);
    if (!refusal.empty()) return Refused(std::move(refusal));
    const bool program = IsProgramPath(file);
    const int image = CapturedImage(s, file, captureIcon);
    return Done(AddItemNode(s, selected, WithoutLineBreaks(name), image, file, program, {}));
}

// ---- add modes -------------------------------------------------------------

std::string AddModeState::FileCaption(const std::string& file) {
    return "Item (" + AsciiLowered(DropFirstChar(SplitPath(file).extension)) + ") Text";
}

AddModeView AddModeState::view(std::string_view nameText) const {
    AddModeView v;
    v.mode = mode_;
    v.addEnabled = mode_ == AddMode::File || mode_ == AddMode::Directory;
    v.armed = armed_;
    v.caption = caption_;
    v.nameText = std::string(nameText);
    return v;
}

AddModeView AddModeState::enter(AddMode mode, std::string_view nameBoxText) {
    if (mode == mode_) return view(nameBoxText);
    // Leave the current mode: a file or directory mode keeps its text only
    // while it has something to attach it to.
    std::string& left = texts_[static_cast<int>(mode_)];
    switch (mode_) {
    case AddMode::File: left = file_.empty() ? std::string() : std::string(nameBoxText); break;
    case AddMode::Directory: left = directory_.empty() ? std::string() : std::string(nameBoxText); break;
    default: left = std::string(nameBoxText); break;
    }
    mode_ = mode;
    std::string name = texts_[static_cast<int>(mode)];
    switch (mode) {
    case AddMode::File:
        armed_ = !file_.empty();
        caption_ = armed_ ? FileCaption(file_) : std::string(mt::CaptionPlain);
        if (!armed_) name.clear();
        break;
    case AddMode::Directory:
        armed_ = !directory_.empty();
        caption_ = armed_ ? std::string(mt::CaptionDirectory) : std::string(mt::CaptionPlain);
        if (!armed_) name.clear();
        break;
    case AddMode::Folder:
        armed_ = true;
        caption_ = mt::CaptionFolder;
        break;
    case AddMode::Separator:
        armed_ = true;
        caption_ = mt::CaptionSeparator;
        break;
    }
    return view(name);
}

AddModeView AddModeState::fileChosen(const std::string& file) {
    if (file.empty()) return view({});
    file_ = file;
    armed_ = true;
    caption_ = FileCaption(file);
    return view(ProposedCaption(file));
}

AddModeView AddModeState::directoryChosen(const std::string& directory) {
    if (directory.empty()) return view({});
    directory_ = directory;
    armed_ = true;
    caption_ = mt::CaptionDirectory;
    const std::string last = SplitPath(directory).name;
    return view(last.empty() ? directory : StripExtension(last));
}

EditOutcome AddModeState::attach(ItemStore& s, TreeNode* selected, std::string_view nameBoxText,
                                 const IconCapture& captureIcon, AddModeView* after) {
    EditOutcome o;
    switch (mode_) {
    case AddMode::Separator: o = AttachSeparator(s.items, selected, nameBoxText); break;
    case AddMode::Folder: o = AttachFolder(s.items, selected, nameBoxText); break;
    case AddMode::Directory: o = armed_ ? AttachDirectory(s, selected, nameBoxText, directory_) : Refused({}); break;
    case AddMode::File: o = armed_ ? AttachFile(s, selected, nameBoxText, file_, captureIcon) : Refused({}); break;
    }
    if (!o.done) {
        if (after) *after = view(nameBoxText);
        return o;
    }
    texts_[static_cast<int>(mode_)].clear();
    caption_ = mt::CaptionPlain;
    if (mode_ == AddMode::File) {
        file_.clear();
        armed_ = false;
    } else if (mode_ == AddMode::Directory) {
        directory_.clear();
        armed_ = false;
    }
    if (after) *after = view({});
    return o;
}

// ---- Cut, Copy, Paste, Delete ----------------------------------------------

namespace {

void Unmark(ItemTree& tree, TreeNode* clipboard) {
    if (clipboard && clipboard->cut) {
        clipboard->cut = false;
        tree.changed(clipboard);
    }
}

}  // namespace

bool CutNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected) {
    if (!IsMovableNode(selected)) return false;
    Unmark(tree, clipboard);
    selected->cut = true;
    tree.changed(selected);
    clipboard = selected;
    return true;
}

bool CopyNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected) {
    if (!IsMovableNode(selected) || IsFolderNode(selected)) return false;
    Unmark(tree, clipboard);
    clipboard = selected;
    return true;
}

Placement PasteAllowed(const TreeNode* clipboard, const TreeNode* selected) {
    if (!clipboard || !selected) return {false, {}};
    if (IsBuiltInNode(selected)) return {false, {}};
    return PlacementAllowed(clipboard, selected);
}

EditOutcome PasteNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected) {
    if (!clipboard || !selected) return Refused({});
    if (IsBuiltInNode(selected)) return Refused(mt::PasteOnBuiltIn);
    const Placement p = PasteAllowed(clipboard, selected);
    if (!p.allowed) return Refused(p.refusal);
    if (clipboard->cut) {
        TreeNode* k = clipboard;
        k->cut = false;
        tree.moveAfter(k, selected);
        tree.changed(k);
        clipboard = nullptr;
        return Done(k);
    }
    // A duplicate of a folder would lack its top marker and contents.
    if (!IsMovableNode(clipboard) || IsFolderNode(clipboard)) return Refused({});
    const TreeNode& k = *clipboard;
    auto d = std::make_unique<TreeNode>(k.text, k.imageIndex, k.selectedIndex, -1, k.itemNumber);
    return Done(tree.insertAfter(selected, std::move(d)));
}

EditOutcome DeleteNode(ItemTree& tree, TreeNode*& clipboard, TreeNode* selected) {
    if (!IsMovableNode(selected)) return Refused({});
    if (clipboard && IsWithin(clipboard, selected)) clipboard = nullptr;
    tree.remove(selected);
    EditOutcome o;
    o.done = true;
    return o;
}

// ---- internal drag ---------------------------------------------------------

bool MayStartDrag(const TreeNode* node) { return IsMovableNode(node); }

Placement DragAcceptance(const TreeNode* source, const TreeNode* target) {
    if (!target) return {};
    if (!source || IsBuiltInNode(target)) return {false, {}};
    return PlacementAllowed(source, target);
}

bool ExpandsOnHover(const TreeNode* target, bool accepted) {
    return accepted && IsFolderNode(target) && !IsBuiltInNode(target);
}

EditOutcome DropDraggedNode(ItemTree& tree, TreeNode* source, TreeNode* target) {
    if (!target || !IsMovableNode(source)) return Refused({});
    const Placement p = DragAcceptance(source, target);
    if (!p.allowed) return Refused(p.refusal, false);
    // A non-folder has no subtree, so only a folder could land inside itself,
    // which PlacementAllowed has refused; a drop on itself changes nothing.
    if (source != target) tree.moveAfter(source, target);
    return Done(source);
}

// ---- files dropped from other programs -------------------------------------

ResolvedDrop ResolveDroppedPath(const std::string& fullPath) {
    ResolvedDrop r;
    r.path = fullPath;
    const ExtensionKind kind = KindOfExtension(SplitPath(fullPath).extension);
    if (kind == ExtensionKind::ShellLink) {
        ShellLinkDescription link;
        const int result = ResolveShellLink(fullPath, link);
        if (result == kShellLinkNoFileSystemPath) {
            r.refusal = std::string(ShellLinkErrorText(result)) + ": " + fullPath;
            return r;
        }
        if (result != kShellLinkOk) {
            r.refusal = mt::ShortcutUnreadablePrefix + fullPath;
            return r;
        }
        r.path = PathFromDisplayName(link.target);
        r.params = link.arguments;
    } else if (kind == ExtensionKind::DesktopEntry) {
        const std::optional<DesktopEntryLink> link = ReadDesktopEntryFile(fullPath);
        if (!link) {
            r.refusal = mt::ShortcutUnreadablePrefix + fullPath;
            return r;
        }
        // A program named without its directory is found by the launcher's
        // own start, not by the item's path, and a terminal or the like only
        // the launcher provides: keep the launcher then.
        if (!link->needsLauncher && IsAbsolutePath(link->program)) {
            r.path = link->program;
            r.params = link->arguments;
        }
    }
    if (r.path.empty()) {
        r.refusal = mt::ShortcutUnreadablePrefix + fullPath;
        return r;
    }
    r.refusal = PathRefusal(r.path);
    return r;
}

EditOutcome DropFile(ItemStore& s, TreeNode* target, const std::string& fullPath, const IconCapture& captureIcon) {
    if (!target || IsBuiltInNode(target)) return Refused(mt::DropRefused);
    ResolvedDrop r = ResolveDroppedPath(fullPath);
    if (!r.refusal.empty()) return Refused(std::move(r.refusal));
    const bool program = IsProgramPath(r.path);
    if (program && FindStoredTextBreak(r.params) != StoredTextBreak::None) return Refused(mt::ShortcutParamsBar);
    const PathParts parts = SplitPath(r.path);
    const int image = parts.extension.empty() ? img::NoExtension : CapturedImage(s, r.path, captureIcon);
    // A launcher resolved to its program keeps the launcher's Name.
    const std::string name = WithoutLineBreaks(DesktopEntryName(fullPath).value_or(StripExtension(parts.name)));
    return Done(AddItemNode(s, target, name, image, r.path, program, program ? r.params : std::string()));
}

}  // namespace orbel
