#include "platform/durable_files.h"

#include "platform/win32/wide.h"

namespace orbel::platform {
namespace {

bool FlushFile(const std::wstring& name) {
    // Flushing needs write access; sharing everything, so that a file the
    // program (or another) still holds open can be flushed as well.
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return ok;
}

// The system cannot flush a directory as a whole: every file below it is
// flushed; the directories' own records are kept by the file system's log.
bool FlushTree(const std::wstring& dir) {
    WIN32_FIND_DATAW entry{};
    const HANDLE find = FindFirstFileExW((dir + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool ok = true;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = dir + L"\\" + name;
        // A reparse point (a link) is not followed: it is not part of the tree.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = FlushTree(path) && ok;
        } else if (!FlushFile(path)) {
            // A file another program holds (the running executable among
            // them) or a read-only one was not written by us: nothing of
            // ours to flush there.
            const DWORD code = GetLastError();
            ok = ok && (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED);
        }
    } while (FindNextFileW(find, &entry));
    const bool listed = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return ok && listed;
}

}  // namespace

bool SyncPath(const std::string& path) {
    if (path.empty()) return false;
    std::wstring name = win32::Wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FlushFile(name);
    while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/')) name.pop_back();
    return FlushTree(name);
}

bool ReplaceFileDurably(const std::string& from, const std::string& to) {
    // The data first, then the rename, through to the disk before the call
    // returns and over an existing file.
    if (!FlushFile(win32::Wide(from))) return false;
    return MoveFileExW(win32::Wide(from).c_str(), win32::Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DurableFileCalls::SyncPath(const std::string& path) { return platform::SyncPath(path); }

bool DurableFileCalls::RenameOver(const std::string& from, const std::string& to) {
    return ReplaceFileDurably(from, to);
}

}  // namespace orbel::platform
