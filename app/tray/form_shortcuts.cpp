#include "app/tray/form_shortcuts.h"

#include "app/shell/program.h"
#include "app/store/image_lists.h"
#include "app/tray/launching.h"
#include "core/tray/menu_model.h"

namespace orbel {

TFormShortCuts::TFormShortCuts() {
    setObjectName("TFormShortCuts");
    setAttribute(Qt::WA_DontShowOnScreen);
    ImageBreak3Small = ImageLists::BreakImage(1, QSize(16, 16));
    ImageBreak4Small = ImageLists::BreakImage(2, QSize(16, 16));
    ImageBreak5Small = ImageLists::BreakImage(3, QSize(16, 16));
    ImageBreak3Large = ImageLists::BreakImage(1, QSize(16, 18));
    ImageBreak4Large = ImageLists::BreakImage(2, QSize(16, 18));
    ImageBreak5Large = ImageLists::BreakImage(3, QSize(16, 18));
}

void TFormShortCuts::NorItemsRTClickItem(const MenuEntry& sender) {
    const int n = sender.tag;
    const ItemTable& table = Program::instance()->store.table;
    const std::string parameters = table.GetItemParameters(n);
    const std::string path = table.pathOf(n);
    OpenItem(QString::fromStdString(path), QString::fromStdString(parameters));
}

}  // namespace orbel
