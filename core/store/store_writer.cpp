#include "core/store/store_writer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "core/store/file_names.h"
#include "core/store/folder_names.h"
#include "core/store/item_kinds.h"
#include "core/store/node_kinds.h"
#include "core/store/program_kind.h"
#include "core/system/path_conversions.h"
#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "core/system/system_calls.h"

namespace fs = std::filesystem;

namespace orbel {

namespace {

constexpr const char* kLineEnd = "\r\n";

// Whether the step may run; a refusal's reason, if the gate gives one, in why.
bool Gate(const WriterHooks& h, SaveStep step, const std::string& path, std::error_code* why = nullptr) {
    if (!h.gate) return true;
    const StepAnswer a = h.gate(step, path);
    if (why) *why = a.why;
    return a.go;
}

// Folder names of a level from start on, as their directories are named.
std::vector<std::string> FolderNamesFrom(const TreeNode* n) {
    std::vector<std::string> names;
    for (; n && !IsBuiltInNode(n); n = n->nextSibling())
        if (IsFolderNode(n)) names.push_back(WithoutLineBreaks(n->text));
    return names;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::symlink_status(FsPath(path), ec).type() != fs::file_type::not_found && !ec;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    if (!out) throw StoreIoError("Unable to create \"" + path + "\"");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw StoreIoError("Unable to write \"" + path + "\"");
}

bool Flushed(const WriterHooks& h, const std::string& path) {
    return Gate(h, SaveStep::Flush, path) && System().SyncPath(path);
}

void Flush(const WriterHooks& h, const std::string& path) {
    if (!Flushed(h, path)) throw StoreIoError("Unable to flush \"" + path + "\"");
}

// Moves a directory; false when the system refuses, with its reason in why.
bool Rename(const std::string& from, const std::string& to, std::error_code* why = nullptr) {
    std::error_code ec;
    fs::rename(FsPath(from), FsPath(to), ec);
    if (why) *why = ec;
    return !ec;
}

// The system refused for want of rights, not because something was in use.
bool PermissionRefused(const std::error_code& ec) {
    return ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
           ec == std::errc::read_only_file_system;
}

// Removes whatever has that name: a directory with everything below it,
// a file or a link.
void RemoveAny(const std::string& path) {
    DeleteDirectoryTree(path);
    std::error_code ec;
    if (Exists(path) && !fs::is_directory(fs::symlink_status(FsPath(path), ec))) fs::remove(FsPath(path), ec);
}

// The directory that holds the store, where its renames are flushed.
std::string ParentOf(const ItemStore& s) {
    std::string dir = s.dataDir;
    if (dir.size() > 1 && IsPathSeparator(dir.back())) dir.pop_back();
    return dir;
}

bool SyncDir(const std::string& dir) { return System().SyncPath(dir); }

// Deletes dir after renaming it to "item_del" in one step: an interruption
// leaves a half-deleted "item_del", never a half-deleted dir. False, with
// dir untouched, when the rename is refused.
bool MoveAsideAndDelete(const ItemStore& s, const std::string& dir) {
    const std::string discard = s.discardDir();
    RemoveAny(discard);  // an earlier deletion cut short: nothing in it is kept
    if (!Rename(dir, discard)) return false;
    // The rename reaches the disk before anything below it goes.
    if (SyncDir(ParentOf(s))) RemoveAny(discard);
    return true;
}

std::string CheckLevel(const ItemStore& s, const TreeNode* n) {
    std::set<std::string> folders;
    for (; n && !IsBuiltInNode(n); n = n->nextSibling()) {
        if (IsFolderNode(n)) {
            const std::string name = WithoutLineBreaks(n->text);
            if (FindFolderNameFault(name) != FolderNameFault::None)
                return "The folder \"" + name + "\" can not be stored under that name";
            if (!folders.insert(FolderNameKey(name, LetterCase::Kept)).second)
                return "Two folders on one level are named \"" + name + "\"";
            if (n->childCount() > 1) {
                std::string inner = CheckLevel(s, n->child(1));
                if (!inner.empty()) return inner;
            }
        } else if (!IsSeparatorNode(n) && HasItemEntry(n)) {
            const std::string path = s.table.pathOf(n->itemNumber);
            // A path loaded with a lone LF is kept: it reads back unchanged.
            if (FindStoredTextBreak(path, false) != StoredTextBreak::None)
                return "The path of \"" + WithoutLineBreaks(n->text) +
                       "\" holds a line break or \"|\" and can not be stored";
            if (IsProgramPath(path) &&
                FindStoredTextBreak(s.table.GetItemParameters(n->itemNumber)) != StoredTextBreak::None)
                return "The parameters of \"" + WithoutLineBreaks(n->text) + "\" can not contain: |";
        }
    }
    return {};
}

}  // namespace

std::string StoredExtension(const std::string& path) {
    const std::string extension = SplitPath(path).extension;
    return extension.empty() ? extension : extension.substr(1);
}

std::string IconBitmapName(const std::string& programPath, const std::string& dir,
                           const std::vector<std::string>& reserved) {
    const PathParts parts = SplitPath(programPath);
    const std::string base = parts.name.substr(0, parts.name.size() - parts.extension.size());
    auto taken = [&](const std::string& name) {
        return std::find(reserved.begin(), reserved.end(), name) != reserved.end() || Exists(JoinPath(dir, name));
    };
    // A program name without extension may leave no room for ".bmp".
    auto fitted = [&](const std::string& suffix) {
        const size_t room = kMaxFileNameBytes - suffix.size() - 4;
        return (base.size() > room ? base.substr(0, room) : base) + suffix + ".bmp";
    };
    std::string name = fitted("");
    for (unsigned long k = 1; taken(name); ++k) name = fitted(std::to_string(k));
    return name;
}

void WriteStoreEntries(const ItemStore& s, const TreeNode* node, std::string& index, const std::string& dir,
                       const WriterHooks& hooks) {
    // Bitmap names keep clear of the level's folders, which are made later.
    const std::vector<std::string> reserved = FolderNamesFrom(node);
    for (const TreeNode* n = node; n && !IsBuiltInNode(n); n = n->nextSibling()) {
        const ItemKind* kind = ItemKindOfNode(n, s.table);
        if (!kind) continue;
        IndexEntry e;
        e.kind = kind->kind;
        switch (kind->kind) {
        case IndexEntryKind::Folder: e.text = WithoutLineBreaks(n->text); break;
        case IndexEntryKind::PlainSeparator: break;
        case IndexEntryKind::TextSeparator: e.text = WithoutLineBreaks(SeparatorCaption(*n)); break;
        case IndexEntryKind::ExecutableItem: {
            e.path = s.table.pathOf(n->itemNumber);
            e.parameters = s.table.GetItemParameters(n->itemNumber);
            e.iconFile = IconBitmapName(e.path, dir, reserved);
            e.text = WithoutLineBreaks(n->text);
            const std::string full = JoinPath(dir, e.iconFile);
            if (!hooks.writeBitmap) throw StoreIoError("No icon bitmap writer for \"" + full + "\"");
            if (!Gate(hooks, SaveStep::WriteBitmap, full) || !hooks.writeBitmap(*n, full))
                throw StoreIoError("Unable to write the icon bitmap \"" + full + "\"");
            break;
        }
        case IndexEntryKind::FileItem:
            e.path = s.table.pathOf(n->itemNumber);
            e.extension = StoredExtension(e.path);
            e.text = WithoutLineBreaks(n->text);
            break;
        }
        index += FormatIndexLine(e) + kLineEnd;
        if (kind->kind != IndexEntryKind::Folder) continue;
        // The folder's directory, and its contents in there.
        const std::string sub = JoinPath(dir, e.text);
        std::error_code ec;
        if (!Gate(hooks, SaveStep::CreateDirectory, sub) || !fs::create_directory(FsPath(sub), ec))
            throw StoreIoError("Unable to create the directory \"" + sub + "\"" +
                               (ec ? ": " + ec.message() : std::string()));
        if (n->childCount() > 1) SaveStoreLevel(s, n->firstChild(), sub, hooks);
    }
}

void SaveStoreLevel(const ItemStore& s, const TreeNode* start, const std::string& dir, const WriterHooks& hooks) {
    const std::string file = JoinPath(dir, kIndexFileName);
    try {
        // Created first, like the level's own entry in the directory.
        if (!Gate(hooks, SaveStep::WriteIndex, file)) throw StoreIoError("Unable to create \"" + file + "\"");
        WriteFile(file, {});
        std::string index;
        const TreeNode* next = start ? start->nextSibling() : nullptr;
        if (next && !IsBuiltInNode(next)) WriteStoreEntries(s, next, index, dir, hooks);
        if (!Gate(hooks, SaveStep::WriteIndex, file)) throw StoreIoError("Unable to write \"" + file + "\"");
        WriteFile(file, index);
    } catch (...) {
        if (hooks.log) hooks.log("Unable to save \"" + file + "\", probably because of a call to \"GetNextSibling\"");
        throw;
    }
}

std::string FindUnstorableNode(const ItemStore& s) {
    const TreeNode* anchor = s.topAnchor ? s.topAnchor : s.items.firstTopLevel();
    return anchor ? CheckLevel(s, anchor->nextSibling()) : std::string();
}

SaveResult SaveStore(ItemStore& s, const WriterHooks& hooks) {
    SaveResult r;
    auto fail = [&](SaveOutcome o, std::string reason) {
        r.outcome = o;
        r.reason = std::move(reason);
        r.status = std::string(kSaveFailedPrefix) + r.reason;
        return r;
    };
    const std::string store = s.storeDir(), backup = s.backupDir(), fresh = s.newStoreDir();
    const std::string parent = ParentOf(s);
    auto renameFailed = [&](const std::error_code& why = {}) {
        if (Exists(backup))
            return fail(SaveOutcome::RenameFailed, GetShortPath(s.dataDir) + std::string(kBackupDirName) +
                                                       kPathSeparator + " already exists(!), please restart Orbel");
        if (PermissionRefused(why))
            return fail(SaveOutcome::RenameFailed, "Unable to write to \"" + s.dataDir + "\": " + why.message());
        return fail(SaveOutcome::RenameFailed, "Possibly \"locked\" files (e.g. a file opened by another program)");
    };

    // Nothing on disk is touched for a tree the format cannot hold.
    if (std::string why = FindUnstorableNode(s); !why.empty()) return fail(SaveOutcome::Refused, why);

    // Leftovers: a deletion and a new store cut short (both worthless while
    // the store is there), and a backup from an interrupted save or a
    // cancelled start-up question, which goes aside before it is deleted.
    RemoveAny(s.discardDir());
    RemoveAny(fresh);
    if (Exists(backup) && Gate(hooks, SaveStep::RemoveBackup, backup)) MoveAsideAndDelete(s, backup);
    // A store that vanished while running is an empty one. The new store is
    // never written without a store beside it: recovery takes an "item_new"
    // without a store for a complete one.
    if (!Exists(store) && Gate(hooks, SaveStep::CreateDirectory, store)) {
        std::error_code ec;
        fs::create_directory(FsPath(store), ec);
    }
    if (Exists(backup) || !Exists(store)) return renameFailed();

    // The new store, complete and on the disk before it replaces anything.
    try {
        std::error_code ec;
        const bool created = Gate(hooks, SaveStep::CreateDirectory, fresh, &ec) &&
                             fs::create_directory(FsPath(fresh), ec);
        // A directory the user may not write: nothing was touched yet.
        if (!created && PermissionRefused(ec)) return renameFailed(ec);
        if (!created)
            throw StoreIoError("Unable to create the directory \"" + fresh + "\"" +
                               (ec ? ": " + ec.message() : std::string()));
        const TreeNode* anchor = s.topAnchor ? s.topAnchor : s.items.firstTopLevel();
        SaveStoreLevel(s, anchor, fresh, hooks);
        Flush(hooks, fresh);
    } catch (const std::exception& e) {
        RemoveAny(fresh);  // the store beside it was never touched
        return fail(SaveOutcome::WriteFailed, e.what());
    }

    if (std::error_code why; !Gate(hooks, SaveStep::RenameStore, store, &why) || !Rename(store, backup, &why)) {
        RemoveAny(fresh);
        return renameFailed(why);
    }
    std::string trouble;
    if (!Gate(hooks, SaveStep::RenameStore, fresh) || !Rename(fresh, store))
        trouble = "Unable to rename \"" + fresh + "\" to \"" + store + "\"";
    else if (!Flushed(hooks, parent)) trouble = "Unable to flush \"" + parent + "\"";
    if (!trouble.empty()) {
        // Put the previous store back; the tree in memory is untouched, so
        // the user can try again.
        if ((!Exists(store) || Rename(store, fresh)) && Rename(backup, store)) {
            SyncDir(parent);
            RemoveAny(fresh);
        } else {
            trouble += "; the previous store stays in " + std::string(kBackupDirName);
        }
        return fail(SaveOutcome::WriteFailed, trouble);
    }

    // The new store is in place and on the disk; a backup that cannot go
    // aside stays whole for the next start to ask about.
    if (Gate(hooks, SaveStep::RemoveBackup, backup)) MoveAsideAndDelete(s, backup);

    r.outcome = SaveOutcome::Saved;
    r.status = std::string(kSaveSucceededText);
    // The undo baseline is now the saved state.
    s.undo.assign(s.items);
    s.undoParameters = s.table.parameters.items();
    return r;
}

bool RecoverStore(ItemStore& s, const std::function<BackupAnswer()>& ask) {
    const std::string store = s.storeDir(), backup = s.backupDir(), fresh = s.newStoreDir();
    const std::string discard = s.discardDir(), parent = ParentOf(s);

    RemoveAny(discard);
    if (Exists(fresh)) {
        // Save renames "item_new" only once it is complete and flushed, and
        // only right after the store went to "item_bak": without a store it
        // is the saved store. Beside the store it was cut short.
        if (Exists(store)) RemoveAny(fresh);
        else if (Rename(fresh, store)) SyncDir(parent);
    }

    if (!DirectoryExists(backup)) return true;
    // Without anyone to ask, nothing on disk may change.
    switch (ask ? ask() : BackupAnswer::Cancel) {
    case BackupAnswer::Yes:
        // The store goes aside in one step: a kill before the backup takes
        // its place leaves the backup, to be asked about again.
        RemoveAny(discard);
        if (!Exists(store) || Rename(store, discard)) {
            Rename(backup, store);  // a failed rename is not reported
            if (SyncDir(parent)) RemoveAny(discard);
        }
        break;
    case BackupAnswer::No: MoveAsideAndDelete(s, backup); break;
    case BackupAnswer::Cancel: return false;
    }
    return true;
}

}  // namespace orbel
