#pragma once
// Reader of freedesktop ".desktop" launchers, so a dropped launcher becomes
// an item for the program it starts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbel {

struct DesktopEntryLink {
    std::string program;
    std::vector<std::string> words;  // the arguments, unquoted, field codes removed
    std::string arguments;           // words joined by JoinCommandWords
};

// The program the [Desktop Entry] group's Exec key starts. Nothing for
// entries of another type than Application (links, directories), without
// Exec, or with an Exec line that cannot be split.
std::optional<DesktopEntryLink> ParseDesktopEntry(std::string_view text);

// Exec value (string escapes already undone) to words: double quotes with
// backslash escapes as the format defines, plus the single quotes and bare
// backslashes that hand-written launchers use. Field codes are removed (%%
// gives %); a word that was nothing but field codes disappears. Nothing for
// an unterminated quote.
std::optional<std::vector<std::string>> SplitExecValue(std::string_view exec);

// Words to one string that QProcess::splitCommand splits back into the same
// words: words with spaces, quotes or non-ASCII bytes go in double quotes,
// a quote inside as three quotes. Empty words cannot be expressed there and
// are left out.
std::string JoinCommandWords(const std::vector<std::string>& words);

// Reads the file; false when it cannot be read or ParseDesktopEntry finds
// no program.
bool ReadDesktopEntryLink(const std::string& file, std::string& program, std::string& arguments);

}  // namespace orbel
