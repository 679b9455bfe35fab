#pragma once
// What the user launched from the menu, how often and when last: the find
// puts what is launched more and more recently first among equal matches.
// Kept in a small file of the program's own (FilePlaces::launchHistoryFile),
// never in the store, and keyed by the item's path and parameters, which a
// reload of the store keeps, unlike its item number.
//
// The file: a first line "Tandrel Orbel launches 1", then one line per item,
// "<count> <last launch, seconds since 1970> <path>\t<parameters>", with
// backslash, tab, CR and LF in path and parameters written \\ \t \r \n.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orbel {

struct LaunchRecord {
    std::uint32_t count = 0;
    std::int64_t last = 0;  // seconds since 1970
};

enum class HistoryLoad { Loaded, Missing, Damaged };

class LaunchHistory {
public:
    // Records beyond this many lose the ones launched longest ago.
    static constexpr std::size_t kMaxRecords = 5000;

    static std::string Key(std::string_view path, std::string_view parameters);

    void recordLaunch(std::string_view path, std::string_view parameters, std::int64_t now);
    const LaunchRecord* find(const std::string& key) const;
    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    void clear() { records_.clear(); }

    // How much a record weighs at now: the count, worth more the more
    // recent the last launch (0 for none); at most 65535.
    static std::uint16_t Weight(const LaunchRecord& r, std::int64_t now);

    // Replaces the records with the file's. A missing or damaged file leaves
    // none: the next save writes it anew.
    HistoryLoad load(const std::string& file);
    // Writes beside the file under a temporary name, then renames it over
    // the file; false (the old file untouched) when that fails.
    bool save(const std::string& file) const;

    std::string text() const;
    // false (and no records) for a text that is not a history.
    bool parse(std::string_view text);

private:
    std::unordered_map<std::string, LaunchRecord> records_;
};

}  // namespace orbel
