#pragma once
// Bitmap bytes shared by the store tests and the benchmarks' generated store.

#include <string>

namespace orbel::test {

// Some 16 x 16 bitmap bytes (24 bit, white).
inline std::string SmallBmp() {
    std::string b;
    auto u16 = [&](unsigned v) {
        b += char(v & 0xff);
        b += char((v >> 8) & 0xff);
    };
    auto u32 = [&](unsigned v) {
        u16(v & 0xffff);
        u16(v >> 16);
    };
    const unsigned pixels = 16 * 16 * 3;
    b += "BM";
    u32(54 + pixels);
    u32(0);
    u32(54);
    u32(40);
    u32(16);
    u32(16);
    u16(1);
    u16(24);
    u32(0);
    u32(pixels);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    b.append(pixels, char(0xff));
    return b;
}

}  // namespace orbel::test
