#include "platform/icons.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "core/store/path_parts.h"
#include "platform/win32/wide.h"

namespace orbel::platform {
namespace {

constexpr int kSize = SmallIcon::kSize;

// Draws icon at 16 x 16 on black and on white: on black each channel is the
// premultiplied colour, and what white adds is the transparency. This holds
// for icons with an alpha channel, with a mask, and scaled ones alike.
bool Render(HICON icon, SmallIcon& out) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits[2] = {};
    HBITMAP surfaces[2] = {CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits[0], nullptr, 0),
                           CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits[1], nullptr, 0)};
    bool ok = surfaces[0] && surfaces[1];
    const RECT all{0, 0, kSize, kSize};
    for (int i = 0; ok && i < 2; ++i) {
        const HGDIOBJ old = SelectObject(dc, surfaces[i]);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(i == 0 ? BLACK_BRUSH : WHITE_BRUSH)));
        ok = DrawIconEx(dc, 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL) != FALSE;
        GdiFlush();
        SelectObject(dc, old);
    }
    if (ok) {
        const auto* black = static_cast<const std::uint32_t*>(bits[0]);
        const auto* white = static_cast<const std::uint32_t*>(bits[1]);
        for (int i = 0; i < kSize * kSize; ++i) {
            const std::uint32_t b = black[i] & 0xFFFFFF;
            const int greenAdded = int((white[i] >> 8) & 0xFF) - int((b >> 8) & 0xFF);
            const std::uint32_t alpha = static_cast<std::uint32_t>(255 - std::clamp(greenAdded, 0, 255));
            out.pixels[static_cast<std::size_t>(i)] = alpha ? (alpha << 24) | b : 0;
        }
    }
    for (HBITMAP s : surfaces) {
        if (s) DeleteObject(s);
    }
    DeleteDC(dc);
    return ok;
}

// The shell's small icon for what SHGetFileInfoW is asked; the icon is
// released whatever happens.
bool ShellIcon(const std::wstring& name, DWORD attributes, UINT flags, SmallIcon& out) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(name.c_str(), attributes, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | flags) ||
        !info.hIcon)
        return false;
    const bool ok = Render(info.hIcon, out);
    DestroyIcon(info.hIcon);
    return ok;
}

// A file type's icon: the shell needs no file of that type for it.
bool TypeIcon(const std::string& extension, SmallIcon& out) {
    return ShellIcon(L"x." + win32::Wide(extension), FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES, out);
}

// The last resort keeps the promise of an icon: the system's own.
SmallIcon Fallback() {
    SmallIcon out;
    const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);  // shared: never destroyed
    if (icon) Render(icon, out);
    return out;
}

}  // namespace

SmallIcon FileTypeIcon(const std::string& extension) {
    const win32::ComScope com;
    SmallIcon out;
    if (TypeIcon(extension, out) || TypeIcon("", out)) return out;
    return Fallback();
}

SmallIcon FileIcon(const std::string& path) {
    const win32::ComScope com;
    SmallIcon out;
    if (!path.empty() && ShellIcon(win32::Wide(path), 0, 0, out)) return out;
    // A file that is gone still has the icon of its type.
    const std::string extension = SplitPath(path).extension;
    return FileTypeIcon(extension.empty() ? extension : extension.substr(1));
}

}  // namespace orbel::platform
