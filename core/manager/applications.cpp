#include "core/manager/applications.h"

#include <algorithm>
#include <utility>

#include "core/manager/tree_rules.h"
#include "core/search/fold.h"
#include "core/store/file_kinds.h"
#include "core/store/node_kinds.h"
#include "core/store/program_kind.h"
#include "core/store/store_format.h"

namespace orbel {

namespace mt = manager_texts;

namespace {

// The main categories a desktop registers, with the folder each one fills.
struct MainCategory {
    std::string_view category;
    const char* folder;
};
constexpr MainCategory kMainCategories[] = {
    {"AudioVideo", "Multimedia"}, {"Audio", "Multimedia"}, {"Video", "Multimedia"},  {"Development", "Development"},
    {"Education", "Education"},   {"Game", "Games"},       {"Graphics", "Graphics"}, {"Network", "Internet"},
    {"Office", "Office"},         {"Science", "Science"},  {"Settings", "Settings"}, {"System", "System"},
    {"Utility", "Utility"},
};

// Caption order for people: letter case and accents aside, then the bytes,
// so that the order never depends on the order the desktop listed them in.
bool CaptionBefore(const std::string& a, const std::string& b) {
    const std::string fa = Folded(a), fb = Folded(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

}  // namespace

std::string ApplicationCategoryFolder(std::string_view categories) {
    size_t start = 0;
    while (start <= categories.size()) {
        size_t end = categories.find(';', start);
        if (end == std::string_view::npos) end = categories.size();
        const std::string_view name = categories.substr(start, end - start);
        for (const MainCategory& m : kMainCategories)
            if (name == m.category) return m.folder;
        start = end + 1;
    }
    return mt::OtherApplications;
}

std::string ApplicationCaption(const InstalledApplication& app) {
    std::string caption = TrimName(WithoutLineBreaks(app.name));
    if (!caption.empty()) return caption;
    std::string file = SplitPath(app.file).name;
    // A name of the extension alone stays whole.
    if (file.size() > kDesktopEntryExtension.size() && KindOfPathEnd(file) == ExtensionKind::DesktopEntry)
        file.resize(file.size() - kDesktopEntryExtension.size());
    return WithoutLineBreaks(file);
}

std::vector<ApplicationGroup> GroupApplications(std::vector<InstalledApplication> apps) {
    std::vector<ApplicationGroup> groups;
    for (InstalledApplication& app : apps) {
        if (app.file.empty() || FindStoredTextBreak(app.file) != StoredTextBreak::None) continue;
        const std::string folder = ApplicationCategoryFolder(app.categories);
        auto g = std::find_if(groups.begin(), groups.end(),
                              [&](const ApplicationGroup& x) { return x.folder == folder; });
        if (g == groups.end()) g = groups.insert(groups.end(), ApplicationGroup{folder, {}});
        g->apps.push_back(std::move(app));
    }
    const auto otherLast = [](const ApplicationGroup& a, const ApplicationGroup& b) {
        const bool ao = a.folder == mt::OtherApplications, bo = b.folder == mt::OtherApplications;
        if (ao != bo) return bo;
        return CaptionBefore(a.folder, b.folder);
    };
    std::sort(groups.begin(), groups.end(), otherLast);
    for (ApplicationGroup& g : groups) {
        std::vector<std::pair<std::string, InstalledApplication>> keyed;
        keyed.reserve(g.apps.size());
        for (InstalledApplication& a : g.apps) keyed.emplace_back(ApplicationCaption(a), std::move(a));
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first) return CaptionBefore(a.first, b.first);
            return a.second.file < b.second.file;
        });
        g.apps.clear();
        for (auto& k : keyed) g.apps.push_back(std::move(k.second));
    }
    return groups;
}

std::string ApplicationsFolderName(const TreeNode* selected) {
    std::string name = mt::ApplicationsFolder;
    for (int n = 2; !AttachFolderRefusal(selected, name).empty(); ++n)
        name = std::string(mt::ApplicationsFolder) + " " + std::to_string(n);
    return name;
}

EditOutcome AttachApplications(ItemStore& s, TreeNode* selected, std::vector<InstalledApplication> apps,
                               const IconCapture& captureIcon) {
    EditOutcome o;
    if (!selected || IsBuiltInNode(selected)) return o;
    const std::vector<ApplicationGroup> groups = GroupApplications(std::move(apps));
    if (groups.empty()) {
        o.refusal = mt::NoApplications;
        o.chord = true;
        return o;
    }
    // Built apart from the item tree, then inserted whole: the view sees one
    // new row.
    ItemTree built;
    TreeNode* top = built.append(nullptr, MakeFolderNode(ApplicationsFolderName(selected)));
    for (const ApplicationGroup& g : groups) {
        TreeNode* folder = built.append(top, MakeFolderNode(g.folder));
        for (const InstalledApplication& app : g.apps) {
            const int image = CapturedImage(s, app.file, captureIcon);
            const int number = AddItemEntry(s, app.file, IsProgramPath(app.file), {});
            built.append(folder, MakeItemNode(ApplicationCaption(app), image, number));
        }
    }
    o.done = true;
    o.node = s.items.insertAfter(selected, built.take(top));
    return o;
}

}  // namespace orbel
