#pragma once
// Reader of shell link (".lnk") files, so a shortcut dropped from a Windows
// share or a Wine prefix becomes an item for the file it points at.
//
// The target is the first of these that names a path:
//  1. LinkInfo's local path (base path and common suffix), unless the link
//     asks for its LinkInfo to be ignored;
//  2. LinkInfo's network path: the share ("\\server\share") and the common
//     suffix, joined with a backslash;
//  3. the item id list, when it is "Computer", a named drive ("C:\") and
//     then folder and file items: long names where the items carry them;
//  4. the relative path stored in the link.
// Windows paths come back as stored, with backslashes. A link whose id list
// names something without a file-system path (a control-panel item, a
// device such as a phone, another virtual folder) and that has no other
// target is refused with kShellLinkNoFileSystemPath.

#include <cstdint>
#include <string>
#include <string_view>

namespace orbel {

struct ShellLinkDescription {
    std::string arguments;
    int showCommand = 0;  // 1 normal, 3 maximised, 7 minimised without focus
    std::string workingDirectory;
    std::string idList;  // the target's item id list, raw, terminator included
    std::string target;  // full path of the target
    std::string description;
    std::string iconLocation;
    int iconIndex = 0;
    std::uint16_t hotKey = 0;  // low byte virtual key, high byte modifiers
    std::string relativePath;  // the link's path to the target relative to itself
};

inline constexpr int kShellLinkOk = 0;
inline constexpr int kShellLinkUnreadable = -1;        // missing, not a regular file or unreadable
inline constexpr int kShellLinkNotALink = -2;          // header size or class id do not match
inline constexpr int kShellLinkMalformed = -3;         // truncated or inconsistent structure
inline constexpr int kShellLinkNoTarget = -4;          // well formed but names no path
inline constexpr int kShellLinkNoFileSystemPath = -5;  // points at something that is no file or directory

// Reads the link file with the installed system calls (see system_calls.h):
// the system's own link reader where it has one, else ReadShellLinkFile.
int ResolveShellLink(const std::string& linkFile, ShellLinkDescription& out);

// The portable reader. On success fills out and returns kShellLinkOk; a
// target known only relative to the link is made absolute against the
// link's folder. On failure returns a negative code and leaves out untouched.
int ReadShellLinkFile(const std::string& linkFile, ShellLinkDescription& out);

// The same for the bytes of a link; a relative-only target stays relative.
// Strings come back as UTF-8: UTF-16 ones converted, 8-bit ones kept when
// they are valid UTF-8 and read as Windows-1252 otherwise.
int ParseShellLink(std::string_view bytes, ShellLinkDescription& out);

// Why a link was refused, as a sentence without a full stop, for the user;
// "" for kShellLinkOk.
const char* ShellLinkErrorText(int result);

}  // namespace orbel
