#pragma once
// The item table: paths by item number, the parameters of executable items
// (found through the item number's decimal text) and the extension list.

#include <string>

#include "core/store/kv_array_string.h"

namespace orbel {

struct ItemTable {
    TkvArrayString paths;           // index = item number
    TkvArrayString programNumbers;  // item numbers of executable items, as decimal text
    TkvArrayString parameters;      // same index as programNumbers
    TkvArrayString extensions;      // extension i has image 12 + i

    std::string GetItemParameters(int itemNumber) const;
    void SetItemParameters(int itemNumber, const std::string& text);
    // Path of an item, or empty for a number outside the table.
    std::string pathOf(int itemNumber) const;
    void clear();
};

}  // namespace orbel
