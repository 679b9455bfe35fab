#include "platform/autostart.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/wide.h"

namespace orbel::platform {
namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Tandrel-Orbel";

[[noreturn]] void Fail(const std::string& what, LSTATUS code) {
    throw std::runtime_error(what + AutostartEntryPath() + ": " + win32::ErrorText(static_cast<DWORD>(code)));
}

// The Run key of the current user, created when it is missing.
class RunKey {
public:
    explicit RunKey(REGSAM access) {
        status_ = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, access, nullptr, &key_, nullptr);
    }
    ~RunKey() {
        if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;
    LSTATUS status() const { return status_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
    LSTATUS status_ = ERROR_INVALID_HANDLE;
};

}  // namespace

std::string AutostartEntryPath() {
    return "HKEY_CURRENT_USER\\" + win32::Utf8(kRunKey) + "\\" + win32::Utf8(kValueName);
}

bool ReadAutostart() {
    const RunKey key(KEY_QUERY_VALUE);
    if (key.status() != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
        ERROR_SUCCESS)
        return false;
    // Any text at all counts; the path in it is not checked.
    return data[0] != L'\0';
}

void WriteAutostart(bool on, const std::string& command) {
    // An empty value would read back as off: refuse it here.
    if (on && command.empty())
        throw std::runtime_error("Unable to write to " + AutostartEntryPath() + ": no executable");
    const RunKey key(KEY_SET_VALUE);
    if (key.status() != ERROR_SUCCESS) Fail("Unable to open ", key.status());
    if (!on) {
        const LSTATUS status = RegDeleteValueW(key.get(), kValueName);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail("Unable to remove ", status);
        return;
    }
    // The full path alone, without quotes or arguments.
    const std::wstring data = win32::Wide(command);
    const LSTATUS status = RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) Fail("Unable to write to ", status);
}

}  // namespace orbel::platform
