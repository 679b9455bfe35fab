#pragma once
// What a file's extension says it is, for everything that decides by it:
// the item type line, the drop, the opener, the search and the icons.

#include <string_view>

namespace orbel {

inline constexpr std::string_view kProgramExtension = ".exe";
inline constexpr std::string_view kShellLinkExtension = ".lnk";
inline constexpr std::string_view kDesktopEntryExtension = ".desktop";
inline constexpr std::string_view kBatchExtension = ".bat";

enum class ExtensionKind { Other, Program, ShellLink, DesktopEntry, Batch };

// By an extension with its dot, as SplitPath gives it; ASCII letter case
// does not count.
ExtensionKind KindOfExtension(std::string_view extension);
// By how path ends, letter case as above. Unlike SplitPath's extension, a
// trailing separator is part of the end: "x.exe/" ends in no extension.
ExtensionKind KindOfPathEnd(std::string_view path);

// The extension of a kind without its dot ("exe"), as the extension list
// and the system's type icons name it; "" for Other.
std::string_view ExtensionName(ExtensionKind kind);

}  // namespace orbel
