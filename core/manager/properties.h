#pragma once
// What the properties panel shows for a node, and the two edits the panel
// makes (name box and parameters box), as functions of tree and item table.

#include <string>
#include <string_view>
#include <vector>

#include "core/store/item_table.h"
#include "core/store/item_tree.h"

namespace orbel {

struct PropertiesView {
    int imageIndex = -1;  // picture of ILAllPublicPM to draw; -1 for no node
    std::string typeLine = "Item Type:";
    std::string nameText;
    bool nameEnabled = false;
    std::string fileNameLine = "File Name:";
    std::string filePathLine = "File Path:";
    std::string paramsText;
    bool paramsEnabled = false;
};

// The panel for a node (nullptr gives the initial, empty panel).
PropertiesView ShowProperties(const TreeNode* node, const ItemTable& table);

// "Item Type: Executable item" / "Runable item" / "Shortcut item" /
// "Startable item", by the lower-case extension of the path's file name
// (".lnk" and ".desktop" are shortcut files).
std::string ItemTypeLine(const std::string& path);
// Every type line the panel can show, items' and the other kinds'.
const std::vector<std::string>& ItemTypeLines();

struct EditResult {
    bool applied = false;       // the node or table took the text
    bool imageChanged = false;  // separator kind changed: redraw ImgFType
    std::string refusal;        // status text when refused (empty otherwise)
    bool chord = false;         // play the chord sound with the refusal
    // When boxCorrected, the box should show boxText instead (a pasted line
    // break removed); otherwise the box keeps what was typed.
    bool boxCorrected = false;
    std::string boxText;
};

// EditSNameKeyDown for the selected node: folders follow the folder-name
// rules, separators switch kind by their text, items take the trimmed text.
// Top markers and built-in nodes are never changed. Reports the change to
// the tree's observer.
EditResult EditNodeName(ItemTree& tree, TreeNode* node, std::string_view boxText);

// EditSParamsKeyDown: the parameters of an executable item; "|" is refused
// (the field has no escape) with the chord sound. An executable item without
// a parameter entry (loaded from a file-item line) gets one.
EditResult EditNodeParameters(ItemTable& table, const TreeNode* node, std::string_view boxText);

}  // namespace orbel
