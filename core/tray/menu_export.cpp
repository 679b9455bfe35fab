#include "core/tray/menu_export.h"

#include "core/tray/menu_drawing.h"

namespace orbel {

TrayBackend ChooseTrayBackend(TraySystem system, bool statusNotifierHost, bool xembedManager) {
    if (system == TraySystem::Native) return TrayBackend::Native;
    if (statusNotifierHost) return TrayBackend::StatusNotifier;
    if (system == TraySystem::X11 && xembedManager) return TrayBackend::XEmbed;
    return TrayBackend::None;
}

std::string ExportLabel(const std::string& caption, bool textSeparator) {
    const std::string shown = textSeparator ? StripAccessKeys(caption) : caption;
    std::string out;
    out.reserve(shown.size() + 2);
    for (size_t i = 0; i < shown.size(); ++i) {
        const char c = shown[i];
        if (c == '_') {
            out += "__";
        } else if (c == '&' && !textSeparator) {
            // "&&" is a literal "&"; a lone "&" marks the next character.
            if (i + 1 < shown.size() && shown[i + 1] == '&') {
                out += '&';
                ++i;
            } else if (i + 1 < shown.size()) {
                out += '_';
            }
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
bool Exported(const MenuEntry& e) { return e.visible && e.tag != tag::Hidden; }
}  // namespace

void MenuExport::forget() {
    ids_.clear();
    entries_.clear();
    ++revision_;
}

void MenuExport::setRoot(const MenuEntry* root) {
    root_ = root;
    forget();
}

void MenuExport::rebuilt() { forget(); }

void MenuExport::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    ++revision_;
}

int MenuExport::idOf(const MenuEntry* e) {
    if (e == root_) return 0;
    auto it = ids_.find(e);
    if (it != ids_.end()) return it->second;
    const int id = nextId_++;
    ids_[e] = id;
    entries_[id] = e;
    return id;
}

bool MenuExport::inTree(const MenuEntry* e) const {
    // An id may outlive its entry when the tree changed behind our back:
    // only an entry found below the root is trusted (and never dereferenced
    // before it is found).
    if (!root_ || !e) return false;
    if (e == root_) return true;
    bool found = false;
    auto search = [&](auto&& self, const MenuEntry& level) -> void {
        level.forEachChild([&](const MenuEntry& c) {
            if (found) return;
            if (&c == e) found = true;
            else if (c.hasChildren()) self(self, c);
        });
    };
    search(search, *root_);
    return found;
}

const MenuEntry* MenuExport::entryOf(int id) const {
    if (id == 0) return root_;
    auto it = entries_.find(id);
    return it == entries_.end() ? nullptr : it->second;
}

ExportedEntry MenuExport::render(const MenuEntry& e, int depth) {
    ExportedEntry out;
    out.id = idOf(&e);
    if (&e != root_) {
        const bool textSep = e.tag == tag::TextSeparator;
        out.separator = e.tag == tag::PlainSeparator;
        if (!out.separator) {
            out.label = ExportLabel(e.caption, textSep);
            out.enabled = !textSep;
            out.imageIndex = textSep ? -1 : e.imageIndex;
            out.itemNumber = ItemNumberOf(e);
            out.submenu = !textSep && e.hasChildren();
        }
    } else {
        out.submenu = true;
    }
    // Text separators and plain separators are leaves whatever they hold.
    const bool walk = out.submenu && depth != 0 && (enabled_ || &e != root_);
    if (walk)
        e.forEachChild([&](const MenuEntry& c) {
            if (Exported(c)) out.children.push_back(render(c, depth < 0 ? depth : depth - 1));
        });
    return out;
}

std::optional<ExportedEntry> MenuExport::layout(int id, int depth) {
    const MenuEntry* e = entryOf(id);
    if (!root_ || !e || !inTree(e)) return std::nullopt;
    // While the menu is off, only the empty root exists.
    if (!enabled_ && e != root_) return std::nullopt;
    return render(*e, depth);
}

const MenuEntry* MenuExport::choosable(int id) const {
    if (!enabled_ || id == 0) return nullptr;
    const MenuEntry* e = entryOf(id);
    if (!inTree(e) || !Exported(*e)) return nullptr;
    if (e->tag == tag::PlainSeparator || e->tag == tag::TextSeparator || e->hasChildren()) return nullptr;
    return e;
}

}  // namespace orbel
