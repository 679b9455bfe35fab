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

namespace {

// The member a field is read into and written from (const or not).
template <class Entry> auto& FieldOf(Entry& e, IndexField field) {
    switch (field) {
    case IndexField::Path: return e.path;
    case IndexField::Parameters: return e.parameters;
    case IndexField::IconFile: return e.iconFile;
    case IndexField::Extension: return e.extension;
    }
    return e.path;
}

}  // namespace

bool ParseIndexLine(std::string_view line, IndexEntry& out, char separator) {
    const size_t bar = line.find(separator);
    if (bar == std::string_view::npos) return false;  // empty tag: no known kind
    const ItemKind* kind = ItemKindOfTag(line.substr(0, bar));
    if (!kind) return false;

    out = IndexEntry{};
    out.kind = kind->kind;
    FieldSplitter f{line.substr(bar + 1), separator};
    for (int i = 0; i < kind->fieldCount; ++i) FieldOf(out, kind->fields[i]) = f.next();
    if (kind->hasText) out.text = f.caption();
    return true;
}

std::string FormatIndexLine(const IndexEntry& entry, char separator) {
    const ItemKind& kind = ItemKindOf(entry.kind);
    std::string line(kind.storeTag);
    line += separator;
    for (int i = 0; i < kind.fieldCount; ++i) {
        line += FieldOf(entry, kind.fields[i]);
        line += separator;
    }
    if (kind.hasText) line += entry.text;
    return line;
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

}  // namespace orbel
