#pragma once
// Shell links built byte by byte for the tests: the parts of the format,
// and the links of the reader's tables, which the comparison with the
// system's own link object reads as well.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/links/shortcut_file.h"

namespace orbel::test {

using Bytes = std::string;

inline Bytes Le(std::uint32_t v, int n) {
    Bytes b;
    for (int i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

inline Bytes Utf16(std::u16string_view s) {
    Bytes b;
    for (const char16_t c : s) b += Le(c, 2);
    return b;
}

// LinkInfo with a local base path; unicode adds the larger header and UTF-16
// copies, which differ from the 8-bit ones so a test sees which are read.
inline Bytes LinkInfo(const Bytes& base, const Bytes& suffix, std::u16string_view baseU = {},
                      std::u16string_view suffixU = {}) {
    const bool unicode = !baseU.empty();
    const std::uint32_t header = unicode ? 0x24 : 0x1C;
    const Bytes volume = Le(0x11, 4) + Le(3, 4) + Le(0x1234ABCD, 4) + Le(0x10, 4) + '\0';
    Bytes tail = volume + base + '\0' + suffix + '\0';
    Bytes offsets = Le(header, 4) + Le(header + 0x11, 4) + Le(0, 4) + Le(header + 0x11 + base.size() + 1, 4);
    if (unicode) {
        offsets += Le(header + tail.size(), 4);
        tail += Utf16(baseU) + Le(0, 2);
        offsets += Le(header + tail.size(), 4);
        tail += Utf16(suffixU) + Le(0, 2);
    }
    return Le(header + tail.size(), 4) + Le(header, 4) + Le(1, 4) + offsets + tail;
}

struct Link {
    std::uint32_t flags = 0;  // bits beyond those the parts below imply
    std::uint32_t show = 1;
    std::optional<Bytes> idItems, info;
    // name, relative path, working dir, arguments, icon location: already
    // encoded characters, with the count the format wants.
    std::optional<Bytes> strings[5];
    Bytes Build() const {
        std::uint32_t f = flags | (idItems ? 0x1 : 0) | (info ? 0x2 : 0);
        Bytes body;
        if (idItems) body += Le(idItems->size() + 2, 2) + *idItems + Le(0, 2);
        if (info) body += *info;
        for (int i = 0; i < 5; ++i) {
            if (!strings[i]) continue;
            f |= 0x4u << i;
            body += Le((f & 0x80) ? strings[i]->size() / 2 : strings[i]->size(), 2) + *strings[i];
        }
        return Le(0x4C, 4) + Bytes("\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16) + Le(f, 4) + Le(0x20, 4) +
               Bytes(24, '\x11') + Le(99, 4) + Le(static_cast<std::uint32_t>(-3), 4) + Le(show, 4) + Le(0x0641, 2) +
               Bytes(10, '\0') + body;
    }
};

// A link to a local path, with arguments when given, as a dropped shortcut.
inline Bytes LinkTo(const Bytes& target, const Bytes& args = {}) {
    Link l;
    l.info = LinkInfo(target, "");
    if (!args.empty()) l.strings[3] = args;
    return l.Build();
}

inline const Bytes kItems = Le(6, 2) + "\x1f\x50\x0A\x0B" + Le(6, 2) + "/C:\\";

inline Link FullLink(bool unicode) {
    Link l;
    l.flags = unicode ? 0x80 : 0;
    l.show = 3;
    l.idItems = kItems;
    l.info = unicode ? LinkInfo("C:\\x\\", "y", u"C:\\Ünï\\日本\\", u"😀.exe") : LinkInfo("C:\\caf\xE9\\", "\x80.exe");
    const char16_t* texts[] = {u"Editor", u"..\\editor.exe", u"C:\\Work", u"-n \"a b\" Grüße", u"C:\\icons.dll"};
    for (int i = 0; i < 5; ++i) {
        Bytes ansi;
        for (const char16_t* c = texts[i]; *c; ++c)
            ansi += static_cast<char>(*c == u'ü' ? 0xFC : *c == u'ß' ? 0xDF : *c);
        l.strings[i] = unicode ? Utf16(texts[i]) : ansi;
    }
    return l;
}
// Item id list parts: "Computer", a named drive, file entries (class 0x31
// folder, 0x32 file, 0x36 file with a UTF-16 name) whose own name comes first.
inline Bytes Item(const Bytes& body) { return Le(body.size() + 2, 2) + body; }
inline const Bytes kComputer = Item(
    Bytes("\x1f\x50\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D", 18));
inline Bytes Drive(char cls, const Bytes& name) {
    return Item(cls + (name + Bytes(20, '\0')).substr(0, 20) + Le(0, 2));
}
inline Bytes Entry(char cls, const Bytes& name) {
    return Item(cls + Bytes(11, '\0') + name + Bytes(name.size() % 2 ? 1 : 2, '\0'));
}

// Share name and common suffix in a link info; with UTF-16 copies when given.
inline Bytes NetworkInfo(const Bytes& share, const Bytes& suffix, std::u16string_view shareU = {},
                         std::u16string_view suffixU = {}) {
    const bool unicode = !shareU.empty();
    const std::uint32_t header = unicode ? 0x24 : 0x1C;
    const std::uint32_t linkHeader = unicode ? 0x1C : 0x14;
    Bytes names = share + '\0';
    Bytes linkOffsets = Le(linkHeader, 4) + Le(0, 4) + Le(0x20000, 4);
    if (unicode) {
        linkOffsets += Le(linkHeader + names.size(), 4) + Le(0, 4);
        names += Utf16(shareU) + Le(0, 2);
    }
    const Bytes link = Le(linkHeader + names.size(), 4) + Le(2, 4) + linkOffsets + names;
    Bytes tail = link + suffix + '\0';
    Bytes offsets = Le(0, 4) + Le(0, 4) + Le(header, 4) + Le(header + link.size(), 4);
    if (unicode) {
        offsets += Le(0, 4) + Le(header + tail.size(), 4);
        tail += Utf16(suffixU) + Le(0, 2);
    }
    return Le(header + tail.size(), 4) + Le(header, 4) + Le(2, 4) + offsets + tail;
}

// A link of the reader's tables and what the reader makes of it (show -1
// where the table does not say).
struct LinkCase {
    const char* what;
    Link link;
    int result;
    std::string target;
    int show = -1;
};

inline Link MakeLink(std::optional<Bytes> info, std::optional<Bytes> idItems, std::optional<Bytes> relative,
                     std::uint32_t flags = 0, std::uint32_t show = 1) {
    Link l;
    l.info = std::move(info);
    l.idItems = std::move(idItems);
    l.strings[1] = std::move(relative);
    l.flags = flags;
    l.show = show;
    return l;
}

// Where the target comes from, and the show command.
inline std::vector<LinkCase> TargetSourceCases() {
    Bytes network = LinkInfo("C:\\x\\", "y");
    network[8] = 2;  // a network location only
    const auto none = std::nullopt;
    return {
        {"local path wins", MakeLink(LinkInfo("C:\\a\\", "b.exe"), none, "other", 0, 7), kShellLinkOk, "C:\\a\\b.exe",
         7},
        {"no link info", MakeLink(none, none, "..\\bin\\t.exe", 0, 5), kShellLinkOk, "..\\bin\\t.exe", 1},
        {"link info ignored", MakeLink(LinkInfo("C:\\a\\", "b"), none, "r", 0x100, 0), kShellLinkOk, "r", 1},
        {"network only", MakeLink(network, none, "r"), kShellLinkOk, "r", 1},
        {"utf-8 kept, stops at NUL", MakeLink(none, none, Bytes("d\xc3\xa9j\xc3\xa0\0 x", 8)), kShellLinkOk,
         "d\xc3\xa9j\xc3\xa0", 1},
        {"no target", MakeLink(none, none, none), kShellLinkNoTarget, "untouched", 0},
        {"empty relative path", MakeLink(none, none, ""), kShellLinkNoTarget, "untouched", 0},
    };
}

// Targets that only the share or the id list hold.
inline std::vector<LinkCase> ShareAndIdListCases() {
    const Bytes cDrive = kComputer + Drive('\x2f', "C:\\");
    Bytes badShare = NetworkInfo("\\\\srv\\s", "x");
    badShare[0x14] = 0x7F;  // the share structure lies outside the link info
    const auto none = std::nullopt;
    return {
        {"share and suffix", MakeLink(NetworkInfo("\\\\srv\\docs", "a\\b.txt"), cDrive, "r"), kShellLinkOk,
         "\\\\srv\\docs\\a\\b.txt"},
        {"UTF-16 share", MakeLink(NetworkInfo("\\\\x", "y", u"\\\\srv\\Grüße", u"日本.txt"), none, none), kShellLinkOk,
         "\\\\srv\\Grüße\\日本.txt"},
        {"damaged share leaves the id list", MakeLink(badShare, cDrive + Entry('\x32', "A.TXT"), none), kShellLinkOk,
         "C:\\A.TXT"},
        {"names without extension blocks",
         MakeLink(none, cDrive + Entry('\x31', "Program Files") + Entry('\x36', Utf16(u"Ünï.exe")), "r"), kShellLinkOk,
         "C:\\Program Files\\Ünï.exe"},
        {"drive alone", MakeLink(none, kComputer + Drive('\x23', "d:"), none), kShellLinkOk, "d:\\"},
        {"device under Computer, relative path", MakeLink(none, kComputer + Drive('\x2e', "C:\\"), "r"), kShellLinkOk,
         "r"},
        {"device under Computer", MakeLink(none, kComputer + Drive('\x2e', "C:\\"), none), kShellLinkNoFileSystemPath,
         "untouched"},
        {"drive without Computer", MakeLink(none, Drive('\x2f', "C:\\") + Entry('\x32', "A.TXT"), none),
         kShellLinkNoFileSystemPath, "untouched"},
        {"name climbing out", MakeLink(none, cDrive + Entry('\x31', "..") + Entry('\x32', "A.TXT"), none),
         kShellLinkNoFileSystemPath, "untouched"},
        {"name with a separator", MakeLink(none, cDrive + Entry('\x32', "a\\b"), none), kShellLinkNoFileSystemPath,
         "untouched"},
    };
}

}  // namespace orbel::test
