// Dropped files reach these readers unchecked: a shell link and a launcher
// must fail cleanly, whatever their bytes.
#include "core/store/desktop_entry.h"
#include "core/store/shell_links.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// QProcess::splitCommand's reading, to check that the arguments we hand on
// come back as the words they were made from.
std::vector<std::string> SplitLikeQProcess(const std::string& command)
{
    std::vector<std::string> args;
    std::string word;
    int quotes = 0;
    bool inQuote = false;
    for (const char c : command) {
        if (c == '"') {
            if (++quotes == 3) {
                quotes = 0;
                word += c;
            }
            continue;
        }
        if (quotes == 1)
            inQuote = !inQuote;
        quotes = 0;
        if (!inQuote && (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')) {
            if (!word.empty())
                args.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        args.push_back(word);
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    orbel::ShellLinkDescription link;
    const int result = orbel::ParseShellLink(bytes, link);
    if (result == orbel::kShellLinkOk && link.target.empty())
        std::abort();
    if (result != orbel::kShellLinkOk && !link.target.empty())
        std::abort();

    if (const auto entry = orbel::ParseDesktopEntry(bytes)) {
        if (entry->program.empty())
            std::abort();
        std::vector<std::string> nonEmpty;
        for (const std::string& w : entry->words) {
            if (!w.empty())
                nonEmpty.push_back(w);
        }
        if (SplitLikeQProcess(entry->arguments) != nonEmpty)
            std::abort();
    }
    return 0;
}
