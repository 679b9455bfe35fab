// The finder's matching and ranking (see search_index.h).

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

#include "core/search/fold.h"
#include "core/search/search_index.h"

namespace orbel {

namespace {

// How well one query word matches one text; higher is better.
enum Tier : int { kNone = 0, kScattered = 1, kInside = 3, kStarts = 5, kWordStart = 6, kWholeWord = 7 };

struct Text {
    const char* s;
    const std::uint8_t* starts;
    std::size_t n;
    std::string_view view() const { return {s, n}; }
};

// Folded text has no capitals; every byte of a character beyond ASCII counts
// as a letter (what folding keeps of punctuation there is rare in captions).
bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

// The letters of w in order anywhere in t, each whole character at a time
// (so that no part of one character stands in for another).
bool Scattered(const Text& t, std::string_view w) {
    std::size_t pos = 0;
    std::size_t i = 0;
    while (i < w.size()) {
        std::size_t n = 1;
        while (i + n < w.size() && !IsCharStart(w[i + n])) ++n;
        if (n == 1) {
            const void* hit = pos < t.n ? std::memchr(t.s + pos, w[i], t.n - pos) : nullptr;
            if (!hit) return false;
            pos = static_cast<std::size_t>(static_cast<const char*>(hit) - t.s) + 1;
        } else {
            pos = t.view().find(w.substr(i, n), pos);
            if (pos == std::string_view::npos) return false;
            pos += n;
        }
        i += n;
    }
    return true;
}

// w split into pieces that each begin a word of t, in order: "vscode" over
// "visual studio code". Failed (piece, first word) pairs are remembered, so
// the search stays polynomial; texts with more words than that memory holds
// are cut at its end.
class WordStartPieces {
public:
    WordStartPieces(const Text& t, std::string_view w) : t_(t), w_(w) {
        for (std::size_t p = 0; p < t.n && count_ < kMaxWords; ++p)
            if (t.starts[p]) at_[count_++] = static_cast<std::uint16_t>(p);
    }
    bool found() { return w_.size() <= kMaxQuery && count_ >= 2 && from(0, 0); }

private:
    static constexpr std::size_t kMaxWords = 64;
    static constexpr std::size_t kMaxQuery = 64;

    bool from(std::size_t q, std::size_t firstWord) {
        if (q == w_.size()) return true;
        if (failed_[q] & (std::uint64_t{1} << firstWord)) return false;
        for (std::size_t k = firstWord; k < count_; ++k) {
            const std::size_t p = at_[k];
            if (t_.s[p] != w_[q]) continue;
            std::size_t common = 0;
            while (q + common < w_.size() && p + common < t_.n && t_.s[p + common] == w_[q + common]) ++common;
            for (std::size_t len = common; len > 0; --len) {
                if (q + len < w_.size() && !IsCharStart(w_[q + len])) continue;
                std::size_t next = k + 1;
                while (next < count_ && at_[next] < p + len) ++next;
                if (q + len == w_.size() || (next < count_ && from(q + len, next))) return true;
            }
        }
        if (firstWord < 64) failed_[q] |= std::uint64_t{1} << firstWord;
        return false;
    }

    const Text& t_;
    std::string_view w_;
    std::array<std::uint16_t, kMaxWords> at_{};
    std::size_t count_ = 0;
    std::array<std::uint64_t, kMaxQuery + 1> failed_{};
};

struct Match {
    int tier = kNone;
    std::size_t position = 0;  // where the best match begins
};

Match MatchText(const Text& t, std::string_view w) {
    Match best;
    if (w.size() > t.n) return best;
    const std::string_view v = t.view();
    for (std::size_t pos = v.find(w); pos != std::string_view::npos; pos = v.find(w, pos + 1)) {
        if (t.starts[pos]) {
            const std::size_t end = pos + w.size();
            const bool whole = end == t.n || t.starts[end] || !IsWordByte(t.s[end]);
            if (whole) return {kWholeWord, pos};
            if (best.tier < kWordStart) best = {kWordStart, pos};
        } else if (best.tier < kInside) {
            best = {kInside, pos};
        }
    }
    if (best.tier >= kWordStart) return best;
    if (w.size() >= 2 && WordStartPieces(t, w).found()) return {kStarts, 0};
    if (best.tier != kNone) return best;
    if (Scattered(t, w)) return {kScattered, 0};
    return best;
}

// Whether the words, as typed with blanks between them, begin at a word of t.
bool PhraseAtWordStart(const Text& t, std::string_view phrase) {
    const std::string_view v = t.view();
    for (std::size_t pos = v.find(phrase); pos != std::string_view::npos; pos = v.find(phrase, pos + 1))
        if (t.starts[pos]) return true;
    return false;
}

struct Word {
    std::string text;
    std::uint64_t mask;
};

struct Scored {
    std::uint64_t key;
    std::uint32_t entry;
};

// The rank key of entry e for the words, or 0 when a word does not match:
// match quality, then launch weight, then the earlier first match, then the
// shorter caption.
std::uint64_t Score(const SearchIndex& index, const SearchIndex::Entry& e, const std::vector<Word>& words,
                    std::string_view phrase) {
    const char* base = index.folded().data() + e.text;
    const std::uint8_t* starts = index.starts().data() + e.text;
    const Text caption{base, starts, e.captionLength};
    const Text other{base + e.captionLength, starts + e.captionLength, e.otherLength};
    std::uint64_t quality = 0;
    std::size_t firstPosition = 0xFF;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        if (w.mask & ~e.mask) return 0;
        const Match inCaption = MatchText(caption, w.text);
        // A caption match stands above the same match elsewhere, below a better one.
        int points = inCaption.tier == kNone ? 0 : inCaption.tier * 2 + 1;
        if (inCaption.tier < kWholeWord && e.otherLength > 0) {
            const Match inOther = MatchText(other, w.text);
            points = std::max(points, inOther.tier * 2);
        }
        if (points == 0) return 0;
        if (i == 0 && inCaption.tier != kNone) firstPosition = std::min<std::size_t>(inCaption.position, 0xFF);
        quality += static_cast<std::uint64_t>(points);
    }
    // The words as they stand in one of the texts ("file manager" in "File
    // Manager") say more than each word somewhere.
    if (!phrase.empty()) {
        if (PhraseAtWordStart(caption, phrase)) quality += 3;
        else if (PhraseAtWordStart(other, phrase)) quality += 2;
    }
    quality = std::min<std::uint64_t>(quality, 0xFFFF);
    const std::uint64_t shortness = 0xFF - std::min<std::uint64_t>(e.captionLength, 0xFF);
    return (quality << 48) | (std::uint64_t{e.weight} << 32) | ((0xFF - firstPosition) << 24) | (shortness << 16) | 1;
}

// Whether every entry that matches next also matches before: each word of
// before is the start of the word at its place in next.
bool Narrows(const std::vector<std::string>& before, const std::vector<std::string>& next) {
    if (before.size() > next.size()) return false;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (next[i].compare(0, before[i].size(), before[i]) != 0) return false;
    return true;
}

}  // namespace

