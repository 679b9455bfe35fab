#include "core/store/store_format.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/store/file_names.h"
#include "core/store/store_files.h"

namespace orbel {

std::vector<std::string_view> SplitIndexLines(std::string_view bytes) {
    const size_t eof = bytes.find(kEndOfFile);
    if (eof != std::string_view::npos) bytes = bytes.substr(0, eof);

    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(bytes.substr(start));  // last line without line end
            break;
        }
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

namespace {

// Takes the text up to the next separator off the front of rest. Once a
// separator has been missing, every further field comes out empty and rest
// stays whole for the caption.
struct FieldSplitter {
    std::string_view rest;
    char separator;
    bool intact = true;

    std::string next() {
        if (!intact) return {};
        const size_t pos = rest.find(separator);
        if (pos == std::string_view::npos) {
            intact = false;
            return {};
        }
        std::string field(rest.substr(0, pos));
        rest.remove_prefix(pos + 1);
        return field;
    }
    std::string caption() const { return std::string(rest); }
};

}  // namespace

bool ParseIndexLine(std::string_view line, IndexEntry& out, char separator) {
    const size_t bar = line.find(separator);
    if (bar == std::string_view::npos) return false;  // empty tag: no known kind
    const std::string_view tag = line.substr(0, bar);
    const std::string_view rest = line.substr(bar + 1);

    out = IndexEntry{};
    if (tag == kTagPlainSeparator) {
        out.kind = IndexEntryKind::PlainSeparator;
    } else if (tag == kTagTextSeparator) {
        out.kind = IndexEntryKind::TextSeparator;
        out.text = rest;
    } else if (tag == kTagFolder) {
        out.kind = IndexEntryKind::Folder;
        out.text = rest;
    } else if (tag == kTagExecutable) {
        out.kind = IndexEntryKind::ExecutableItem;
        FieldSplitter f{rest, separator};
        out.path = f.next();
        out.parameters = f.next();
        out.iconFile = f.next();
        out.text = f.caption();
    } else if (tag == kTagFile) {
        out.kind = IndexEntryKind::FileItem;
        FieldSplitter f{rest, separator};
        out.path = f.next();
        out.extension = f.next();
        out.text = f.caption();
    } else {
        return false;
    }
    return true;
}

std::vector<IndexEntry> ParseIndexFile(std::string_view bytes, char separator) {
    const std::vector<std::string_view> lines = SplitIndexLines(bytes);
    std::vector<IndexEntry> entries;
    entries.reserve(lines.size());
    IndexEntry e;
    for (std::string_view line : lines)
        if (ParseIndexLine(line, e, separator)) entries.push_back(std::move(e));
    return entries;
}

std::string ReadIndexFile(const std::string& file) {
    if (file.find('\0') != std::string::npos) throw StoreIoError("Unable to open \"" + file + "\": invalid file name");
    errno = 0;
    std::ifstream in;
    if (!System().OpenIndexFile(file, in))
        throw StoreIoError("Unable to open \"" + file + "\": " + std::strerror(errno));

    std::string bytes;
    char buf[64 * 1024];
    for (;;) {
        in.read(buf, sizeof buf);
        const size_t n = static_cast<size_t>(in.gcount());
        if (n > 0) {
            const void* eof = std::memchr(buf, kEndOfFile, n);
            if (eof) {
                bytes.append(buf, static_cast<const char*>(eof) - buf);
                break;  // Ctrl-Z ends the file: the rest is never read
            }
            bytes.append(buf, n);
        }
        if (n < sizeof buf) {
            if (in.bad()) throw StoreIoError("Unable to read \"" + file + "\": " + std::strerror(errno));
            break;
        }
    }
    return bytes;
}

std::vector<IndexEntry> ReadIndexEntries(const std::string& file, char separator) {
    return ParseIndexFile(ReadIndexFile(file), separator);
}

std::size_t LastPathSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

bool IsAbsolutePath(std::string_view path) {
    if (kPathSeparator == '/') return !path.empty() && path[0] == '/';
    // A drive's root or a network path; "\\x" alone depends on the drive.
    const char d = path.empty() ? '\0' : path[0];
    if (path.size() > 2 && path[1] == ':' && IsPathSeparator(path[2]) &&
        ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')))
        return true;
    return path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

PathParts SplitPath(std::string_view path) {
    const bool windows = kPathSeparator == '\\' || (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
                         path.substr(0, 2) == "\\\\";
    const std::string_view separators = windows ? "/\\" : "/";
    std::string_view p = path;
    while (p.size() > 1 && separators.find(p.back()) != std::string_view::npos) p.remove_suffix(1);
    PathParts parts;
    if (p.size() == 1 && separators.find(p[0]) != std::string_view::npos) {
        parts.directory = p;
        return parts;
    }
    const size_t slash = p.find_last_of(separators);
    parts.directory = slash == std::string_view::npos ? std::string() : std::string(p.substr(0, slash + 1));
    parts.name = slash == std::string_view::npos ? p : p.substr(slash + 1);
    const size_t dot = parts.name.rfind('.');
    if (dot != std::string::npos) parts.extension = parts.name.substr(dot);
    return parts;
}

StoredTextBreak FindStoredTextBreak(std::string_view text, bool lineFeeds) {
    if (text.find(kFieldSeparator) != std::string_view::npos) return StoredTextBreak::FieldSeparator;
    if (text.find_first_of(lineFeeds ? "\r\n" : "\r") != std::string_view::npos) return StoredTextBreak::LineBreak;
    if (text.find(kEndOfFile) != std::string_view::npos) return StoredTextBreak::EndOfFile;
    return StoredTextBreak::None;
}

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != kEndOfFile) out += c;
    return out;
}

std::string JoinPath(const std::string& dir, std::string_view name) {
    std::string out = dir;
    if (!out.empty() && !IsPathSeparator(out.back())) out += kPathSeparator;
    out += name;
    return out;
}

std::string WithSeparator(std::string dir) {
    if (dir.empty() || !IsPathSeparator(dir.back())) dir += kPathSeparator;
    return dir;
}

}  // namespace orbel
