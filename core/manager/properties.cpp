#include "core/manager/properties.h"

#include <iterator>

#include "core/manager/tree_rules.h"
#include "core/store/file_kinds.h"
#include "core/store/kv_array_string.h"
#include "core/store/node_kinds.h"
#include "core/store/program_kind.h"
#include "core/store/store_format.h"

namespace orbel {

namespace {

constexpr const char* kNotApplicable = "N/A";

// The types the panel names, in the order ItemTypeLines lists them.
enum class ItemType { Executable, Runable, Shortcut, Startable, Utility, Program, Virtual, Separator };
constexpr const char* kItemTypeNames[] = {"Executable item", "Runable item", "Shortcut item", "Startable item",
                                          "Utility item",    "Program item", "Virtual item",  "Separator item"};

std::string TypeLine(ItemType type) { return std::string("Item Type: ") + kItemTypeNames[static_cast<int>(type)]; }

PropertiesView NotAnItem(const TreeNode& node, ItemType type, std::string name, bool enabled) {
    PropertiesView v;
    v.imageIndex = node.imageIndex;
    v.typeLine = TypeLine(type);
    v.nameText = std::move(name);
    v.nameEnabled = enabled;
    v.fileNameLine = "File Name: N/A";
    v.filePathLine = "File Path: N/A";
    v.paramsText = kNotApplicable;
    return v;
}

}  // namespace

std::string ItemTypeLine(const std::string& path) {
    const ExtensionKind kind = KindOfExtension(SplitPath(path).extension);
    if (kind == ExtensionKind::Program) return TypeLine(ItemType::Executable);
    // Desktop launchers are this system's shortcut files, and are opened as
    // such even when they are marked executable.
    if (kind == ExtensionKind::ShellLink || kind == ExtensionKind::DesktopEntry) return TypeLine(ItemType::Shortcut);
    // Programs without ".exe" are this system's executables too.
    if (IsProgramPath(path)) return TypeLine(ItemType::Executable);
    if (kind == ExtensionKind::Batch) return TypeLine(ItemType::Runable);
    return TypeLine(ItemType::Startable);
}

const std::vector<std::string>& ItemTypeLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> all;
        for (int t = 0; t < static_cast<int>(std::size(kItemTypeNames)); ++t)
            all.push_back(TypeLine(static_cast<ItemType>(t)));
        return all;
    }();
    return lines;
}

PropertiesView ShowProperties(const TreeNode* node, const ItemTable& table) {
    if (!node) return {};
    if (HasItemEntry(node)) {
        const std::string path = table.pathOf(node->itemNumber);
        const PathParts parts = SplitPath(path);
        PropertiesView v;
        v.imageIndex = node->imageIndex;
        v.typeLine = ItemTypeLine(path);
        v.nameText = node->text;
        v.nameEnabled = true;
        v.fileNameLine = "File Name: " + parts.name;
        v.filePathLine = "File Path: " + parts.directory;
        if (IsExecutableNode(node, table)) {
            v.paramsText = table.GetItemParameters(node->itemNumber);
            v.paramsEnabled = true;
        } else {
            v.paramsText = kNotApplicable;
        }
        return v;
    }
    if (IsTopMarker(node)) return NotAnItem(*node, ItemType::Utility, "Top", false);
    if (IsBuiltInNode(node)) {
        std::string name = node->text;
        if (name == kPlainSeparatorText) name.clear();
        else if (name == kSysmenuText) name = SeparatorCaption(*node);
        return NotAnItem(*node, ItemType::Program, name, false);
    }
    if (IsFolderNode(node)) return NotAnItem(*node, ItemType::Virtual, node->text, true);
    if (IsSeparatorNode(node))
        return NotAnItem(*node, ItemType::Separator,
                         IsTextSeparatorNode(node) ? SeparatorCaption(*node) : std::string(), true);
    PropertiesView v;
    v.imageIndex = node->imageIndex;
    return v;
}

EditResult EditNodeName(ItemTree& tree, TreeNode* node, std::string_view boxText) {
    EditResult r;
    if (!node || IsTopMarker(node) || IsBuiltInNode(node)) return r;
    const std::string text = WithoutLineBreaks(boxText);
    if (text.size() != boxText.size()) {
        r.boxCorrected = true;
        r.boxText = text;
    }
    if (IsFolderNode(node)) {
        const std::string name = TrimName(text);
        r.refusal = RenameFolderRefusal(node, name);
        if (!r.refusal.empty()) return r;
        if (node->text != name) {
            node->text = name;
            tree.changed(node);
        }
        r.applied = true;
        return r;
    }
    if (IsSeparatorNode(node)) {
        const int before = node->imageIndex;
        auto fresh = MakeSeparatorNode(text);
        node->text = fresh->text;
        node->imageIndex = fresh->imageIndex;
        node->selectedIndex = fresh->selectedIndex;
        r.imageChanged = node->imageIndex != before;
        tree.changed(node);
        r.applied = true;
        return r;
    }
    node->text = TrimName(text);
    tree.changed(node);
    r.applied = true;
    return r;
}

EditResult EditNodeParameters(ItemTable& table, const TreeNode* node, std::string_view boxText) {
    EditResult r;
    if (!IsExecutableNode(node, table)) return r;
    const std::string text = WithoutLineBreaks(boxText);
    if (FindStoredTextBreak(text) != StoredTextBreak::None) {
        r.refusal = manager_texts::ParamsBar;
        r.chord = true;
        // The refused keystroke does not stay: the box shows what is stored.
        r.boxCorrected = true;
        r.boxText = table.GetItemParameters(node->itemNumber);
        return r;
    }
    if (text.size() != boxText.size()) {
        r.boxCorrected = true;
        r.boxText = text;
    }
    const std::string number = std::to_string(node->itemNumber);
    if (FindString(table.programNumbers, number) < 0) {
        // Loaded from a file-item line: no entry yet, so give it one (both
        // arrays grow together and stay index-aligned).
        AppendString(table.programNumbers, number);
        AppendString(table.parameters, text);
    } else {
        table.SetItemParameters(node->itemNumber, text);
    }
    r.applied = true;
    return r;
}

}  // namespace orbel
