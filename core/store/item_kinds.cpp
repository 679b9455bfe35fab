#include "core/store/item_kinds.h"

#include <algorithm>
#include <iterator>

#include "core/store/image_table.h"
#include "core/store/node_kinds.h"

namespace orbel {

namespace {

using F = IndexField;
using K = IndexEntryKind;

std::unique_ptr<MenuEntry> FolderEntry(const std::string& text, int, int) {
    auto entry = std::make_unique<MenuEntry>(text, 0, img::Folder);
    entry->insert(0, std::make_unique<MenuEntry>("Hiding", tag::Hidden, -1, MenuHandler::None, false));
    entry->tag = 1;  // the insertion position, behind "Hiding"
    return entry;
}

std::unique_ptr<MenuEntry> ItemEntry(const std::string& text, int image, int itemNumber) {
    return std::make_unique<MenuEntry>(text, itemNumber, image, MenuHandler::NorItemsRTClickItem);
}

bool IsItemEntry(const MenuEntry& e) { return e.onClick == MenuHandler::NorItemsRTClickItem; }

std::unique_ptr<TreeNode> ItemNode(const std::string& text, int image, int itemNumber) {
    return MakeItemNode(text, image, itemNumber);
}

const ItemKind kKinds[] = {
    {K::Folder,
     "^Folder",
     {},
     0,
     true,
     false,
     [](const TreeNode* n, const ItemTable&) { return IsFolderNode(n); },
     [](const std::string& text, int, int) { return MakeFolderNode(text); },
     // A folder's tag counts its entries; the other kinds' tags are negative
     // or are item numbers of entries with a handler.
     [](const MenuEntry& e) { return e.onClick == MenuHandler::None && e.tag >= 0; },
     FolderEntry},
    {K::PlainSeparator,
     "^NorSep",
     {},
     0,
     false,
     false,
     [](const TreeNode* n, const ItemTable&) { return IsPlainSeparatorNode(n); },
     [](const std::string&, int, int) { return MakePlainSeparatorNode(); },
     [](const MenuEntry& e) { return e.tag == tag::PlainSeparator; },
     [](const std::string&, int, int) {
         return std::make_unique<MenuEntry>(std::string(kMenuSeparatorCaption), tag::PlainSeparator);
     }},
    {K::TextSeparator,
     "^SpeSep",
     {},
     0,
     true,
     false,
     [](const TreeNode* n, const ItemTable&) { return IsTextSeparatorNode(n); },
     [](const std::string& text, int, int) { return MakeTextSeparatorNode(text); },
     [](const MenuEntry& e) { return e.tag == tag::TextSeparator; },
     [](const std::string& text, int, int) { return std::make_unique<MenuEntry>(text, tag::TextSeparator); }},
    {K::ExecutableItem,
     "^ExeLnk",
     {F::Path, F::Parameters, F::IconFile},
     3,
     true,
     true,
     [](const TreeNode* n, const ItemTable& table) { return IsExecutableNode(n, table); },
     ItemNode,
     IsItemEntry,
     ItemEntry},
    {K::FileItem,
     "^UnkLnk",
     {F::Path, F::Extension},
     2,
     true,
     true,
     [](const TreeNode* n, const ItemTable&) { return HasItemEntry(n); },
     ItemNode,
     IsItemEntry,
     ItemEntry},
};

}  // namespace

bool ItemKind::holds(IndexField field) const {
    return std::find(fields, fields + fieldCount, field) != fields + fieldCount;
}

const ItemKind& ItemKindOf(IndexEntryKind kind) {
    for (const ItemKind& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];  // every kind has its row
}

const ItemKind* ItemKindOfTag(std::string_view tag) {
    for (const ItemKind& k : kKinds)
        if (k.storeTag == tag) return &k;
    return nullptr;
}

const ItemKind* ItemKindOfNode(const TreeNode* node, const ItemTable& table) {
    for (const ItemKind& k : kKinds)
        if (k.isNode(node, table)) return &k;
    return nullptr;
}

const ItemKind* ItemKindOfEntry(const MenuEntry& entry) {
    for (const ItemKind& k : kKinds)
        if (k.isEntry(entry)) return &k;
    return nullptr;
}

}  // namespace orbel
