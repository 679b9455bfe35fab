#pragma once
// Reader of freedesktop ".desktop" launchers, so a dropped launcher becomes
// an item for the program it starts, and an item kept as a launcher is found
// by the names the launcher gives it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbel {

struct DesktopEntryLink {
    std::string program;
    std::vector<std::string> words;  // the arguments, unquoted, field codes removed
    std::string arguments;           // words joined by JoinCommandWords
    // The entry asks for more than program and words: a terminal, a working
    // directory, D-Bus activation, or the icon, name or location of the
    // entry itself (%i %c %k). Only the desktop's launcher starts it right.
    bool needsLauncher = false;
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

// Parameter text to argument words: blanks separate words, double quotes
// group, three quotes in a row stand for one literal quote (the reading of
// QProcess::splitCommand), and a pair of quotes with nothing between them
// is an empty word, as the Windows command line reads it.
std::vector<std::string> SplitCommandWords(std::string_view text);

// Words to one string that SplitCommandWords splits back into the same
// words: empty words and words with blanks or quotes go in double quotes, a
// quote inside as three quotes.
std::string JoinCommandWords(const std::vector<std::string>& words);

// Reads the file; nothing when it cannot be read or ParseDesktopEntry finds
// no program.
std::optional<DesktopEntryLink> ReadDesktopEntryFile(const std::string& file);

// What a launcher is shown and found by: Name, GenericName and Keywords of
// the [Desktop Entry] group, each in the translation that fits locale best
// (a POSIX locale name such as "de_DE.UTF-8@euro"; empty: untranslated).
// Any type of entry. Missing keys are empty; nothing without that group.
struct DesktopEntryTexts {
    std::string name;
    std::string genericName;
    std::vector<std::string> keywords;
};
std::optional<DesktopEntryTexts> ParseDesktopEntryTexts(std::string_view text, std::string_view locale);
std::optional<DesktopEntryTexts> ReadDesktopEntryTexts(const std::string& file, std::string_view locale);

// The user's locale for messages, as the environment names it (LC_ALL,
// LC_MESSAGES, LANG: the first that is set); empty for C and POSIX.
std::string MessagesLocale();

}  // namespace orbel
