#include "core/store/item_store.h"

#include "core/store/node_kinds.h"

namespace orbel {

ItemStore::ItemStore() : basicMenu(BuildMenuTemplate()), liveMenu(std::make_unique<MenuEntry>("", 0)) {
    liveMenu->setName("PMItems");
    BuildTreeTemplate(basic);
}

void BuildTreeTemplate(ItemTree& basic) {
    basic.clear();
    basic.append(nullptr, MakeBuiltInNode(kSysmenuText, img::TextSeparator));
    TreeNode* kit = basic.append(nullptr, MakeBuiltInNode("Orbel Kit", img::Folder));
    basic.append(kit, MakeBuiltInNode("Help File", img::HelpBook));
    basic.append(kit, MakeBuiltInNode(kPlainSeparatorText, img::BuiltIn));
    basic.append(kit, MakeBuiltInNode("Manage Items...", img::Manage));
    basic.append(kit, MakeBuiltInNode("Properties...", img::Gear));
    basic.append(kit, MakeBuiltInNode(kPlainSeparatorText, img::BuiltIn));
    basic.append(kit, MakeBuiltInNode("Visit Website", img::BuiltIn));
    basic.append(kit, MakeBuiltInNode(kPlainSeparatorText, img::BuiltIn));
    basic.append(kit, MakeBuiltInNode("About", img::BuiltIn));
    basic.append(nullptr, MakeBuiltInNode("Close", img::BuiltIn));
}

}  // namespace orbel
