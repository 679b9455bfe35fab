#pragma once
// Which entries of a menu the program measures and draws itself, the
// geometry of those entries, and the refresh of the kit submenu that follows
// a change of the drawing mode.

#include <string>

#include "core/tray/menu_model.h"

namespace orbel {

namespace menu_geometry {
constexpr int EntryHeight = 19;
constexpr int CaptionPadding = 23;  // added to the caption width
constexpr int SubmenuPadding = 7;   // more again when the entry has sub-entries
constexpr int IconLeft = 2;         // icon top-left at (2, B - 18)
constexpr int IconFromBottom = 18;
constexpr int IconSize = 16;
constexpr int FrameLeft = 1;  // raised frame round the icon
constexpr int FrameRight = 18;
constexpr int FrameFromBottom = 19;  // top line at B - 19, bottom line at B - 1
constexpr int FillStartWithIcon = 20;
constexpr int CaptionLeft = 23;
constexpr int SeparatorDarkFromBottom = 10;  // etched line: dark at B - 10,
constexpr int SeparatorLightFromBottom = 9;  // light at B - 9
constexpr int HighlightRed = 0, HighlightGreen = 0, HighlightBlue = 128;
// Room the menu keeps right of every measured width, as the system does
// beside entries the program draws: a submenu's arrow stands in it, and no
// caption reaches the arrow or the menu's edge.
constexpr int ArrowRoom = 12;
constexpr int ArrowFromRight = 8;  // the arrow's left column, from the entry's last one
}  // namespace menu_geometry

// Width of a program-measured entry from the width of its caption. Any
// sub-entry counts, visible or not: a folder always has its hidden entry.
int MeasuredEntryWidth(int captionWidth, bool hasChildren);

// The caption without its access-key markers: a lone "&" goes, "&&" leaves
// one "&".
std::string StripAccessKeys(const std::string& caption);

// Gives every entry below root its handlers by tag and drawing mode: text
// separators always get the separator drawing, plain separators and hidden
// entries stay with the toolkit, everything else gets the item drawing under
// custom drawing and none under the toolkit's. Each level walked is touched,
// so a realised popup rebuilds it when next shown.
void AttachDrawHooks(MenuEntry& root, bool windowsDraw);

// Re-creates target's children from source's, index by index, deep. Target
// children beyond source's count go too, so target ends up a copy.
void ReplaceMenuEntries(const MenuEntry& source, MenuEntry& target);

// Removes the handlers from every entry below entry and touches every level.
void ClearDrawHooks(MenuEntry& entry);

// The kit submenu of a menu root: its second-to-last entry; null when the
// root has fewer than two entries.
MenuEntry* KitMenuOf(const MenuEntry& root);

// Re-creates the live kit submenu from the template's and removes all
// handlers of the live menu. Does nothing when either menu lacks a kit.
void RefreshKitMenu(const MenuEntry& templateRoot, MenuEntry& liveRoot);

}  // namespace orbel
