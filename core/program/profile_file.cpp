#include "core/program/profile_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "core/store/ascii_case.h"
#include "core/store/file_names.h"
#include "core/system/system_calls.h"

namespace orbel {

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The section name of a header line, or false when the line is none.
bool HeaderName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] != '[') return false;
    const std::size_t close = t.find(']');
    name = Trim(t.substr(1, close == npos ? npos : close - 1));
    return true;
}

// Key and raw value of a key line; comments and lines without "=" are none.
bool KeyLine(const std::string& line, std::string& key, std::string* value = nullptr) {
    const std::size_t eq = line.find('=');
    if (eq == npos) return false;
    const std::string k = Trim(line.substr(0, eq));
    if (!k.empty() && k[0] == ';') return false;
    key = k;
    if (value) *value = line.substr(eq + 1);
    return true;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of(std::string("\r\n\0", 3)) != npos; }

[[noreturn]] void CannotWrite(const std::string& path, const std::string& why) {
    throw ProfileError("Unable to write to " + path + ": " + why);
}

// The system's reason for the file operation that just failed.
std::string LastReason() { return errno ? std::strerror(errno) : "the system gave no reason"; }

}  // namespace

bool ReplaceFile(const std::string& from, const std::string& to) { return System().RenameOver(from, to); }

ProfileFile ProfileFile::FromText(const std::string& text) {
    ProfileFile f;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        f.lines_.push_back(std::move(line));
        start = end + 1;
    }
    return f;
}

ProfileFile ProfileFile::Load(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(FsPath(path), ec);
    if (status.type() == std::filesystem::file_type::not_found) return {};
    std::ifstream in(FsPath(path), std::ios::binary);
    if (ec || !std::filesystem::is_regular_file(status) || !in) {
        ProfileFile f;
        f.readOnly_ = true;
        return f;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        ProfileFile f;
        f.readOnly_ = true;
        return f;
    }
    return FromText(text.str());
}

std::size_t ProfileFile::FindSection(const std::string& section) const {
    std::string name;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (HeaderName(lines_[i], name) && EqualsNoCase(name, section)) return i;
    return npos;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
    std::string name;
    std::size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i], name)) ++i;
    return i;
}

std::size_t ProfileFile::FindKey(std::size_t header, const std::string& key) const {
    std::string k;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (KeyLine(lines_[i], k) && EqualsNoCase(k, key)) return i;
    return npos;
}

bool ProfileFile::HasKey(const std::string& section, const std::string& key) const {
    const std::size_t h = FindSection(section);
    return h != npos && FindKey(h, key) != npos;
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    const std::size_t h = FindSection(section);
    const std::size_t at = h == npos ? npos : FindKey(h, key);
    std::string value;
    if (at == npos) {
        value = def;
        while (!value.empty() && IsBlank(value.back())) value.pop_back();
    } else {
        std::string k;
        KeyLine(lines_[at], k, &value);
        value = Trim(value);
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kMaxValue) value.resize(kMaxValue);
    return value;
}

void ProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    // Anything that would read back as another line, section or key is refused
    // rather than written: one bad value must not corrupt its neighbours.
    const std::string s = Trim(section), k = Trim(key);
    if (s.empty() || s != section || section.find(']') != npos || HasLineBreak(section))
        throw ProfileError("Invalid section name \"" + section + "\"");
    if (k.empty() || k != key || key.find('=') != npos || key[0] == '[' || key[0] == ';' || HasLineBreak(key))
        throw ProfileError("Invalid key name \"" + key + "\"");
    if (HasLineBreak(value)) throw ProfileError("Invalid value for \"" + key + "\": it holds a line break");

    const std::string line = key + "=" + value;
    std::size_t h = FindSection(section);
    if (h == npos) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
        return;
    }
    const std::size_t at = FindKey(h, key);
    if (at != npos) {
        // The name keeps the spelling the file gives it, as the system's
        // profile functions keep it; only the value is new.
        std::string existing;
        KeyLine(lines_[at], existing);
        lines_[at] = existing + "=" + value;
        return;
    }
    // After the section's last non-blank line, so blank lines that part it
    // from the next section stay where they are.
    std::size_t pos = SectionEnd(h);
    while (pos > h + 1 && Trim(lines_[pos - 1]).empty()) --pos;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(pos), line);
}

void ProfileFile::DeleteKey(const std::string& section, const std::string& key) {
    const std::size_t h = FindSection(section);
    if (h == npos) return;
    const std::size_t at = FindKey(h, key);
    if (at != npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string ProfileFile::Text() const {
    std::string out;
    for (const std::string& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void ProfileFile::Save(const std::string& path) const {
    if (readOnly_) CannotWrite(path, "it exists but can not be read, so its contents would be lost");
    namespace fs = std::filesystem;
    std::random_device rd;
    const fs::path temp = FsPath(path + ".new-" + std::to_string(rd() % 1000000u));
    const std::string text = Text();
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) CannotWrite(path, LastReason());
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            const std::string why = LastReason();
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            CannotWrite(path, why);
        }
        out.close();
        if (!out) {
            const std::string why = LastReason();
            std::error_code ignored;
            fs::remove(temp, ignored);
            CannotWrite(path, why);
        }
    }
    errno = 0;
    if (!ReplaceFile(Utf8Name(temp), path)) {
        const std::string why = LastReason();
        std::error_code ignored;
        fs::remove(temp, ignored);
        CannotWrite(path, why);
    }
}

}  // namespace orbel
