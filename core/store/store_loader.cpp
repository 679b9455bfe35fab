#include "core/store/store_loader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "core/store/file_kinds.h"
#include "core/store/file_names.h"
#include "core/store/node_kinds.h"
#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "core/store/store_writer.h"

namespace orbel {

namespace fs = std::filesystem;

namespace {

// Extension list entry i has image kExtensionBase + 1 + i.
constexpr int kExtensionBase = 11;
constexpr int kNoExtensionImage = -100;  // replaced by the fixed image for items without extension
const std::string kDefaultProgramExtension(ExtensionName(ExtensionKind::Program));

std::string IndexFileOf(const std::string& dirWithSeparator) { return dirWithSeparator + std::string(kIndexFileName); }

// The entries of one folder directory, read once when the loader enters
// it, so that the index file, the icon bitmaps and the folder directories
// its lines name are mostly found without a look each. A name not listed
// (another letter case on a file system that ignores it, a name with a
// separator, a listing cut short) is looked up on its own, so every answer
// is the one a look would give.
class FolderListing {
public:
    explicit FolderListing(const std::string& dirWithSeparator) : names_(ListFolder(dirWithSeparator)) {
        std::sort(names_.begin(), names_.end(),
                  [](const ListedName& a, const ListedName& b) { return a.name < b.name; });
    }

    // FileExists(path), path being the folder directory + name.
    bool regularFile(std::string_view name, const std::string& path) const {
        switch (kindOf(name)) {
        case ListedKind::File: return true;
        case ListedKind::Directory:
        case ListedKind::Other: return false;
        case ListedKind::Link:  // followed by the look
        case ListedKind::Unknown: break;
        }
        return FileExists(path);
    }
    // Whether name is listed as a directory that is no link; false when it
    // is not listed or is anything else.
    bool plainDirectory(std::string_view name) const { return kindOf(name) == ListedKind::Directory; }

private:
    ListedKind kindOf(std::string_view name) const {
        auto it = std::lower_bound(names_.begin(), names_.end(), name,
                                   [](const ListedName& a, std::string_view n) { return a.name < n; });
        return it != names_.end() && it->name == name ? it->kind : ListedKind::Unknown;
    }
    std::vector<ListedName> names_;
};

// The directories whose index files are being read, outermost first, in
// canonical form. A folder line that leads back into one of them (a link to
// an ancestor, a name such as "." or "..") is skipped, so that no store can
// make the recursion go on without end.
class EnteredDirs {
public:
    explicit EnteredDirs(const std::string& top) { dirs_.push_back(CanonicalOr(top)); }

