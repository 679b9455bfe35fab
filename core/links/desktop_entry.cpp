#include "core/links/desktop_entry.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/store/file_names.h"

namespace orbel {

namespace {

// Launchers are small; a larger file is not one.
constexpr std::uintmax_t kMaxEntrySize = 1u << 20;

std::string_view Trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

// The escapes of string values. Unknown ones stay as they are, so that the
// Exec quoting rules see their backslash.
std::string UnescapeString(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        switch (v[i + 1]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default:
            out += '\\';
            out += v[i + 1];
            break;
        }
        ++i;
    }
    return out;
}

// We start programs without files, so every field code expands to nothing.
// Unknown letters (the deprecated %d %D %n %N %v %m among them) are dropped
// too rather than passed on as literal text.
std::string RemoveFieldCodes(const std::string& word, bool& hadCode) {
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            out += word[i];
            continue;
        }
        const char code = word[++i];
        const bool letter = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
        if (code == '%') {
            out += '%';
        } else if (letter) {
            hadCode = true;
        } else {
            out += '%';
            out += code;
        }
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool NeedsQuotes(const std::string& word) {
    if (word.empty()) return true;
    for (const char c : word) {
        if (IsBlank(c) || c == '"') return true;
    }
    return false;
}

// %i, %c and %k stand for the entry's icon, name and file, which only the
// desktop's launcher fills in.
bool UsesEntryFieldCodes(std::string_view exec) {
    for (std::size_t i = 0; i + 1 < exec.size(); ++i) {
        if (exec[i] != '%') continue;
        const char code = exec[++i];
        if (code == 'i' || code == 'c' || code == 'k') return true;
    }
    return false;
}

// Booleans as GLib's key files read them.
bool IsTrue(const std::optional<std::string>& value) { return value && (*value == "true" || *value == "1"); }

// Calls f(key, value) for each key line of the first [Desktop Entry] group,
// blanks around both removed; keys keep their locale suffix ("Name[de]").
template <class F> void ForEachEntryKey(std::string_view text, F&& f) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inEntryGroup = false;
    bool sawEntryGroup = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            // Keys of a second [Desktop Entry] group would be duplicates;
            // the first group decides.
            inEntryGroup = line == "[Desktop Entry]" && !sawEntryGroup;
            sawEntryGroup = sawEntryGroup || inEntryGroup;
            continue;
        }
        if (!inEntryGroup) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        f(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
    }
}

// How well a key's locale suffix fits the user's locale, as the format
// ranks them: lang_COUNTRY@MODIFIER 5, lang_COUNTRY 4, lang@MODIFIER 3,
// lang 2, the untranslated key 1; 0 when it does not fit.
int LocaleFit(std::string_view suffix, std::string_view locale) {
    if (suffix.empty()) return 1;
    const std::size_t atPos = locale.find('@');
    const std::string_view modifier = atPos == std::string_view::npos ? std::string_view() : locale.substr(atPos + 1);
    locale = locale.substr(0, std::min(atPos, locale.find('.')));
    const std::size_t underscore = locale.find('_');
    const std::string_view lang = locale.substr(0, underscore);
    const std::string_view country = underscore == std::string_view::npos ? std::string_view()
                                                                          : locale.substr(underscore + 1);
    if (lang.empty()) return 0;
    const std::string withCountry = std::string(lang) + "_" + std::string(country);
    const std::string withModifier = "@" + std::string(modifier);
    if (!country.empty() && !modifier.empty() && suffix == withCountry + withModifier) return 5;
    if (!country.empty() && suffix == withCountry) return 4;
    if (!modifier.empty() && suffix == std::string(lang) + withModifier) return 3;
    return suffix == lang ? 2 : 0;
}

// A list value: ';' ends each element, "\\;" is a semicolon inside one.
std::vector<std::string> SplitList(std::string_view value) {
    std::vector<std::string> items;
    std::string item;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            item += ';';
            ++i;
        } else if (value[i] == ';') {
            if (!Trim(item).empty()) items.emplace_back(Trim(item));
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!Trim(item).empty()) items.emplace_back(Trim(item));
    for (std::string& s : items) s = UnescapeString(s);
    return items;
}

