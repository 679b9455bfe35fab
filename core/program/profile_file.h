#pragma once
// A profile file ("[section]" lines and "key=value" lines) with the
// semantics of the Windows profile functions: names match without regard to
// letter case, a deleted and rewritten key goes to the end of its section, a
// missing section is appended, and every other line stays as it was. The
// whole file is read once, changed in memory and written back in one piece.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace orbel {

class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The last step of Save: renames the written temporary file over the
// settings file with the installed system calls (errno tells why not).
bool ReplaceFile(const std::string& from, const std::string& to);

class ProfileFile {
public:
    // At most this many characters of a value come back (a 2048-byte buffer).
    static constexpr std::size_t kMaxValue = 2047;

    ProfileFile() = default;
    // Parses text with CR LF or LF line ends.
    static ProfileFile FromText(const std::string& text);
    // Reads the file; a missing file is an empty profile. A file that exists
    // but cannot be read gives an empty profile that refuses to be saved, so
    // its contents are never replaced by what little we know.
    static ProfileFile Load(const std::string& path);

    // The value of key in section: surrounding blanks removed and one pair of
    // matching quotes dropped; def (without its trailing blanks) when the
    // section or the key is missing. An empty value is empty, not def.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    bool HasKey(const std::string& section, const std::string& key) const;

    // Replaces the value in place when the key exists, else appends the key
    // at the end of its section, appending the section when it is missing.
    // Names or values that would break the line structure are refused.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Removes the key; a missing key or section is no error.
    void DeleteKey(const std::string& section, const std::string& key);

    // The whole file with CR LF line ends.
    std::string Text() const;
    // Writes the file beside itself under a temporary name, flushes it and
    // renames it over path: a failure leaves the old file untouched.
    // Throws ProfileError "Unable to write to <path>: <the system's reason>".
    void Save(const std::string& path) const;

private:
    // Index of the section header line, or npos.
    std::size_t FindSection(const std::string& section) const;
    // Index of the key line within the section starting at header, or npos.
    std::size_t FindKey(std::size_t header, const std::string& key) const;
    // One past the last line that belongs to the section at header.
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<std::string> lines_;
    bool readOnly_ = false;
};

}  // namespace orbel
