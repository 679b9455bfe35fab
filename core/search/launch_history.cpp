#include "core/search/launch_history.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "core/program/profile_file.h"
#include "core/store/file_names.h"

namespace orbel {

namespace {

constexpr std::string_view kHeader = "Tandrel Orbel launches 1";
// A history is a few hundred lines; a larger file is not one of ours.
constexpr std::uintmax_t kMaxFileSize = 16u << 20;

void Escape(std::string_view s, std::string& out) {
    for (const char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
}

bool Unescape(std::string_view s, std::string& out) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: return false;
        }
    }
    return true;
}

template <class T> bool Number(std::string_view& line, T& value) {
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc() || end == line.data() || end == line.data() + line.size() || *end != ' ') return false;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
    return true;
}

}  // namespace

std::string LaunchHistory::Key(std::string_view path, std::string_view parameters) {
    std::string key;
    key.reserve(path.size() + parameters.size() + 1);
    key.append(path);
    key += '\t';
    key.append(parameters);
    return key;
}

void LaunchHistory::recordLaunch(std::string_view path, std::string_view parameters, std::int64_t now) {
    LaunchRecord& r = records_[Key(path, parameters)];
    if (r.count < UINT32_MAX) ++r.count;
    r.last = std::max(r.last, now);
    if (records_.size() <= kMaxRecords) return;
    auto oldest = records_.begin();
    for (auto it = records_.begin(); it != records_.end(); ++it)
        if (it->second.last < oldest->second.last) oldest = it;
    records_.erase(oldest);
}

const LaunchRecord* LaunchHistory::find(const std::string& key) const {
    const auto it = records_.find(key);
    return it == records_.end() ? nullptr : &it->second;
}

std::uint16_t LaunchHistory::Weight(const LaunchRecord& r, std::int64_t now) {
    if (r.count == 0) return 0;
    // Buckets by the age of the last launch, as browsers weigh their history.
    constexpr std::int64_t kDay = 24 * 60 * 60;
    const std::int64_t age = now - r.last;
    const std::uint64_t bonus = age <= 4 * kDay    ? 100
                                : age <= 14 * kDay ? 70
                                : age <= 31 * kDay ? 50
                                : age <= 90 * kDay ? 30
                                                   : 10;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(std::uint64_t{r.count} * bonus, 65535));
}

std::string LaunchHistory::text() const {
    // Sorted, so the same history always gives the same file.
    std::vector<const std::pair<const std::string, LaunchRecord>*> sorted;
    sorted.reserve(records_.size());
    for (const auto& r : records_) sorted.push_back(&r);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) { return a->first < b->first; });
    std::string out(kHeader);
    out += '\n';
    for (const auto* r : sorted) {
        const std::size_t tab = r->first.find('\t');
        out += std::to_string(r->second.count);
        out += ' ';
        out += std::to_string(r->second.last);
        out += ' ';
        Escape(std::string_view(r->first).substr(0, tab), out);
        out += '\t';
        Escape(std::string_view(r->first).substr(tab + 1), out);
        out += '\n';
    }
    return out;
}

bool LaunchHistory::parse(std::string_view text) {
    records_.clear();
    std::unordered_map<std::string, LaunchRecord> read;
    bool first = true;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        if (eol == std::string_view::npos) return false;  // cut short
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {
            if (line != kHeader) return false;
            first = false;
            continue;
        }
        LaunchRecord r;
        const std::size_t tab = line.find('\t');
        if (!Number(line, r.count) || !Number(line, r.last) || r.count == 0 || tab == std::string_view::npos)
            return false;
        std::string path, parameters;
        const std::size_t split = line.find('\t');
        if (!Unescape(line.substr(0, split), path) || !Unescape(line.substr(split + 1), parameters)) return false;
        read[Key(path, parameters)] = r;
    }
    if (first) return false;
    records_ = std::move(read);
    return true;
}

HistoryLoad LaunchHistory::load(const std::string& file) {
    records_.clear();
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(FsPath(file), ec)) return HistoryLoad::Missing;
    const std::uintmax_t size = fs::file_size(FsPath(file), ec);
    if (ec || size > kMaxFileSize) return HistoryLoad::Damaged;
    std::ifstream in(FsPath(file), std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (!in || static_cast<std::uintmax_t>(in.gcount()) != size) return HistoryLoad::Damaged;
    return parse(text) ? HistoryLoad::Loaded : HistoryLoad::Damaged;
}

bool LaunchHistory::save(const std::string& file) const {
    namespace fs = std::filesystem;
    std::random_device rd;
    const std::string temp = file + ".new-" + std::to_string(rd() % 1000000u);
    const std::string content = text();
    {
        std::ofstream out(FsPath(temp), std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(FsPath(temp), ignored);
            return false;
        }
    }
    if (ReplaceFile(temp, file)) return true;
    std::error_code ignored;
    fs::remove(FsPath(temp), ignored);
    return false;
}

}  // namespace orbel
