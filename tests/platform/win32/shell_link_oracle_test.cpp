// The portable link reader against the shell's own link object, on every
// link the reader's tests build and on links Windows made.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "core/store/file_names.h"
#include "core/links/shortcut_file.h"
#include "platform/path_conversions.h"
#include "tests/core/store/shell_link_builder.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel {
namespace {

template <typename T> struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

// The link as the shell's link object loads it, nothing resolved: what the
// file holds, read by the system.
int LoadWithTheShell(const std::string& file, ShellLinkDescription& out) {
    Released<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link.p));
    Released<IPersistFile> persist;
    if (SUCCEEDED(hr)) hr = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p));
    if (SUCCEEDED(hr)) hr = persist.p->Load(platform::testing::Wide(file).c_str(), STGM_READ);
    if (FAILED(hr)) return hr;
    std::vector<wchar_t> buffer(32768);
    const auto text = [&] { return platform::testing::Utf8(buffer.data()); };
    buffer[0] = 0;
    link.p->GetPath(buffer.data(), 32768, nullptr, SLGP_RAWPATH);
    out.target = text();
    buffer[0] = 0;
    link.p->GetArguments(buffer.data(), 32768);
    out.arguments = text();
    buffer[0] = 0;
    link.p->GetWorkingDirectory(buffer.data(), 32768);
    out.workingDirectory = text();
    buffer[0] = 0;
    link.p->GetDescription(buffer.data(), 32768);
    out.description = text();
    buffer[0] = 0;
    link.p->GetIconLocation(buffer.data(), 32768, &out.iconIndex);
    out.iconLocation = text();
    link.p->GetShowCmd(&out.showCommand);
    link.p->GetHotkey(&out.hotKey);
    PIDLIST_ABSOLUTE list = nullptr;
    if (SUCCEEDED(link.p->GetIDList(&list)) && list) {
        out.idList.assign(reinterpret_cast<const char*>(list), ILGetSize(list));
        CoTaskMemFree(list);
    }
    return S_OK;
}

struct Tally {
    int links = 0, bothRead = 0, bothRefused = 0, fieldsAlike = 0;
    int wineTarget = 0, wineShow = 0, wineIdList = 0;
};

bool IsAbsolute(const std::string& path) {
    return (path.size() > 2 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Where Wine's link object is known to read less than Windows does: it
// ignores the common path suffix after a local base path and network
// locations, leaves a relative path as it stands instead of anchoring it at
// the link, and gives no path for a target that only the id list holds.
// What it gives must then still be part of our target: empty, a leading
// part of it, or the relative path it ends in.
bool WineFallsShortOfTheTarget(const std::string& shell, const std::string& ours) {
    if (shell.empty()) return true;
    if (IsAbsolute(shell)) return ours.rfind(shell, 0) == 0;
    std::string rest = shell;
    while (rest.rfind("..\\", 0) == 0 || rest.rfind(".\\", 0) == 0) rest.erase(0, rest.find('\\') + 1);
    return EndsWith(ours, "\\" + rest);
}

void Compare(const std::string& what, const std::string& file, Tally& tally) {
    SCOPED_TRACE(what);
    ++tally.links;
    ShellLinkDescription portable, shell;
    const int ours = ReadShellLinkFile(file, portable);
    const int system = LoadWithTheShell(file, shell);
    if (ours != kShellLinkOk) {
        // Wine makes the link's own folder of an empty relative path.
        const std::string folder = file.substr(0, file.rfind('\\') + 1);
        EXPECT_TRUE(system < 0 || shell.target.empty() || shell.target == folder) << "the shell reads " << shell.target;
        ++tally.bothRefused;
        return;
    }
    ASSERT_EQ(system, S_OK);
    ++tally.bothRead;
    // What the file holds as it stands: the system must read the same.
    EXPECT_EQ(shell.arguments, portable.arguments);
    EXPECT_EQ(shell.workingDirectory, portable.workingDirectory);
    EXPECT_EQ(shell.description, portable.description);
    EXPECT_EQ(shell.iconLocation, portable.iconLocation);
    EXPECT_EQ(shell.iconIndex, portable.iconIndex);
    EXPECT_EQ(shell.hotKey, portable.hotKey);
    tally.fieldsAlike += 6;
    // Links where Wine takes the target from another part of the file than
    // Windows does; the file format's published description says which part
    // counts.
    static const std::map<std::string, const char*> otherSource = {
        {"full unicode link", "the 8-bit base path instead of the UTF-16 one"},
        {"link info ignored", "the link info although a flag says to ignore it"},
        {"network only", "a local base path the flags say is absent"},
        {"share and suffix", "the relative path: Wine reads no network share"},
        {"names without extension blocks", "the relative path: Wine cannot parse these id list items"},
        // Our one departure: 8-bit text that is valid UTF-8 stays UTF-8
        // (links from this desktop); Windows reads it in its code page.
        {"utf-8 kept, stops at NUL", "the 8-bit relative path in the code page"},
    };
    if (shell.target == portable.target) {
        ++tally.fieldsAlike;
    } else if (otherSource.count(what)) {
        ++tally.wineTarget;
    } else {
        EXPECT_TRUE(WineFallsShortOfTheTarget(shell.target, portable.target))
            << "the shell reads " << shell.target << ", we read " << portable.target;
        ++tally.wineTarget;
    }
    // Wine keeps only the normal show command, and drops an id list whose
    // items it cannot parse.
    if (shell.showCommand == portable.showCommand) {
        ++tally.fieldsAlike;
    } else {
        EXPECT_EQ(shell.showCommand, SW_SHOWNORMAL);
        ++tally.wineShow;
    }
    if (shell.idList == portable.idList) {
        ++tally.fieldsAlike;
    } else {
        EXPECT_EQ(shell.idList, "");
        ++tally.wineIdList;
    }
}

TEST(ShellLinkOracle, PortableReaderAgreesWithTheShellsLinkObject) {
    const platform::win32::ComScope com;
    test::TempDir dir;
    Tally tally;
    int n = 0;
    const auto compareBytes = [&](const std::string& what, const std::string& bytes) {
        const std::string name = "links/" + std::to_string(n++) + ".lnk";
        dir.write(name, bytes);
        Compare(what, dir / name, tally);
    };
    compareBytes("full 8-bit link", test::FullLink(false).Build());
    compareBytes("full unicode link", test::FullLink(true).Build());
    for (const auto& cases : {test::TargetSourceCases(), test::ShareAndIdListCases()}) {
        for (const test::LinkCase& c : cases) compareBytes(c.what, c.link.Build());
    }
    // A target known only relative to the link, which exists.
    dir.write("bin/tool.exe", "MZ");
    compareBytes("relative to the link", test::MakeLink(std::nullopt, std::nullopt, "..\\bin\\tool.exe").Build());
    compareBytes("not a link", "[InternetShortcut]\r\nURL=x\r\n");

    for (const auto& entry : std::filesystem::directory_iterator(FsPath(ORBEL_TEST_DATA_DIR "/lnk"))) {
        if (entry.path().extension() == ".lnk")
            Compare(Utf8Name(entry.path().filename()), Utf8Name(entry.path()), tally);
    }
    std::cout << "shell link oracle: " << tally.links << " links, " << tally.bothRefused << " refused by both; of the "
              << tally.bothRead << " read by both, " << tally.fieldsAlike
              << " fields alike, Wine reading less: " << tally.wineTarget << " targets, " << tally.wineShow
              << " show commands, " << tally.wineIdList << " id lists\n";
}

}  // namespace
}  // namespace orbel
