#pragma once
// Small icons for files and file types, as the desktop shows them.

#include <array>
#include <cstdint>
#include <string>

namespace orbel::platform {

// A 16 x 16 icon: premultiplied 0xAARRGGBB pixels, rows top to bottom.
struct SmallIcon {
    static constexpr int kSize = 16;
    std::array<std::uint32_t, kSize * kSize> pixels{};
};

// Icon for files with this extension (UTF-8, no dot). Never empty: a generic
// document icon when the desktop knows none.
SmallIcon FileTypeIcon(const std::string& extension);
// Icon of this very file or directory (programs, directories, desktop
// entries get their own). Never empty.
SmallIcon FileIcon(const std::string& path);

}  // namespace orbel::platform
