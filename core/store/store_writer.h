#pragma once
// Writing the item store from the item manager's tree; Save, and the
// recovery at start-up from a save or restore that was cut short.
//
// Save writes and flushes the new store in "item_new" beside the current
// one, renames the store to "item_bak" and "item_new" to the store, and
// only then removes the backup. A directory is deleted only after it was
// renamed to "item_del", which nothing ever restores. Killed at any
// instant, a save leaves a state from which RecoverStore gives the old
// store or the complete new one, whatever the backup question answers.

#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/store/item_store.h"

namespace orbel {

// Renders the icon bitmap of an executable item (16 x 16 BMP from rows 1 to
// 16 of its tree image) into fullPath. Returns false or throws on failure.
using WriteBitmapFunction = std::function<bool(const TreeNode& node, const std::string& fullPath)>;
// Receives the lines for the error log.
using LogFunction = std::function<void(const std::string& line)>;

// One file-system step of a save, for failure injection in tests: answer
// false to make that step fail as if the system had refused it, or the
// system's reason (std::errc::permission_denied) where the save tells
// reasons apart.
// RemoveBackup moves "item_bak" aside to delete it: a leftover before the
// save is written, the previous store once the new one is in place.
// RenameStore renames the store to "item_bak", then "item_new" to the store.
enum class SaveStep { RemoveBackup, RenameStore, CreateDirectory, WriteIndex, WriteBitmap, Flush };
struct StepAnswer {
    StepAnswer(bool proceed) : go(proceed) {}
    StepAnswer(std::errc reason) : go(false), why(std::make_error_code(reason)) {}
    bool go;
    std::error_code why;
};
using SaveStepGate = std::function<StepAnswer(SaveStep step, const std::string& path)>;

struct WriterHooks {
    WriteBitmapFunction writeBitmap;  // required for stores with programs
    LogFunction log;                  // optional
    SaveStepGate gate;                // optional, tests only
};

// The icon bitmap name for a program path in directory dir (with or without
// trailing "/"): B = file name without its last extension; B.bmp, else B1.bmp,
// B2.bmp, ... A name is taken when anything of that name exists in dir
// (file, directory, link) or is in reserved (the folder names of the level,
// which are made later).
std::string IconBitmapName(const std::string& programPath, const std::string& dir,
                           const std::vector<std::string>& reserved = {});

// The extension field of a file item: the path's extension without its dot,
// letter case kept; empty when the last path component has no ".".
std::string StoredExtension(const std::string& path);

// Writes dir/shortcuts.txt with the entries following start among its
// siblings, up to the first built-in node, recursing into folders. Throws
// StoreIoError; on failure logs "Unable to save "<dir>/shortcuts.txt",
// probably because of a call to "GetNextSibling"" (one line per level).
void SaveStoreLevel(const ItemStore& s, const TreeNode* start, const std::string& dir, const WriterHooks& hooks);

// The lines of node and its following siblings (folders recursively into
// their own directories) appended to index, each ending in CR LF.
void WriteStoreEntries(const ItemStore& s, const TreeNode* node, std::string& index, const std::string& dir,
                       const WriterHooks& hooks);

// A reason why the tree cannot be stored as it is, or "" when it can: a
// folder name that is no directory name or appears twice on one level, a
// path or parameter text that would break its line.
std::string FindUnstorableNode(const ItemStore& s);

enum class SaveOutcome {
    Saved,         // new store complete and flushed; undo baseline taken
    RenameFailed,  // the store could not be moved aside; nothing changed
    Refused,       // the tree holds something the format cannot hold; nothing changed
    WriteFailed,   // writing failed; the previous store was put back
};

// The status line's texts of a save.
inline constexpr std::string_view kSaveSucceededText = "Save succesful!";
inline constexpr std::string_view kSaveFailedPrefix = "Save unsuccesful! ";

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    std::string reason;  // the text after "Save unsuccesful! "
    // The status line text: "Save succesful!" or "Save unsuccesful! " + reason.
    std::string status;
    bool chord() const { return outcome != SaveOutcome::Saved; }
};

// BitBtnSaveClick without the sound, status line and saved flag, which the
// dialog sets from the result. Never throws for file-system failures.
SaveResult SaveStore(ItemStore& s, const WriterHooks& hooks);

// What a save or restore cut short left beside the store; PrepareStore runs
// it before anything is loaded. "item_del" is deleted; a complete "item_new" without
// a store becomes the store, one beside the store is deleted; then, when
// "item_bak" is there, ask decides: Yes puts it in the store's place, No
// deletes it, Cancel (or no ask) returns false with store and backup as
// they were.
bool RecoverStore(ItemStore& s, const std::function<BackupAnswer()>& ask);

}  // namespace orbel
