// A Windows program that writes the parameters it was started with, one a
// line in UTF-8, to args.txt beside itself: what a tray menu item passed.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return 1;
    std::string text;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, args[i], -1, nullptr, 0, nullptr, nullptr);
        std::string line(size > 0 ? size - 1 : 0, '\0');
        if (size > 1) WideCharToMultiByte(CP_UTF8, 0, args[i], -1, line.data(), size, nullptr, nullptr);
        text += line + '\n';
    }
    LocalFree(args);
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    std::wstring file(path, length);
    file.resize(file.find_last_of(L'\\') + 1);
    // Written whole under another name first: the test waits for the file.
    const std::wstring part = file + L"args.part", done = file + L"args.txt";
    HANDLE out = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(out);
    if (!ok || !MoveFileExW(part.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
    return 0;
}
