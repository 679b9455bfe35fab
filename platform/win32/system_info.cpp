#include "platform/system_info.h"

#include <vector>

#include "core/store/program_kind.h"
#include "core/links/shortcut_file.h"
#include "core/system/path_conversions.h"
#include "platform/durable_files.h"
#include "platform/path_conversions.h"
#include "platform/win32/wide.h"

namespace orbel::platform {

bool ReadMemoryStatus(MemoryStatus& out) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return false;
    out.load = static_cast<int>(status.dwMemoryLoad);
    out.total = status.ullTotalPhys;
    return true;
}

std::string ExecutablePath() {
    // Paths may be longer than MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return win32::Utf8(buffer.data(), static_cast<int>(n));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

LocalTimeTexts CurrentLocalTimeTexts() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    // The user's short date and long time formats (the long time is the
    // default time format).
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, time, 128);
    return {win32::Utf8(date), win32::Utf8(time)};
}

int LastErrorCode() { return static_cast<int>(GetLastError()); }

std::string LastErrorText(int code) { return win32::ErrorText(static_cast<DWORD>(code)); }

std::string SystemName() { return "Windows"; }

VersionRecord CurrentVersionRecord() {
    // GetVersionEx reports what the application's manifest allows, not the
    // system; the kernel's own call tells the truth.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    VersionRecord record;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                           reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                                     : nullptr;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return record;
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT: record.family = VersionRecord::Family::NT; break;
    case VER_PLATFORM_WIN32_WINDOWS: record.family = VersionRecord::Family::Windows95; break;
    default: record.family = VersionRecord::Family::Other; break;
    }
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.service = win32::Utf8(info.szCSDVersion);
    return record;
}

bool UserMayExecute(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring name = win32::Wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // The file's security decides, as it does when the program is started.
    const HANDLE file = CreateFileW(name.c_str(), FILE_EXECUTE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

namespace {

// The shell's own link object, short names and display names.
class WindowsSystemCalls : public DurableFileCalls {
public:
    bool UserMayExecute(const std::string& path) override { return platform::UserMayExecute(path); }
    int ResolveShellLink(const std::string& linkFile, ShellLinkDescription& out) override {
        return ReadShellLink(linkFile, out);
    }
    std::string ShortPath(const std::string& path) override { return ShortPathName(path); }
    std::string PathFromDisplayName(const std::string& name) override { return PathFromShellDisplayName(name); }
};

}  // namespace

std::unique_ptr<SystemCalls> MakeSystemCalls() { return std::make_unique<WindowsSystemCalls>(); }

}  // namespace orbel::platform
