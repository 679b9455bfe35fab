#pragma once
// What the store can hold as a folder's name: the name of the folder's
// directory beside its level's index file. The item manager refuses names
// by these rules before it makes or renames a folder; the writer checks
// them again before it touches the disk, for trees that came another way.

#include <cstddef>
#include <string>
#include <string_view>

namespace orbel {

// The longest name of one directory entry on the file systems the store
// lives on: a folder's directory, a program's icon bitmap.
inline constexpr std::size_t kMaxFileNameBytes = 255;

enum class FolderNameFault {
    None,
    Empty,
    Reserved,   // ".", ".." or the index file's name (letter case counts)
    TooLong,    // more than kMaxFileNameBytes
    Separator,  // a path separator of this system, or NUL
};
// The first fault of name in that order; None when the store can hold it.
FolderNameFault FindFolderNameFault(std::string_view name);

// The key under which two folder names of one level clash. The item manager
// keeps names apart whatever their ASCII letter case (Ignored), as a store
// on Windows needs; the writer refuses only the names one directory can
// never hold twice (Kept), so that a store holding "A" and "a" saves as it
// was loaded.
enum class LetterCase { Kept, Ignored };
std::string FolderNameKey(std::string_view name, LetterCase letters);

}  // namespace orbel