    // The canonical form of folderDir (the directory entered last, then
    // name) when it is a directory that may be entered; empty when it is no
    // directory, is one of the directories being entered or cannot be
    // resolved.
    std::string admit(const std::string& folderDir, std::string_view name, const FolderListing& listed) const {
        std::error_code ec;
        std::string cs;
        if (PlainName(name) &&
            (listed.plainDirectory(name) || fs::is_directory(fs::symlink_status(FsPath(folderDir), ec)))) {
            // A directory that is no link lies in the directory that lists
            // it: one look instead of resolving every part of the path.
            cs = JoinPath(dirs_.back(), name);
        } else {
            if (!DirectoryExists(folderDir)) return {};
            fs::path c = fs::canonical(FsPath(folderDir), ec);
            if (ec) return {};
            cs = Utf8Name(c);
        }
        if (std::find(dirs_.begin(), dirs_.end(), cs) != dirs_.end()) return {};
        return cs;
    }
    void push(std::string canonical) { dirs_.push_back(std::move(canonical)); }
    void pop() { dirs_.pop_back(); }

private:
    // A name that stands for one entry of its directory.
    static bool PlainName(std::string_view name) {
        return !name.empty() && name != "." && name != ".." &&
               name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
    }
    static std::string CanonicalOr(const std::string& dir) {
        std::error_code ec;
        fs::path c = fs::canonical(FsPath(dir), ec);
        return ec ? dir : Utf8Name(c);
    }
    std::vector<std::string> dirs_;
};

struct Added {
    MenuEntry* entry = nullptr;
    TreeNode* node = nullptr;
};

// One menu entry under parentEntry (at its insertion counter) and, unless
// the tree is left for later, one tree node under parentNode (at the top
// level: before the load anchor).
Added AddStoreEntry(ItemStore& s, IndexEntryKind kind, const std::string& path, const std::string& parameters,
                    TreeNode* parentNode, MenuEntry& parentEntry, int image, const std::string& text) {
    const ItemKind& k = ItemKindOf(kind);
    int number = -1;
    if (k.item) {
        number = s.nextItemNumber;
        if (image == kNoExtensionImage) image = img::NoExtension;
        AppendString(s.table.paths, path);
        // Only program lines hold parameters; their items have an entry there.
        if (k.holds(IndexField::Parameters)) {
            AppendString(s.table.programNumbers, std::to_string(number));
            AppendString(s.table.parameters, parameters);
        }
        ++s.nextItemNumber;
    }
    std::unique_ptr<MenuEntry> entry = k.makeEntry(text, image, number);

    Added added;
    added.entry = parentEntry.insert(parentEntry.tag, std::move(entry));
    ++parentEntry.tag;
    if (s.treePending) return added;
    std::unique_ptr<TreeNode> node = k.makeNode(text, image, number);
    if (parentNode) added.node = s.items.append(parentNode, std::move(node));
    else if (s.loadAnchor) added.node = s.items.insert(nullptr, s.loadAnchor->row(), std::move(node));
    else added.node = s.items.append(nullptr, std::move(node));
    return added;
}

// The one walk of the store's folders, shared by the extension scan and
// the load. Every accepted line of dir's index file goes to level.entry in
// file order, except folder lines: a folder whose directory exists and does
// not lead back into a directory being read goes to level.folder, which
// gives the level for its contents, and is read at that point. A folder
// directory without an index file is an empty folder, not a skipped one;
// a folder line without a directory is skipped with everything it held.
template <class Level> void WalkLevel(const ItemStore& s, const std::string& dir, EnteredDirs& entered, Level level) {
    const FolderListing listed(dir);
    const std::string index = IndexFileOf(dir);
    if (!listed.regularFile(kIndexFileName, index)) return;
    const std::vector<IndexEntry> entries = ReadIndexEntries(index, s.separator);
    level.lines(static_cast<int>(entries.size()));
    for (const IndexEntry& e : entries) {
        if (e.kind != IndexEntryKind::Folder) {
            level.entry(dir, listed, e);
            continue;
        }
        const std::string folderDir = dir + e.text;
        std::string canonical = entered.admit(folderDir, e.text, listed);
        if (canonical.empty()) continue;
        auto inner = level.folder(e);
        entered.push(std::move(canonical));
        WalkLevel(s, WithSeparator(folderDir), entered, inner);
        entered.pop();
    }
}

// The extension list from the file item lines, first met first.
struct ScanLevel {
    ItemStore& s;
    void lines(int) {}
    void entry(const std::string&, const FolderListing&, const IndexEntry& e) {
        if (e.kind == IndexEntryKind::FileItem && FindString(s.table.extensions, e.extension) < 0)
            AppendString(s.table.extensions, e.extension);
    }
    ScanLevel folder(const IndexEntry&) { return *this; }
};

// An executable item whose image depends on how many extension icons come
// before the bitmaps, or on where "exe" ends up in the extension list: both
// known only once the whole store has been read.
struct ProgramImage {
    MenuEntry* entry;
    TreeNode* node;  // nullptr while the tree is left for later
};
// The image of a program without a readable bitmap until that is known.
constexpr int kDefaultProgramPending = -1;

// Menu entries and tree nodes under one parent. The extension list is
// gathered on the same walk (there is no separate scan), and programs are
// noted so that their images can be settled once the extension icons are
// made.
struct LoadLevel {
    ItemStore& s;
    MenuEntry& parentEntry;
    TreeNode* parentNode;
    std::vector<ProgramImage>& programs;

