#include "platform/single_instance.h"

#include "platform/win32/wide.h"

#include <sddl.h>

#include <vector>

namespace orbel::platform {

// A named mapping of 4 bytes backed by the paging file: its existence marks
// the running instance, and the system drops it with the last handle, so a
// killed holder frees it. Handles are not inherited by started programs.
struct SingleInstanceLock::Handle {
    HANDLE mapping = nullptr;
    void* view = nullptr;
};

SingleInstanceLock::SingleInstanceLock(std::string name) : name_(std::move(name)) {}

SingleInstanceLock::~SingleInstanceLock() { release(); }

bool SingleInstanceLock::held() const { return handle_ != nullptr; }

std::string SingleInstanceLock::lockPath() const { return name_; }

std::string SingleInstanceLock::channelName() const {
    // Pipe names are one namespace for every session of the machine: the
    // user's security id and the session number make this one its own.
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    std::string sid;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        wchar_t* text = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
            sid = win32::Utf8(text);
            LocalFree(text);
        }
    }
    CloseHandle(token);
    DWORD session = 0;
    if (sid.empty() || !ProcessIdToSessionId(GetCurrentProcessId(), &session)) return {};
    return name_ + '-' + sid + '-' + std::to_string(session);
}

SingleInstanceLock::Result SingleInstanceLock::acquire() {
    if (held()) return Result::Acquired;
    error_.clear();
    // Without a name the mapping would be anonymous and never seen by others.
    if (name_.empty() || name_.find('\\') != std::string::npos) {
        error_ = "Invalid lock name \"" + name_ + "\"";
        return Result::Failed;
    }
    SetLastError(ERROR_SUCCESS);
    const HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                              win32::Wide(name_).c_str());
    const DWORD code = GetLastError();
    if (!mapping) {
        error_ = "Cannot create " + name_ + ": " + win32::ErrorText(code);
        return Result::Failed;
    }
    if (code == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        return Result::HeldElsewhere;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 4);
    if (!view) {
        error_ = "Cannot map " + name_ + ": " + win32::ErrorText(GetLastError());
        CloseHandle(mapping);
        return Result::Failed;
    }
    // The process id is only a hint for whoever looks at the block.
    *static_cast<volatile DWORD*>(view) = GetCurrentProcessId();
    handle_ = std::make_unique<Handle>();
    handle_->mapping = mapping;
    handle_->view = view;
    return Result::Acquired;
}

void SingleInstanceLock::release() {
    if (!handle_) return;
    UnmapViewOfFile(handle_->view);
    CloseHandle(handle_->mapping);
    handle_.reset();
}

}  // namespace orbel::platform
