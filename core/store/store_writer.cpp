#include "core/store/store_writer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "core/store/image_table.h"
#include "core/store/program_kind.h"
#include "core/store/shell_paths.h"
#include "core/store/store_files.h"
#include "core/store/store_format.h"

namespace fs = std::filesystem;

namespace orbel {

namespace {

SyncPathFunction gSync = nullptr;

constexpr const char* kLineEnd = "\r\n";
constexpr size_t kMaxNameBytes = 255;

// The node kinds as the writer needs them (the manager's tests, by image).
bool Folder(const TreeNode* n) { return n->imageIndex == img::Folder || n->imageIndex == img::OpenFolder; }
bool BuiltIn(const TreeNode* n) { return n->imageIndex == n->stateIndex; }

// Display texts lose what would end their line or the file early.
std::string LineSafe(const std::string& t) {
    std::string out;
    out.reserve(t.size());
    for (char c : t)
        if (c != '\r' && c != '\n' && c != kEndOfFile) out += c;
    return out;
}

bool Gate(const WriterHooks& h, SaveStep step, const std::string& path) {
    return !h.gate || h.gate(step, path);
}

// Folder names of a level from start on, as their directories are named.
std::vector<std::string> FolderNamesFrom(const TreeNode* n) {
    std::vector<std::string> names;
    for (; n && !BuiltIn(n); n = n->nextSibling())
        if (Folder(n)) names.push_back(LineSafe(n->text));
    return names;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw StoreIoError("Unable to create \"" + path + "\"");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw StoreIoError("Unable to write \"" + path + "\"");
}

void Flush(const WriterHooks& h, const std::string& path) {
    if (!Gate(h, SaveStep::Flush, path)) throw StoreIoError("Unable to flush \"" + path + "\"");
    if (gSync && !gSync(path)) throw StoreIoError("Unable to flush \"" + path + "\"");
}

// Moves a directory; false when the system refuses.
bool Rename(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

bool IsDirectoryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.size() <= kMaxNameBytes &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
           name != kIndexFileName;
}

std::string CheckLevel(const ItemStore& s, const TreeNode* n) {
    std::set<std::string> folders;
    for (; n && !BuiltIn(n); n = n->nextSibling()) {
        if (Folder(n)) {
            const std::string name = LineSafe(n->text);
            if (!IsDirectoryName(name))
                return "The folder \"" + name + "\" can not be stored under that name";
            if (!folders.insert(name).second)
                return "Two folders on one level are named \"" + name + "\"";
            if (n->childCount() > 1) {
                std::string inner = CheckLevel(s, n->child(1));
                if (!inner.empty()) return inner;
            }
        } else if (n->imageIndex != img::PlainSeparator && n->imageIndex != img::TextSeparator &&
                   n->data >= 0) {
            const std::string path = s.table.pathOf(n->data);
            if (path.find_first_of("\r|") != std::string::npos ||
                path.find(kEndOfFile) != std::string::npos)
                return "The path of \"" + LineSafe(n->text) +
                       "\" holds a line break or \"|\" and can not be stored";
            if (IsProgramPath(path)) {
                const std::string params = s.table.GetItemParameters(n->data);
                if (params.find_first_of("\r\n|") != std::string::npos ||
                    params.find(kEndOfFile) != std::string::npos)
                    return "The parameters of \"" + LineSafe(n->text) + "\" can not contain: |";
            }
        }
    }
    return {};
}

}  // namespace

void SetSyncPathFunction(SyncPathFunction sync) { gSync = sync; }
SyncPathFunction GetSyncPathFunction() { return gSync; }

std::string StoredExtension(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = last.rfind('.');
    return dot == std::string::npos ? std::string() : last.substr(dot + 1);
}

std::string IconBitmapName(const std::string& programPath, const std::string& dir,
                           const std::vector<std::string>& reserved) {
    const size_t slash = programPath.rfind('/');
    std::string base = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.erase(dot);
    auto taken = [&](const std::string& name) {
        return std::find(reserved.begin(), reserved.end(), name) != reserved.end() ||
               Exists(JoinPath(dir, name));
    };
    // A program name without extension may leave no room for ".bmp".
    auto fitted = [&](const std::string& suffix) {
        const size_t room = kMaxNameBytes - suffix.size() - 4;
        return (base.size() > room ? base.substr(0, room) : base) + suffix + ".bmp";
    };
    std::string name = fitted("");
    for (unsigned long k = 1; taken(name); ++k) name = fitted(std::to_string(k));
    return name;
}

void WriteStoreEntries(const ItemStore& s, const TreeNode* node, std::string& index,
                       const std::string& dir, const WriterHooks& hooks) {
    // Bitmap names keep clear of the level's folders, which are made later.
    const std::vector<std::string> reserved = FolderNamesFrom(node);
    for (const TreeNode* n = node; n && !BuiltIn(n); n = n->nextSibling()) {
        if (Folder(n)) {
            const std::string name = LineSafe(n->text);
            index += std::string(kTagFolder) + "|" + name + kLineEnd;
            const std::string sub = JoinPath(dir, name);
            std::error_code ec;
            if (!Gate(hooks, SaveStep::CreateDirectory, sub) || !fs::create_directory(sub, ec))
                throw StoreIoError("Unable to create the directory \"" + sub + "\"" +
                                   (ec ? ": " + ec.message() : std::string()));
            if (n->childCount() > 1) SaveStoreLevel(s, n->firstChild(), sub, hooks);
        } else if (n->imageIndex == img::PlainSeparator) {
            index += std::string(kTagPlainSeparator) + "|" + kLineEnd;
        } else if (n->imageIndex == img::TextSeparator) {
            const std::string& t = n->text;
            const std::string caption = t.size() >= 4 ? t.substr(2, t.size() - 4) : std::string();
            index += std::string(kTagTextSeparator) + "|" + LineSafe(caption) + kLineEnd;
        } else if (n->data >= 0) {
            const std::string path = s.table.pathOf(n->data);
            if (IsProgramPath(path)) {
                const std::string icon = IconBitmapName(path, dir, reserved);
                const std::string full = JoinPath(dir, icon);
                if (!hooks.writeBitmap)
                    throw StoreIoError("No icon bitmap writer for \"" + full + "\"");
                if (!Gate(hooks, SaveStep::WriteBitmap, full) || !hooks.writeBitmap(*n, full))
                    throw StoreIoError("Unable to write the icon bitmap \"" + full + "\"");
                index += std::string(kTagExecutable) + "|" + path + "|" +
                         s.table.GetItemParameters(n->data) + "|" + icon + "|" +
                         LineSafe(n->text) + kLineEnd;
            } else {
                index += std::string(kTagFile) + "|" + path + "|" + StoredExtension(path) + "|" +
                         LineSafe(n->text) + kLineEnd;
            }
        }
    }
}

void SaveStoreLevel(const ItemStore& s, const TreeNode* start, const std::string& dir,
                    const WriterHooks& hooks) {
    const std::string file = JoinPath(dir, kIndexFileName);
    try {
        // Created first, like the level's own entry in the directory.
        if (!Gate(hooks, SaveStep::WriteIndex, file))
            throw StoreIoError("Unable to create \"" + file + "\"");
        WriteFile(file, {});
        std::string index;
        const TreeNode* next = start ? start->nextSibling() : nullptr;
        if (next && !BuiltIn(next)) WriteStoreEntries(s, next, index, dir, hooks);
        if (!Gate(hooks, SaveStep::WriteIndex, file))
            throw StoreIoError("Unable to write \"" + file + "\"");
        WriteFile(file, index);
    } catch (...) {
        if (hooks.log)
            hooks.log("Unable to save \"" + file +
                      "\", probably because of a call to \"GetNextSibling\"");
        throw;
    }
}

std::string FindUnstorableNode(const ItemStore& s) {
    const TreeNode* anchor = s.topAnchor ? s.topAnchor : s.items.firstTopLevel();
    return anchor ? CheckLevel(s, anchor->nextSibling()) : std::string();
}

std::string DiscardDir(const ItemStore& s) { return s.programDir + "item_del"; }

SaveResult SaveStore(ItemStore& s, const WriterHooks& hooks) {
    SaveResult r;
    auto fail = [&](SaveOutcome o, std::string reason) {
        r.outcome = o;
        r.reason = std::move(reason);
        r.status = std::string("Save unsuccesful! ") + r.reason;
        return r;
    };
    const std::string store = s.storeDir(), backup = s.backupDir(), discard = DiscardDir(s);
    std::string dirOfProgram = s.programDir;
    if (dirOfProgram.size() > 1 && dirOfProgram.back() == '/') dirOfProgram.pop_back();

    // Nothing on disk is touched for a tree the format cannot hold.
    if (std::string why = FindUnstorableNode(s); !why.empty()) return fail(SaveOutcome::Refused, why);

    try {
        // Leftovers: a backup from an interrupted save or a cancelled start-up
        // question, and a discarded backup whose deletion was cut short.
        if (Exists(discard)) DeleteDirectoryTree(discard);
        if (Exists(backup) && Gate(hooks, SaveStep::RemoveBackup, backup)) {
            if (DirectoryExists(backup)) DeleteDirectoryTree(backup);
            else fs::remove(backup);
        }
        // A store that vanished while running is an empty one: give it back
        // so the rename below has something to keep.
        if (!Exists(store)) {
            std::error_code ec;
            if (Gate(hooks, SaveStep::CreateDirectory, store)) fs::create_directory(store, ec);
        }
    } catch (const std::exception&) {
        // What stays behind makes the rename fail with its own reason below.
    }

    if (!Gate(hooks, SaveStep::RenameStore, store) || !Rename(store, backup)) {
        if (Exists(backup))
            return fail(SaveOutcome::RenameFailed,
                        GetShortPath(s.programDir) + "item_bak/ already exists(!), please restart Orbel");
        return fail(SaveOutcome::RenameFailed,
                    "Possibly \"locked\" files (e.g. a file opened by another program)");
    }

    try {
        Flush(hooks, dirOfProgram);  // the backup exists before the new store does
        std::error_code ec;
        if (!Gate(hooks, SaveStep::CreateDirectory, store) || !fs::create_directory(store, ec))
            throw StoreIoError("Unable to create the directory \"" + store + "\"" +
                               (ec ? ": " + ec.message() : std::string()));
        const TreeNode* anchor = s.topAnchor ? s.topAnchor : s.items.firstTopLevel();
        SaveStoreLevel(s, anchor, store, hooks);
        Flush(hooks, store);
        Flush(hooks, dirOfProgram);
    } catch (const std::exception& e) {
        // Put the previous store back; the tree in memory is untouched, so
        // the user can try again.
        DeleteDirectoryTree(store);
        std::string reason = e.what();
        if (!Exists(store) && Rename(backup, store)) {
            if (gSync) gSync(dirOfProgram);
        } else {
            reason += "; the previous store stays in item_bak";
        }
        return fail(SaveOutcome::WriteFailed, reason);
    }

    // The new store is complete and on disk. The backup is first renamed
    // away in one step, so an interruption of its deletion never leaves a
    // half-deleted backup to be offered for restore.
    if (Rename(backup, discard)) {
        if (gSync) gSync(dirOfProgram);
        DeleteDirectoryTree(discard);
    } else {
        DeleteDirectoryTree(backup);
    }

    r.outcome = SaveOutcome::Saved;
    r.status = "Save succesful!";
    // The undo baseline is now the saved state.
    s.undo.assign(s.items);
    s.undoParameters = s.table.parameters.items();
    return r;
}

}  // namespace orbel