    // A folder's entries are known before it is read; its "Hiding" entry
    // is already there.
    void lines(int n) { parentEntry.reserve(n); }
    void entry(const std::string& dir, const FolderListing& listed, const IndexEntry& e) {
        int image = -1;
        if (e.kind == IndexEntryKind::ExecutableItem) {
            const std::string icon = dir + e.iconFile;
            image = listed.regularFile(e.iconFile, icon) ? LoadIconBitmap(s, dir, e.iconFile) : kDefaultProgramPending;
        } else if (e.kind == IndexEntryKind::FileItem) {
            // First met first; an empty extension is listed like any other.
            int i = FindString(s.table.extensions, e.extension);
            if (i < 0) {
                i = s.table.extensions.length();
                AppendString(s.table.extensions, e.extension);
            }
            image = e.extension.empty() ? kNoExtensionImage : i + kExtensionBase + 1;
        }
        const Added a = AddStoreEntry(s, e.kind, e.path, e.parameters, parentNode, parentEntry, image, e.text);
        if (e.kind == IndexEntryKind::ExecutableItem) programs.push_back({a.entry, a.node});
    }
    LoadLevel folder(const IndexEntry& e) {
        const Added f = AddStoreEntry(s, e.kind, {}, {}, parentNode, parentEntry, img::Folder, e.text);
        return {s, *f.entry, f.node, programs};
    }
};

// Reads the store into menu, table (and tree unless it is pending), makes
// the extension icons and moves the programs' images behind them: all as
// a scan of every index file ahead of the load would have left it, with
// each file read once.
void LoadFromTop(ItemStore& s) {
    const std::string top = WithSeparator(s.storeDir());
    if (!FileExists(IndexFileOf(top))) return;  // nothing stored: no extension icons either
    EnteredDirs entered(top);
    std::vector<ProgramImage> programs;
    const int firstBitmap = s.counters.secondBreak;
    WalkLevel(s, top, entered, LoadLevel{s, *s.liveMenu, nullptr, programs});
    MakeExtensionIcons(s);
    const int shift = s.counters.secondBreak - firstBitmap;
    for (const ProgramImage& p : programs) {
        int& image = p.entry->imageIndex;
        image = image == kDefaultProgramPending ? s.counters.defaultProgramImage : image + shift;
        if (p.node) p.node->imageIndex = p.node->selectedIndex = image;
    }
}

}  // namespace

void InstallMenuTemplate(ItemStore& s) {
    s.counters = ImageCounters{};
    s.topAnchor = nullptr;
    s.items.assign(s.basic);
    s.liveMenu->clear();
    s.liveMenu->touch();
    CopyMenuEntries(*s.basicMenu, *s.liveMenu);
    s.liveMenu->tag = 0;
}

bool PrepareStore(ItemStore& s, const std::function<BackupAnswer()>& ask) {
    s.separator = kFieldSeparator;
    if (!RecoverStore(s, ask)) return false;

    const std::string store = s.storeDir();
    if (!DirectoryExists(store)) {
        std::error_code ec;
        fs::create_directory(FsPath(store), ec);
        if (ec || !DirectoryExists(store))
            throw StoreIoError("Unable to create the directory \"" + store + "\": " + ec.message());
    }
    // The extension list and its icons come with the load, which reads
    // every index file anyway.
    return true;
}

void ScanStoreExtensions(ItemStore& s, const std::string& dirWithSeparator) {
    EnteredDirs entered(dirWithSeparator);
    WalkLevel(s, dirWithSeparator, entered, ScanLevel{s});
}

void MakeExtensionIcons(ItemStore& s) {
    AppendString(s.table.extensions, kDefaultProgramExtension);
    // The icon itself is drawn from the extension when the image is shown.
    // One insertion for all: the loaded bitmaps may already stand behind.
    std::vector<ImageRef> icons;
    icons.reserve(static_cast<size_t>(s.table.extensions.length()));
    for (int i = 0; i < s.table.extensions.length(); ++i)
        icons.push_back(ImageRef{ImageRef::Kind::Extension, 0, s.table.extensions[i], 0});
    s.images.insert(s.counters.nextExtensionSlot, std::move(icons));
    const int n = s.table.extensions.length();
    s.counters.nextExtensionSlot += n;
    s.counters.secondBreak += n;
    s.counters.lastBreak += n;
    s.counters.defaultProgramImage = FindString(s.table.extensions, kDefaultProgramExtension) + kExtensionBase + 1;
}

void LoadStore(ItemStore& s) {
    s.nextItemNumber = 0;
    s.treePending = s.treeWhenNeeded;
    if (s.treePending) {
        // Menu and tables only; BuildPendingTree makes the tree from the menu.
        LoadFromTop(s);
        return;
    }
    s.loadAnchor = s.items.insert(nullptr, 0, std::make_unique<TreeNode>("hiding", img::Folder, -1, -1, -1));
    s.topAnchor = s.items.insert(nullptr, 0, MakeTopMarkerNode());

    // The anchor exists only while loading, also when reading fails.
    struct AnchorGuard {
        ItemStore& s;
        ~AnchorGuard() {
            if (s.loadAnchor) s.items.remove(s.loadAnchor);
            s.loadAnchor = nullptr;
        }
    } guard{s};

    LoadFromTop(s);
    s.items.remove(s.loadAnchor);
    s.loadAnchor = nullptr;

    s.undo.assign(s.items);  // copies the captured-icon count as well
    s.undoParameters = s.table.parameters.items();
}

namespace {

// The nodes of a loaded menu entry and its submenu, as the loader would
// have made them.
void AddNodesOf(ItemStore& s, const MenuEntry& e, TreeNode* parent, int row) {
    const ItemKind* kind = ItemKindOfEntry(e);
    if (!kind) return;  // "Hiding"
    std::unique_ptr<TreeNode> made = kind->makeNode(e.caption, e.imageIndex, e.tag);
    TreeNode* node = parent ? s.items.append(parent, std::move(made)) : s.items.insert(nullptr, row, std::move(made));
    if (kind->kind != IndexEntryKind::Folder) return;
    e.forEachChild([&](const MenuEntry& c) { AddNodesOf(s, c, node, 0); });
}

}  // namespace

void BuildPendingTree(ItemStore& s) {
    if (!s.treePending) return;
    s.treePending = false;
    s.topAnchor = s.items.insert(nullptr, 0, MakeTopMarkerNode());
    // The loaded entries stand before the fixed ones: as many as the root's
    // insertion position counts.
    for (int i = 0; i < s.liveMenu->tag && i < s.liveMenu->count(); ++i)
        AddNodesOf(s, *s.liveMenu->child(i), nullptr, i + 1);
    s.undo.assign(s.items);
    s.undoParameters = s.table.parameters.items();
}

int LoadIconBitmap(ItemStore& s, const std::string& file) { return LoadIconBitmap(s, {}, file); }

int LoadIconBitmap(ItemStore& s, const std::string& dirWithSeparator, const std::string& name) {
    // Only the file is recorded; the renderer reads it and falls back to the
    // default program image when it cannot.
    if (dirWithSeparator.empty()) s.images.insert(s.counters.lastBreak, ImageRef{ImageRef::Kind::Bitmap, 0, name, 0});
    else s.images.insertBitmap(s.counters.lastBreak, dirWithSeparator, name);
    ++s.counters.loadedBitmaps;
    const int index = s.counters.loadedBitmaps + s.counters.secondBreak;
    ++s.counters.lastBreak;
    return index;
}

bool ReloadStoreModel(ItemStore& s, const std::function<BackupAnswer()>& ask) {
    // The tree, the live menu and the counters are reset by the template.
    s.table.clear();
    s.undo.clear();
    s.undo.capturedIcons = 0;
    s.images.reset();

    InstallMenuTemplate(s);
    if (!PrepareStore(s, ask)) return false;
    LoadStore(s);
    return true;
}

}  // namespace orbel
