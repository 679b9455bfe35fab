#pragma once
// What an entry of the store is, in each of the forms it takes: the tag and
// fields of its index line, its node in the item manager's tree, its entry
// in the tray menu. The format, the loader and the writer translate between
// these forms only through the table here, so a new kind is a new row (and
// what that kind does beyond its forms: a folder's directory, a program's
// bitmap and parameters).

#include <memory>
#include <string>
#include <string_view>

#include "core/store/item_table.h"
#include "core/store/item_tree.h"
#include "core/tray/menu_model.h"

namespace orbel {

enum class IndexEntryKind { Folder, PlainSeparator, TextSeparator, ExecutableItem, FileItem };

// The fields of an index line between its tag and its text.
enum class IndexField : unsigned char { Path, Parameters, IconFile, Extension };

struct ItemKind {
    IndexEntryKind kind;
    std::string_view storeTag;  // the index line's tag
    // The line's fields after the tag, in order; a text (caption, folder
    // name, separator text) follows them when hasText.
    IndexField fields[3];
    int fieldCount;
    bool hasText;
    // An item: an entry of the item table, opened from the menu.
    bool item;

    // Whether a node of the tree is of this kind; the first row that says so
    // decides, which is how a program item is told from a file item.
    bool (*isNode)(const TreeNode* node, const ItemTable& table);
    // The node the loader makes (image and number are an item's).
    std::unique_ptr<TreeNode> (*makeNode)(const std::string& text, int image, int itemNumber);
    // Whether a menu entry the loader made is of this kind; the menu does not
    // tell a program item from a file item, both answer to the first.
    bool (*isEntry)(const MenuEntry& entry);
    // The menu entry the loader makes.
    std::unique_ptr<MenuEntry> (*makeEntry)(const std::string& text, int image, int itemNumber);

    bool holds(IndexField field) const;
};

const ItemKind& ItemKindOf(IndexEntryKind kind);
// nullptr for a tag that names no kind (the line is skipped); letter case
// counts.
const ItemKind* ItemKindOfTag(std::string_view tag);
// nullptr for a top marker. Built-in nodes end the store's part of a level
// and are never asked about.
const ItemKind* ItemKindOfNode(const TreeNode* node, const ItemTable& table);
// nullptr for the entries the store does not hold (a folder's "Hiding").
const ItemKind* ItemKindOfEntry(const MenuEntry& entry);

}  // namespace orbel
