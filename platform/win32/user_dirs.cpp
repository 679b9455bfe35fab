#include "platform/user_dirs.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/system_info.h"
#include "platform/win32/wide.h"

namespace orbel::platform {

UserDirectories CurrentUserDirectories() {
    // The user's local application data folder takes the store, the
    // settings and the log alike: nothing of it roams to other machines.
    UserDirectories dirs;
    const win32::ComScope com;
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path)) && path) {
        std::string dir = win32::Utf8(path);
        while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
        dirs.data = dirs.config = dirs.state = dir;
    }
    CoTaskMemFree(path);
    return dirs;
}

bool DirectoryWritable(const std::string& dir, std::string* reason) {
    // The directory's security decides, with its inheritance and the
    // user's groups: a file made and dropped again asks it directly.
    std::wstring probe = win32::Wide(dir);
    if (!probe.empty() && probe.back() != L'\\' && probe.back() != L'/') probe += L'\\';
    probe += L".orbel-write-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (reason) *reason = win32::ErrorText(GetLastError());
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string StartCommand() { return ExecutablePath(); }

}  // namespace orbel::platform
