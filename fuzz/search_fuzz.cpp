// Captions come from the store and queries from the keyboard, any bytes:
// the find must neither fail nor lose a match while a query is typed. The
// input's first line is the query, the lines after it are captions.
#include "core/search/fold.h"
#include "core/search/search_index.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> Rows(orbel::Finder& finder, std::string_view query) {
    std::vector<std::string> out;
    for (const orbel::SearchRow& r : finder.find(query, 8)) out.push_back(std::to_string(r.itemNumber));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t eol = bytes.find('\n');
    const std::string_view query = bytes.substr(0, eol);
    orbel::SearchIndex index;
    int folder = -1;
    for (std::size_t at = eol == std::string_view::npos ? bytes.size() : eol + 1, n = 0; at < bytes.size(); ++n) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view caption = bytes.substr(at, end - at);
        if (n % 5 == 4) folder = index.addFolder(folder, caption);
        index.add(folder, static_cast<int>(n), caption, caption, {}, nullptr);
        at = end + 1;
    }
    std::string folded;
    std::vector<std::uint8_t> starts;
    orbel::AppendFolded(bytes, folded, &starts);
    if (starts.size() != folded.size()) std::abort();

    // Typed character by character, each step gives what a fresh finder gives.
    orbel::Finder typing(index);
    for (std::size_t n = 1; n <= query.size() && n <= 24; ++n) {
        if (n < query.size() && !orbel::IsCharStart(query[n])) continue;
        orbel::Finder fresh(index);
        if (Rows(typing, query.substr(0, n)) != Rows(fresh, query.substr(0, n))) std::abort();
        if (typing.matchCount() != fresh.matchCount()) std::abort();
    }
    return 0;
}
