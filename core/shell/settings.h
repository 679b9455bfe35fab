#pragma once
// The settings the program keeps in memory, with their defaults.

#include <string>

namespace orbel {

struct Settings {
    bool TaskBar = true;
    bool WindowsDraw = true;
    std::string FontName = "Verdana";
    int FontSize = 8;
};

}  // namespace orbel
