#include "core/store/folder_names.h"

#include "core/store/ascii_case.h"
#include "core/store/path_parts.h"
#include "core/store/store_format.h"

namespace orbel {

FolderNameFault FindFolderNameFault(std::string_view name) {
    if (name.empty()) return FolderNameFault::Empty;
    if (name == "." || name == ".." || name == kIndexFileName) return FolderNameFault::Reserved;
    if (name.size() > kMaxFileNameBytes) return FolderNameFault::TooLong;
    if (LastPathSeparator(name) != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return FolderNameFault::Separator;
    return FolderNameFault::None;
}

std::string FolderNameKey(std::string_view name, LetterCase letters) {
    return letters == LetterCase::Ignored ? AsciiLowered(name) : std::string(name);
}

}  // namespace orbel
