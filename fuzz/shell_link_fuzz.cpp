// Dropped files reach these readers unchecked: a shell link and a launcher
// must fail cleanly, whatever their bytes.
#include "core/links/desktop_entry.h"
#include "core/links/shortcut_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    orbel::ShellLinkDescription link;
    const int result = orbel::ParseShellLink(bytes, link);
    if (result == orbel::kShellLinkOk && link.target.empty()) std::abort();
    if (result != orbel::kShellLinkOk && !link.target.empty()) std::abort();

    if (const auto entry = orbel::ParseDesktopEntry(bytes)) {
        if (entry->program.empty()) std::abort();
        // The arguments handed on come back as the words they were made from.
        if (orbel::SplitCommandWords(entry->arguments) != entry->words) std::abort();
    }
    // The find reads the names of every launcher kept as an item.
    if (const auto texts = orbel::ParseDesktopEntryTexts(bytes, "de_DE.UTF-8@euro"))
        for (const std::string& k : texts->keywords)
            if (k.empty()) std::abort();
    return 0;
}
