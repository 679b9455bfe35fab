#pragma once
// The on-disk form of the item store: the index file's name and the line
// grammar of the index files, read and written. Which tags there are, and
// which fields each kind's lines hold, is the item kinds' table.
//
// Grammar of an index file:
//  - CR ends a line; an LF right after a CR belongs to that line end, so
//    CR LF and a lone CR both end a line, while a lone LF is an ordinary
//    character inside a line.
//  - Byte 26 (Ctrl-Z) ends the file; a last line without line end is read
//    like any other.
//  - The first separator ("|") splits a line into tag and payload; a line
//    without it has an empty tag. Tags are compared exactly, letter case
//    included; lines with other tags are skipped.
//  - Item payloads are split into fields from the left; the caption is the
//    last field and keeps every later separator. A missing separator leaves
//    the field it should close and every further field before the caption
//    empty, and the caption is the whole remaining text.

#include <string>
#include <string_view>
#include <vector>

#include "core/store/item_kinds.h"
#include "core/store/path_parts.h"

namespace orbel {

inline constexpr std::string_view kIndexFileName = "shortcuts.txt";

// The field separator the program sets before any index file is read.
inline constexpr char kFieldSeparator = '|';
inline constexpr char kEndOfFile = 26;  // Ctrl-Z

// One accepted line of an index file.
struct IndexEntry {
    IndexEntryKind kind = IndexEntryKind::PlainSeparator;
    // Folder: the folder name; text separator: its text; items: the caption.
    std::string text;
    std::string path;        // items
    std::string parameters;  // executable items
    std::string iconFile;    // executable items: bitmap name in the same folder directory
    std::string extension;   // file items: without dot, letter case as stored

    friend bool operator==(const IndexEntry&, const IndexEntry&) = default;
};

// What a stored text may hold. A path or parameter text is a field of its
// line: the field separator would end it early, CR the line and Ctrl-Z the
// file, so none of them reads back. A lone LF reads back unchanged, which
// lets the writer keep a path loaded with one (a file may be named so);
// everything the user gives the item manager is held to LF as to CR.
enum class StoredTextBreak { None, FieldSeparator, LineBreak, EndOfFile };
// The first of those reasons, in that order, that keeps text out of a path
// or parameter field; LF counts as a line break when lineFeeds is set.
StoredTextBreak FindStoredTextBreak(std::string_view text, bool lineFeeds = true);
// A caption, folder name or separator text is the last field of its line,
// so it keeps "|"; CR, LF and Ctrl-Z are taken out of it.
std::string WithoutLineBreaks(std::string_view text);

// The lines of an index file's bytes (line ends removed, reading stops at
// Ctrl-Z). The views point into bytes.
std::vector<std::string_view> SplitIndexLines(std::string_view bytes);

// One line; false when the line is skipped (unknown tag, no separator).
bool ParseIndexLine(std::string_view line, IndexEntry& out, char separator = kFieldSeparator);
// The line that reads back as entry, without its line end; the texts go in
// as they are (the writer has checked them).
std::string FormatIndexLine(const IndexEntry& entry, char separator = kFieldSeparator);

// All accepted entries of an index file's bytes, in file order.
std::vector<IndexEntry> ParseIndexFile(std::string_view bytes, char separator = kFieldSeparator);

// The bytes of an index file up to its first Ctrl-Z. Throws StoreIoError
// when the file cannot be opened or read; the loader calls it only for files
// that exist.
std::string ReadIndexFile(const std::string& file);

// Reads and parses one index file.
std::vector<IndexEntry> ReadIndexEntries(const std::string& file, char separator = kFieldSeparator);

}  // namespace orbel
