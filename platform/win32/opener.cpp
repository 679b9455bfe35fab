#include "platform/opener.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace orbel::platform {

bool OpenPath(const std::string& path, const std::string& parameters, ShowMode mode) {
    // An empty file name would make the shell open the current directory.
    if (path.empty()) return false;
    const win32::ComScope com;  // the shell may hand the file to COM handlers
    const std::wstring file = win32::Wide(path);
    const std::wstring params = win32::Wide(parameters);
    // No owner, no working directory: the started program inherits ours.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), params.c_str(), nullptr,
                                           mode == ShowMode::Default ? SW_SHOWDEFAULT : SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace orbel::platform