std::vector<std::string> QueryWords(std::string_view query) {
    std::string folded = Folded(query);
    // A pasted no-break, wide or ideographic space parts words as a blank does.
    for (const std::string_view space : {"\u00A0", "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006",
                                         "\u2007", "\u2008", "\u2009", "\u200A", "\u202F", "\u3000"})
        for (std::size_t at = folded.find(space); at != std::string::npos; at = folded.find(space, at))
            folded.replace(at, space.size(), " ");
    std::vector<std::string> words;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (i < folded.size()) {
        while (i < folded.size() && blank(folded[i])) ++i;
        const std::size_t begin = i;
        while (i < folded.size() && !blank(folded[i])) ++i;
        if (i > begin) words.emplace_back(folded, begin, i - begin);
    }
    return words;
}

const std::vector<SearchRow>& Finder::find(std::string_view query, std::size_t limit) {
    rows_.clear();
    matchCount_ = 0;
    std::vector<std::string> words = QueryWords(query);
    if (words.empty()) {
        steps_.clear();
        return rows_;
    }
    if (generation_ != index_.generation()) steps_.clear();
    generation_ = index_.generation();
    // The last query this one narrows gives the entries to look at.
    while (!steps_.empty() && !Narrows(steps_.back().words, words)) steps_.pop_back();
    const std::vector<std::uint32_t>* candidates = steps_.empty() ? nullptr : &steps_.back().matches;

    // A word typed twice asks nothing more.
    std::vector<Word> scoredWords;
    scoredWords.reserve(words.size());
    std::unordered_set<std::string_view> seen;
    for (const std::string& w : words)
        if (seen.insert(w).second) scoredWords.push_back({w, CharMask(w)});
    // The most telling word first: an entry then fails sooner.
    std::stable_sort(scoredWords.begin() + 1, scoredWords.end(),
                     [](const Word& a, const Word& b) { return a.text.size() > b.text.size(); });

    std::string phrase;
    if (words.size() > 1)
        for (const std::string& w : words) phrase += (phrase.empty() ? "" : " ") + w;

    const auto& entries = index_.entries();
    std::vector<Scored> scored;
    std::vector<std::uint32_t> matches;
    const auto consider = [&](std::uint32_t i) {
        const std::uint64_t key = Score(index_, entries[i], scoredWords, phrase);
        if (key == 0) return;
        scored.push_back({key, i});
        matches.push_back(i);
    };
    if (candidates) {
        scored.reserve(candidates->size());
        matches.reserve(candidates->size());
        for (const std::uint32_t i : *candidates) consider(i);
    } else {
        for (std::uint32_t i = 0; i < entries.size(); ++i) consider(i);
    }
    matchCount_ = scored.size();

    const auto better = [](const Scored& a, const Scored& b) {
        return a.key != b.key ? a.key > b.key : a.entry < b.entry;
    };
    const std::size_t shown = std::min(limit, scored.size());
    std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(shown), scored.end(), better);
    rows_.reserve(shown);
    for (std::size_t r = 0; r < shown; ++r) {
        const SearchIndex::Entry& e = entries[scored[r].entry];
        rows_.push_back({e.itemNumber, std::string(index_.caption(e)), index_.folderHint(e.folder)});
    }

    // Each letter typed adds a step; the steps of a long query are few.
    constexpr std::size_t kMaxSteps = 64;
    if (steps_.size() == kMaxSteps) steps_.erase(steps_.begin());
    steps_.push_back({std::move(words), std::move(matches)});
    return rows_;
}

}  // namespace orbel
