#pragma once
// Checks shared by the platform tests of every system.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "platform/icons.h"

namespace orbel::platform::testing {

// A single-instance guard name of a test, never the program's own: a running
// instance must not make the test fail.
inline std::string UniqueName(const char* what) {
    return std::string("orbel-test-") + what + "-" + std::to_string(std::random_device{}());
}

// Menus draw icons at 16 pixels: there must be something visible there,
// premultiplied (no colour channel above the alpha).
inline void ExpectDrawable(const SmallIcon& icon) {
    EXPECT_TRUE(std::any_of(icon.pixels.begin(), icon.pixels.end(), [](std::uint32_t p) { return p >> 24 != 0; }));
    for (std::uint32_t p : icon.pixels) {
        const std::uint32_t a = p >> 24;
        ASSERT_TRUE(((p >> 16) & 0xFF) <= a && ((p >> 8) & 0xFF) <= a && (p & 0xFF) <= a) << std::hex << p;
    }
}

}  // namespace orbel::platform::testing
