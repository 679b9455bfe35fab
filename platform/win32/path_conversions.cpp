#include "platform/path_conversions.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/wide.h"

namespace orbel::platform {
namespace {

// Long enough for any path and for the link's longest texts: a text cut
// short would turn into another target or other parameters.
constexpr int kPathChars = 32768;
constexpr int kTextChars = INFOTIPSIZE;

template <typename T> struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

}  // namespace

int ReadShellLink(const std::string& linkFile, ShellLinkDescription& out) {
    const win32::ComScope com;
    Released<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link.p));
    if (FAILED(hr)) return hr;
    Released<IPersistFile> file;
    hr = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
    if (FAILED(hr)) return hr;
    hr = file.p->Load(win32::Wide(linkFile).c_str(), STGM_READ);
    if (FAILED(hr)) return hr;
    // Any match, and never a window: the shell must not ask the user to
    // search for a moved target in the middle of a drop.
    hr = link.p->Resolve(nullptr, SLR_ANY_MATCH | SLR_NO_UI);
    if (FAILED(hr)) return hr;

    ShellLinkDescription d;
    std::vector<wchar_t> buffer(kPathChars);
    const auto text = [&](HRESULT result) { return SUCCEEDED(result) ? win32::Utf8(buffer.data()) : std::string(); };
    buffer[0] = L'\0';
    d.target = text(link.p->GetPath(buffer.data(), kPathChars, nullptr, SLGP_SHORTPATH));
    buffer[0] = L'\0';
    d.arguments = text(link.p->GetArguments(buffer.data(), kTextChars));
    int show = 0;
    if (SUCCEEDED(link.p->GetShowCmd(&show))) d.showCommand = show;
    buffer[0] = L'\0';
    d.workingDirectory = text(link.p->GetWorkingDirectory(buffer.data(), kPathChars));
    buffer[0] = L'\0';
    d.description = text(link.p->GetDescription(buffer.data(), kTextChars));
    buffer[0] = L'\0';
    int iconIndex = 0;
    d.iconLocation = text(link.p->GetIconLocation(buffer.data(), kPathChars, &iconIndex));
    d.iconIndex = iconIndex;
    WORD hotKey = 0;
    if (SUCCEEDED(link.p->GetHotkey(&hotKey))) d.hotKey = hotKey;
    PIDLIST_ABSOLUTE list = nullptr;
    if (SUCCEEDED(link.p->GetIDList(&list)) && list) {
        d.idList.assign(reinterpret_cast<const char*>(list), ILGetSize(list));
        CoTaskMemFree(list);
    }
    out = std::move(d);
    return S_OK;
}

std::string ShortPathName(const std::string& path) {
    if (path.empty()) return {};
    const std::wstring name = win32::Wide(path);
    const DWORD needed = GetShortPathNameW(name.c_str(), nullptr, 0);
    if (needed == 0) return {};  // the path does not exist
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD n = GetShortPathNameW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return {};
    return win32::Utf8(buffer.data(), static_cast<int>(n));
}

std::string PathFromShellDisplayName(const std::string& name) {
    // An empty name parses as the desktop itself, which is no answer here.
    if (name.empty()) return name;
    const win32::ComScope com;
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHParseDisplayName(win32::Wide(name).c_str(), nullptr, &list, 0, nullptr)) || !list) return name;
    std::vector<wchar_t> buffer(kPathChars);
    const bool ok = SHGetPathFromIDListEx(list, buffer.data(), kPathChars, GPFIDL_DEFAULT) != FALSE;
    CoTaskMemFree(list);
    return ok ? win32::Utf8(buffer.data()) : name;
}

}  // namespace orbel::platform
