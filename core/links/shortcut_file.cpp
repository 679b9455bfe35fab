#include "core/links/shortcut_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/store/file_names.h"
#include "core/store/utf8.h"

namespace orbel {

namespace {

constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 20> kHeaderStart = {
    0x4C, 0x00, 0x00, 0x00,                          // header size
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,  // 00021401-0000-0000-
    0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46,  // C000-000000000046
};

enum LinkFlag : std::uint32_t {
    kHasIdList = 0x1,
    kHasLinkInfo = 0x2,
    kHasName = 0x4,
    kHasRelativePath = 0x8,
    kHasWorkingDir = 0x10,
    kHasArguments = 0x20,
    kHasIconLocation = 0x40,
    kIsUnicode = 0x80,
    kForceNoLinkInfo = 0x100,
};

constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLink = 0x2;
constexpr std::uint32_t kMinLinkInfoHeader = 0x1C;
constexpr std::uint32_t kUnicodeLinkInfoHeader = 0x24;
constexpr std::uint32_t kMinNetworkLinkSize = 0x14;
constexpr std::uint32_t kUnicodeNetworkLinkSize = 0x1C;

// Links are a few hundred bytes; the structures we read end well before this
// even at their format maxima, so a huge file cannot make us allocate much.
constexpr std::size_t kMaxLinkRead = 8u << 20;

std::uint16_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

// units: UTF-16LE code units without terminator. Unpaired surrogates become
// U+FFFD; the text stops at an embedded NUL as it would for the shell.
std::string Utf16ToUtf8(std::string_view units) {
    std::string out;
    const std::size_t n = units.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t u = U16(units, 2 * i);
        if (u == 0) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n) {
            const char32_t low = U16(units, 2 * (i + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
        AppendUtf8(out, u);
    }
    return out;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t len;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (s.size() - i < len) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

// 8-bit link strings are in the code page of the machine that wrote them,
// which we cannot know; Windows-1252 is the common one, and text that is
// already valid UTF-8 (links written on UTF-8 systems) is kept as it is.
std::string AnsiToUtf8(std::string_view s) {
    if (const std::size_t nul = s.find('\0'); nul != std::string_view::npos) s = s.substr(0, nul);
    if (IsValidUtf8(s)) return std::string(s);
    static constexpr char16_t k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::string out;
    for (const char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        AppendUtf8(out, c >= 0x80 && c <= 0x9F ? k80to9F[c - 0x80] : char32_t{c});
    }
    return out;
}

// A NUL-terminated string inside block at offset; false when it runs off
// the block's end.
bool AnsiZ(std::string_view block, std::uint32_t offset, std::string& out) {
    if (offset >= block.size()) return false;
    const std::string_view rest = block.substr(offset);
    const std::size_t nul = rest.find('\0');
    if (nul == std::string_view::npos) return false;
    out = AnsiToUtf8(rest.substr(0, nul));
    return true;
}

bool Utf16Z(std::string_view block, std::uint32_t offset, std::string& out) {
    if (offset >= block.size()) return false;
    const std::string_view rest = block.substr(offset);
    for (std::size_t i = 0; i + 1 < rest.size(); i += 2) {
        if (U16(rest, i) == 0) {
            out = Utf16ToUtf8(rest.substr(0, i));
            return true;
        }
    }
    return false;
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::size_t left() const { return bytes_.size() - pos_; }
    bool u16(std::uint16_t& v) {
        if (left() < 2) return false;
        v = U16(bytes_, pos_);
        pos_ += 2;
        return true;
    }
    bool peekU32(std::uint32_t& v) const {
        if (left() < 4) return false;
        v = U32(bytes_, pos_);
        return true;
    }
    bool take(std::size_t n, std::string_view& out) {
        if (left() < n) return false;
        out = bytes_.substr(pos_, n);
        pos_ += n;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = kHeaderSize;
};

bool ReadIdList(Reader& r, std::string& idList) {
    std::uint16_t size = 0;
    std::string_view list;
    if (!r.u16(size) || !r.take(size, list)) return false;
    // Each item counts its own two size bytes, so every step advances and the
    // walk ends at the terminator or at the list's end.
    std::size_t at = 0;
    for (;;) {
        if (list.size() - at < 2) return false;
        const std::uint16_t itemSize = U16(list, at);
        if (itemSize == 0) break;
        if (itemSize < 2 || itemSize > list.size() - at) return false;
        at += itemSize;
    }
    idList.assign(list.substr(0, at + 2));
    return true;
}

// Where the link info says the target is; either may be empty.
struct LinkInfoTarget {
    std::string local;
    std::string network;
};

// The share name ("\\server\share") of the CommonNetworkRelativeLink at
// offset inside info; empty when there is none or it does not fit.
std::string NetName(std::string_view info, std::uint32_t offset) {
    if (offset >= info.size() || info.size() - offset < kMinNetworkLinkSize) return {};
    std::string_view link = info.substr(offset);
    const std::uint32_t size = U32(link, 0);
    if (size < kMinNetworkLinkSize || size > link.size()) return {};
    link = link.substr(0, size);
    const std::uint32_t ansi = U32(link, 8);
    // The UTF-16 offsets are there only when the 8-bit name starts behind them.
    const bool hasUnicode = ansi > kMinNetworkLinkSize;
    if (ansi < kMinNetworkLinkSize || (hasUnicode && size < kUnicodeNetworkLinkSize)) return {};
    const std::uint32_t unicode = hasUnicode ? U32(link, 0x14) : 0;
    std::string name;
    if (unicode != 0 ? unicode >= kUnicodeNetworkLinkSize && Utf16Z(link, unicode, name) : AnsiZ(link, ansi, name))
        return name;
    return {};
}

// The common path suffix, UTF-16 where the link info has it.
bool ReadSuffix(std::string_view info, std::uint32_t ansi, std::uint32_t unicode, std::string& suffix) {
    if (unicode) return Utf16Z(info, unicode, suffix);
    return !ansi || AnsiZ(info, ansi, suffix);
}

bool ReadLinkInfo(Reader& r, LinkInfoTarget& target) {
    std::uint32_t size = 0;
    std::string_view info;
    if (!r.peekU32(size) || size < kMinLinkInfoHeader || !r.take(size, info)) return false;
    const std::uint32_t headerSize = U32(info, 4);
    if (headerSize < kMinLinkInfoHeader || headerSize > size) return false;
    const std::uint32_t flags = U32(info, 8);
    const bool hasUnicode = headerSize >= kUnicodeLinkInfoHeader;
    const std::uint32_t baseUnicode = hasUnicode ? U32(info, 0x1C) : 0;
    const std::uint32_t suffixUnicode = hasUnicode ? U32(info, 0x20) : 0;
    const std::uint32_t baseAnsi = U32(info, 0x10);
    const std::uint32_t networkLink = U32(info, 0x14);
    const std::uint32_t suffixAnsi = U32(info, 0x18);
    // Strings follow the header; an offset into it would read the offsets
    // themselves as text.
    const auto outside = [&](std::initializer_list<std::uint32_t> offsets) {
        return std::all_of(offsets.begin(), offsets.end(), [&](std::uint32_t o) { return o == 0 || o >= headerSize; });
    };
    target = {};
    if (flags & kVolumeIdAndLocalBasePath) {
        if (!outside({baseAnsi, suffixAnsi, baseUnicode, suffixUnicode})) return false;
        std::string base;
        std::string suffix;
        const bool baseOk = baseUnicode ? Utf16Z(info, baseUnicode, base) : AnsiZ(info, baseAnsi, base);
        if (!baseOk || !ReadSuffix(info, suffixAnsi, suffixUnicode, suffix)) return false;
        target.local = base + suffix;
    }
    // The share is only a second choice, so a damaged one leaves the
    // target to the id list rather than failing the whole link.
    if ((flags & kCommonNetworkRelativeLink) && target.local.empty() &&
        outside({networkLink, suffixAnsi, suffixUnicode})) {
        std::string share = networkLink ? NetName(info, networkLink) : std::string();
        std::string suffix;
        if (!share.empty() && ReadSuffix(info, suffixAnsi, suffixUnicode, suffix)) {
            if (!suffix.empty() && share.back() != '\\') share += '\\';
            target.network = share + suffix;
        }
    }
    return true;
}

// ---- item id list ------------------------------------------------------------

// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, the "Computer" folder, as stored.
constexpr std::array<unsigned char, 16> kComputerFolder = {
    0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D,
};

// Item class bytes: a root folder, or a kind in bits 4 to 6 with flags below.
constexpr unsigned kRootFolderItem = 0x1F;
constexpr unsigned kKindMask = 0x70;
constexpr unsigned kVolumeItem = 0x20;
constexpr unsigned kVolumeHasName = 0x01;
constexpr unsigned kFileEntryItem = 0x30;
constexpr unsigned kFileEntryUnicode = 0x04;

constexpr std::size_t kVolumeNameField = 20;
constexpr std::size_t kFileEntryName = 14;
constexpr std::uint32_t kFileEntryBlock = 0xBEEF0004;

unsigned ItemClass(std::string_view item) { return static_cast<unsigned char>(item[2]); }

bool IsComputerFolder(std::string_view item) {
    if (item.size() < 4 + kComputerFolder.size() || ItemClass(item) != kRootFolderItem) return false;
    return std::equal(kComputerFolder.begin(), kComputerFolder.end(), item.begin() + 4,
                      [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); });
}

// "C:\" from a named drive item; empty for anything else (a device or a
// virtual folder shown under Computer has no name).
std::string DriveRoot(std::string_view item) {
    const unsigned cls = ItemClass(item);
    if ((cls & kKindMask) != kVolumeItem || !(cls & kVolumeHasName)) return {};
    std::string_view field = item.substr(3, kVolumeNameField);
    field = field.substr(0, field.find('\0'));
    const bool letter = field.size() >= 2 &&
                        ((field[0] >= 'A' && field[0] <= 'Z') || (field[0] >= 'a' && field[0] <= 'z'));
    if (!letter || field[1] != ':' || field.size() > 3 || (field.size() == 3 && field[2] != '\\')) return {};
    return std::string(field.substr(0, 2)) + '\\';
}

// A name one path step long: hostile items could otherwise climb out of
// the drive or smuggle in separators.
bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

// The long name a file entry item keeps in its 0xBEEF0004 extension block
// (its own name is then often the 8.3 form); empty when it has none.
std::string LongName(std::string_view item, std::size_t blocksAt) {
    std::size_t at = blocksAt + (blocksAt & 1);  // blocks start 16-bit aligned
    while (at < item.size() && item.size() - at >= 8) {
        const std::uint16_t size = U16(item, at);
        if (size < 8 || size > item.size() - at) return {};
        const std::string_view block = item.substr(at, size);
        const std::uint32_t signature = U32(block, 4);
        if ((signature >> 16) != 0xBEEF) return {};
        if (signature == kFileEntryBlock) {
            const std::uint16_t version = U16(block, 2);
            // Each newer Windows added fields before the name.
            const std::uint32_t nameAt = version >= 9 ? 46 : version == 8 ? 42 : version == 7 ? 38 : 20;
            std::string name;
            if (version < 3 || !Utf16Z(block, nameAt, name)) return {};
            return name;
        }
        at += size;
    }
    return {};
}

// The name of a file entry item (a folder or a file); empty when the item
// is no file entry or its name is unusable.
std::string FileEntryName(std::string_view item) {
    const unsigned cls = ItemClass(item);
    if ((cls & kKindMask) != kFileEntryItem || item.size() <= kFileEntryName) return {};
    const std::string_view rest = item.substr(kFileEntryName);
    std::string name;
    std::size_t end = 0;  // past the name's terminator, from the item's start
    if (cls & kFileEntryUnicode) {
        std::size_t i = 0;
        while (i + 1 < rest.size() && U16(rest, i) != 0) i += 2;
        if (i + 1 >= rest.size()) return {};
        name = Utf16ToUtf8(rest.substr(0, i));
        end = kFileEntryName + i + 2;
    } else {
        const std::size_t nul = rest.find('\0');
        if (nul == std::string_view::npos) return {};
        name = AnsiToUtf8(rest.substr(0, nul));
        end = kFileEntryName + nul + 1;
    }
    std::string longName = LongName(item, end);
    if (!longName.empty()) name = std::move(longName);
    return IsPlainName(name) ? name : std::string();
}

// The file-system path an item id list names: "Computer", a drive, then
// folders and the file. Empty for any other list.
std::string IdListPath(std::string_view list) {
    std::vector<std::string_view> items;
    for (std::size_t at = 0; list.size() - at >= 2;) {
        const std::uint16_t size = U16(list, at);
        // ReadIdList has checked the sizes; an item too small for its class
        // byte is no item we know.
        if (size == 0) break;
        if (size < 3) return {};
        items.push_back(list.substr(at, size));
        at += size;
    }
    if (items.size() < 2 || !IsComputerFolder(items[0])) return {};
    std::string path = DriveRoot(items[1]);
    if (path.empty()) return {};
    for (std::size_t i = 2; i < items.size(); ++i) {
        const std::string name = FileEntryName(items[i]);
        if (name.empty()) return {};
        if (i > 2) path += '\\';
        path += name;
    }
    return path;
}

bool ReadStringData(Reader& r, bool unicode, std::string& out) {
    std::uint16_t count = 0;
    std::string_view chars;
    if (!r.u16(count) || !r.take(unicode ? std::size_t{count} * 2 : count, chars)) return false;
    out = unicode ? Utf16ToUtf8(chars) : AnsiToUtf8(chars);
    return true;
}

int Parse(std::string_view bytes, ShellLinkDescription& out, bool& targetIsRelative) {
    const std::size_t checked = std::min(bytes.size(), kHeaderStart.size());
    for (std::size_t i = 0; i < checked; ++i) {
        if (static_cast<unsigned char>(bytes[i]) != kHeaderStart[i]) return kShellLinkNotALink;
    }
    if (bytes.size() < kHeaderSize) return bytes.empty() ? kShellLinkNotALink : kShellLinkMalformed;

    ShellLinkDescription d;
    const std::uint32_t flags = U32(bytes, 0x14);
    d.iconIndex = static_cast<std::int32_t>(U32(bytes, 0x38));
    const std::uint32_t show = U32(bytes, 0x3C);
    // The format asks readers to take any other value as a normal window.
    d.showCommand = (show == 3 || show == 7) ? static_cast<int>(show) : 1;
    d.hotKey = U16(bytes, 0x40);

    Reader r(bytes);
    if ((flags & kHasIdList) && !ReadIdList(r, d.idList)) return kShellLinkMalformed;
    LinkInfoTarget info;
    if ((flags & kHasLinkInfo) && !ReadLinkInfo(r, info)) return kShellLinkMalformed;
    if (flags & kForceNoLinkInfo) info = {};

    const bool unicode = flags & kIsUnicode;
    const std::pair<LinkFlag, std::string*> strings[] = {
        {kHasName, &d.description},    {kHasRelativePath, &d.relativePath}, {kHasWorkingDir, &d.workingDirectory},
        {kHasArguments, &d.arguments}, {kHasIconLocation, &d.iconLocation},
    };
    for (const auto& [flag, field] : strings) {
        if ((flags & flag) && !ReadStringData(r, unicode, *field)) return kShellLinkMalformed;
    }

    targetIsRelative = false;
    if (!info.local.empty()) {
        d.target = info.local;
    } else if (!info.network.empty()) {
        d.target = info.network;
    } else if (std::string path = IdListPath(d.idList); !path.empty()) {
        d.target = std::move(path);
    } else {
        targetIsRelative = true;
        d.target = d.relativePath;
    }
    if (d.target.empty()) {
        // An id list with items names something, just nothing on a disk.
        return d.idList.size() > 2 ? kShellLinkNoFileSystemPath : kShellLinkNoTarget;
    }
    out = std::move(d);
    return kShellLinkOk;
}

// A relative target is relative to the link, not to our working directory.
std::string AnchorAtLink(const std::string& linkFile, std::string relative) {
    namespace fs = std::filesystem;
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    const bool hasDrive = relative.size() >= 2 && relative[1] == ':';
    if (relative.front() == '/' || hasDrive) return relative;
    std::error_code ec;
    fs::path folder = fs::absolute(FsPath(linkFile), ec).parent_path();
    if (ec) folder = FsPath(linkFile).parent_path();
    return Utf8Name((folder / FsPath(relative)).lexically_normal());
}

}  // namespace

int ParseShellLink(std::string_view bytes, ShellLinkDescription& out) {
    bool relative = false;
    return Parse(bytes, out, relative);
}

const char* ShellLinkErrorText(int result) {
    switch (result) {
    case kShellLinkOk: return "";
    case kShellLinkUnreadable: return "The shortcut can not be read";
    case kShellLinkNotALink: return "The file is not a shortcut";
    case kShellLinkMalformed: return "The shortcut is damaged";
    case kShellLinkNoTarget: return "The shortcut names no target";
    case kShellLinkNoFileSystemPath: return "The shortcut points to no file or directory";
    default: return "The shortcut can not be used";
    }
}

int ReadShellLinkFile(const std::string& linkFile, ShellLinkDescription& out) {
    std::error_code ec;
    if (linkFile.empty() || !std::filesystem::is_regular_file(FsPath(linkFile), ec)) return kShellLinkUnreadable;
    std::ifstream in(FsPath(linkFile), std::ios::binary);
    if (!in) return kShellLinkUnreadable;
    const std::uintmax_t fileSize = std::filesystem::file_size(FsPath(linkFile), ec);
    std::string bytes(ec ? kMaxLinkRead : std::min<std::uintmax_t>(fileSize, kMaxLinkRead), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return kShellLinkUnreadable;
    bytes.resize(static_cast<std::size_t>(in.gcount()));

    ShellLinkDescription d;
    bool relative = false;
    const int result = Parse(bytes, d, relative);
    if (result != kShellLinkOk) return result;
    if (relative) d.target = AnchorAtLink(linkFile, d.target);
    out = std::move(d);
    return kShellLinkOk;
}

}  // namespace orbel
