#include "core/store/item_table.h"

namespace orbel {

std::string ItemTable::GetItemParameters(int itemNumber) const {
    const int i = FindString(programNumbers, std::to_string(itemNumber));
    return i < 0 ? std::string() : parameters[i];
}

void ItemTable::SetItemParameters(int itemNumber, const std::string& text) {
    const int i = FindString(programNumbers, std::to_string(itemNumber));
    if (i >= 0) parameters.set(i, text);
}

std::string ItemTable::pathOf(int itemNumber) const {
    if (itemNumber < 0 || itemNumber >= paths.length()) return {};
    return paths[itemNumber];
}

void ItemTable::clear() {
    paths.clear();
    programNumbers.clear();
    parameters.clear();
    extensions.clear();
}

}  // namespace orbel
