#pragma once
// Add Applications..: the desktop's installed applications become a folder
// "Applications" with one folder per main category, each item pointing at
// the application's desktop entry. The list itself comes from the platform;
// the grouping, naming and order are decided here.

#include <string>
#include <string_view>
#include <vector>

#include "core/manager/editing.h"

namespace orbel {

// One installed application as the desktop lists it (UTF-8).
struct InstalledApplication {
    std::string name;        // Name in the user's language; empty when the entry has none
    std::string categories;  // the Categories value as written, ";" between the names
    std::string file;        // full path of the desktop entry
};

// The folder caption for a Categories value: that of the first registered
// main category in it ("AudioVideo;Audio;Video" are all "Multimedia",
// "Network" is "Internet", "Game" is "Games"), "Other" when there is none.
std::string ApplicationCategoryFolder(std::string_view categories);

// The item caption: the Name without line breaks and surrounding blanks;
// for an entry without one, its file name without ".desktop".
std::string ApplicationCaption(const InstalledApplication& app);

struct ApplicationGroup {
    std::string folder;
    std::vector<InstalledApplication> apps;  // by caption
};
// The applications in their folders: folders by caption with "Other" last,
// applications by caption (letter case and Latin accents aside). Entries
// whose file cannot be stored as an item path are left out.
std::vector<ApplicationGroup> GroupApplications(std::vector<InstalledApplication> apps);

// "Applications", or when a neighbour of selected already bears that name,
// "Applications 2", "Applications 3", ...: a second import stands beside
// the first and the user's own edits stay apart.
std::string ApplicationsFolderName(const TreeNode* selected);

// Inserts after selected, as one edit, the folder of GroupApplications with
// its category folders and items (file items; a desktop entry that is a
// program gets empty parameters like any Attach). Each item gets the next
// item number and a captured icon. Refused silently for no or a built-in
// selection, with NoApplications when nothing is left to add.
EditOutcome AttachApplications(ItemStore& s, TreeNode* selected, std::vector<InstalledApplication> apps,
                               const IconCapture& captureIcon);

}  // namespace orbel
