#pragma once
// The tray menu as a desktop shell's tray host gets it: a tree of numbered
// entries with labels, kinds and enabled state, asked for level by level.
// Hosts draw no captioned separator, so one shows as a disabled entry with
// its caption; hidden entries are left out; nothing is offered while the
// menu is switched off (start-up, reload).

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/tray/menu_model.h"

namespace orbel {

struct ExportedEntry {
    int id = 0;              // 0 is the root
    bool separator = false;  // a plain separator line
    std::string label;       // "_" marks the access key, "__" is a "_"
    bool enabled = true;
    int imageIndex = -1;                  // menu image list index, -1 for none
    int itemNumber = -1;                  // the item it opens, -1 for none
    bool submenu = false;                 // opens a submenu (folders, the kit)
    std::vector<ExportedEntry> children;  // as deep as asked
};

// Which tray the icon goes to. On X11 and Wayland trays come and go: the
// desktop's StatusNotifierItem host is preferred (it can show the exported
// menu) and XEmbed only exists on X11. A system with one tray of its own
// (Windows) always has the toolkit's icon.
enum class TraySystem { X11, DBusOnly, Native };
enum class TrayBackend { None, StatusNotifier, XEmbed, Native };
TrayBackend ChooseTrayBackend(TraySystem system, bool statusNotifierHost, bool xembedManager);

// A caption with "&" access keys as a label with "_" ones. Text separators
// keep no access key.
std::string ExportLabel(const std::string& caption, bool textSeparator);

class MenuExport {
public:
    // A new tree (or none): earlier ids are forgotten, never handed out again.
    void setRoot(const MenuEntry* root);
    // The root's entries were replaced in place (the kit refresh).
    void rebuilt();
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }

    // Grows with every change a host has to fetch again.
    unsigned revision() const { return revision_; }

    // The entry with that id and depth levels of its children (-1: all,
    // 0: none); nothing for an id that is not in the current tree.
    std::optional<ExportedEntry> layout(int id, int depth);
    // The menu entry behind an id, when it can be chosen now: in the
    // current tree, menu switched on, not a separator or submenu.
    const MenuEntry* choosable(int id) const;

private:
    int idOf(const MenuEntry* e);
    const MenuEntry* entryOf(int id) const;
    bool inTree(const MenuEntry* e) const;
    ExportedEntry render(const MenuEntry& e, int depth);
    void forget();

    const MenuEntry* root_ = nullptr;
    bool enabled_ = false;
    unsigned revision_ = 1;
    int nextId_ = 1;
    std::map<const MenuEntry*, int> ids_;
    std::map<int, const MenuEntry*> entries_;
};

}  // namespace orbel