// Reads a launcher, small as launchers are; nothing when it cannot.
std::optional<std::string> ReadEntryFile(const std::string& file) {
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(FsPath(file), ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(FsPath(file), ec);
    if (ec || size > kMaxEntrySize) return std::nullopt;
    std::ifstream in(FsPath(file), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

std::optional<std::vector<std::string>> SplitExecValue(std::string_view exec) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    const auto finish = [&] {
        if (!inWord) return;
        bool hadCode = false;
        std::string expanded = RemoveFieldCodes(word, hadCode);
        if (!(hadCode && expanded.empty())) words.push_back(std::move(expanded));
        word.clear();
        inWord = false;
    };
    while (i < exec.size()) {
        const char c = exec[i];
        if (IsBlank(c)) {
            finish();
            ++i;
        } else if (c == '"') {
            inWord = true;
            for (++i;; ++i) {
                if (i == exec.size()) return std::nullopt;
                if (exec[i] == '"') break;
                if (exec[i] == '\\' && i + 1 < exec.size()) {
                    const char next = exec[i + 1];
                    if (next == '"' || next == '`' || next == '$' || next == '\\') {
                        word += next;
                        ++i;
                        continue;
                    }
                }
                word += exec[i];
            }
            ++i;
        } else if (c == '\'') {
            inWord = true;
            const std::size_t close = exec.find('\'', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            word.append(exec.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '\\' && i + 1 < exec.size()) {
            inWord = true;
            word += exec[i + 1];
            i += 2;
        } else {
            inWord = true;
            word += c;
            ++i;
        }
    }
    finish();
    return words;
}

std::vector<std::string> SplitCommandWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;  // the word had quotes, so it counts even when empty
    bool inQuote = false;
    int quotes = 0;
    for (const char c : text) {
        if (c == '"') {
            quoted = true;
            if (++quotes == 3) {
                quotes = 0;
                word += c;
            }
            continue;
        }
        inQuote ^= quotes == 1;
        quotes = 0;
        if (inQuote || !IsBlank(c)) {
            word += c;
        } else if (!word.empty() || quoted) {
            words.push_back(std::move(word));
            word.clear();
            quoted = false;
        }
    }
    if (!word.empty() || quoted) words.push_back(std::move(word));
    return words;
}

std::string JoinCommandWords(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words) {
        if (!out.empty()) out += ' ';
        if (!NeedsQuotes(word)) {
            out += word;
            continue;
        }
        out += '"';
        for (const char c : word) {
            if (c == '"') out += "\"\"\"";
            else out += c;
        }
        out += '"';
    }
    return out;
}

std::optional<DesktopEntryLink> ParseDesktopEntry(std::string_view text) {
    std::optional<std::string> exec;
    std::optional<std::string> type;
    std::optional<std::string> terminal;
    std::optional<std::string> path;
    std::optional<std::string> dbusActivatable;
    ForEachEntryKey(text, [&](std::string_view key, std::string_view value) {
        const auto keepFirst = [&](std::optional<std::string>& slot) {
            if (!slot) slot = UnescapeString(value);
        };
        if (key == "Exec") keepFirst(exec);
        else if (key == "Type") keepFirst(type);
        else if (key == "Terminal") keepFirst(terminal);
        else if (key == "Path") keepFirst(path);
        else if (key == "DBusActivatable") keepFirst(dbusActivatable);
    });

    // A NUL would cut the program's name short when it is started.
    if (!exec || exec->find('\0') != std::string::npos || (type && *type != "Application")) return std::nullopt;
    std::optional<std::vector<std::string>> words = SplitExecValue(*exec);
    if (!words || words->empty() || words->front().empty()) return std::nullopt;

    DesktopEntryLink link;
    link.program = std::move(words->front());
    link.words.assign(std::make_move_iterator(words->begin() + 1), std::make_move_iterator(words->end()));
    link.arguments = JoinCommandWords(link.words);
    link.needsLauncher = IsTrue(terminal) || (path && !path->empty()) || IsTrue(dbusActivatable) ||
                         UsesEntryFieldCodes(*exec);
    return link;
}

std::optional<DesktopEntryTexts> ParseDesktopEntryTexts(std::string_view text, std::string_view locale) {
    struct Best {
        int fit = 0;
        std::string_view value;
    } name, genericName, keywords;
    bool sawGroup = false;
    ForEachEntryKey(text, [&](std::string_view key, std::string_view value) {
        sawGroup = true;
        std::string_view suffix;
        const std::size_t open = key.find('[');
        if (open != std::string_view::npos) {
            if (key.back() != ']') return;
            suffix = key.substr(open + 1, key.size() - open - 2);
            key = key.substr(0, open);
        }
        Best* slot = key == "Name"          ? &name
                     : key == "GenericName" ? &genericName
                     : key == "Keywords"    ? &keywords
                                            : nullptr;
        if (!slot) return;
        const int fit = LocaleFit(suffix, locale);
        if (fit > slot->fit) *slot = Best{fit, value};
    });
    if (!sawGroup) return std::nullopt;
    DesktopEntryTexts t;
    t.name = UnescapeString(name.value);
    t.genericName = UnescapeString(genericName.value);
    t.keywords = SplitList(keywords.value);
    return t;
}

std::optional<DesktopEntryTexts> ReadDesktopEntryTexts(const std::string& file, std::string_view locale) {
    const std::optional<std::string> text = ReadEntryFile(file);
    if (!text) return std::nullopt;
    return ParseDesktopEntryTexts(*text, locale);
}

std::string MessagesLocale() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    if (locale == "C" || locale == "POSIX") locale.clear();
    return locale;
}

std::optional<DesktopEntryLink> ReadDesktopEntryFile(const std::string& file) {
    const std::optional<std::string> text = ReadEntryFile(file);
    if (!text) return std::nullopt;
    return ParseDesktopEntry(*text);
}

}  // namespace orbel
