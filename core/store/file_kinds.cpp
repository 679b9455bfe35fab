#include "core/store/file_kinds.h"

#include "core/store/ascii_case.h"

namespace orbel {

namespace {

struct KnownExtension {
    ExtensionKind kind;
    std::string_view extension;
};
// None is the end of another, so the order does not matter.
constexpr KnownExtension kKnown[] = {
    {ExtensionKind::Program, kProgramExtension},
    {ExtensionKind::ShellLink, kShellLinkExtension},
    {ExtensionKind::DesktopEntry, kDesktopEntryExtension},
    {ExtensionKind::Batch, kBatchExtension},
};

}  // namespace

ExtensionKind KindOfExtension(std::string_view extension) {
    for (const KnownExtension& k : kKnown)
        if (EqualsNoCase(extension, k.extension)) return k.kind;
    return ExtensionKind::Other;
}

ExtensionKind KindOfPathEnd(std::string_view path) {
    for (const KnownExtension& k : kKnown)
        if (path.size() >= k.extension.size() &&
            EqualsNoCase(path.substr(path.size() - k.extension.size()), k.extension))
            return k.kind;
    return ExtensionKind::Other;
}

std::string_view ExtensionName(ExtensionKind kind) {
    for (const KnownExtension& k : kKnown)
        if (k.kind == kind) return k.extension.substr(1);
    return {};
}

}  // namespace orbel
