// The settings file code against the system's own profile functions: the
// same calls on the same files must read the same values and leave the
// same bytes behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "core/program/profile_file.h"
#include "core/store/file_names.h"
#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

struct Op {
    enum Kind { Read, Write, Delete } kind;
    const char* section;
    const char* key;
    const char* value;  // the default of a read
    // Where Wine is known to answer otherwise than Windows: what Windows
    // (and so the program) reads.
    const char* windows = nullptr;
};

struct Case {
    const char* what;
    const char* file;  // null: no file at first
    std::vector<Op> ops;
};

const char* const kSample =
    "; a comment\r\n"
    "[General Settings]\r\n"
    "TaskBar=0\r\n"
    "Spaced =  a value  \r\n"
    "Quoted=\"  in quotes \"\r\n"
    "Single='x'\r\n"
    "Half=\"open\r\n"
    "Empty=\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "; TaskBar=2\r\n"
    "[Font Settings]\r\n"
    "FontName=Arial\r\n"
    "FontSize=0x0A\r\n"
    "[Other]\r\n"
    "Kept=yes\r\n";

const char* const kBlankLines =
    "[General Settings]\r\n"
    "TaskBar=1\r\n"
    "\r\n"
    "[Font Settings]\r\n"
    "WindowsDraw=1\r\n"
    "FontName=Verdana\r\n"
    "\r\n";

std::vector<Case> Cases() {
    using K = Op::Kind;
    return {
        {"reads of every kind of value",
         kSample,
         {{K::Read, "General Settings", "TaskBar", "d"},
          {K::Read, "general settings", "TASKBAR", "d"},
          {K::Read, "General Settings", "Spaced", "d"},
          {K::Read, "General Settings", "Quoted", "d"},
          {K::Read, "General Settings", "Single", "d"},
          {K::Read, "General Settings", "Half", "d"},
          {K::Read, "General Settings", "Empty", "d"},
          {K::Read, "General Settings", "Dup", "d"},
          {K::Read, "General Settings", "Missing", "def  "},
          {K::Read, "No Section", "TaskBar", "  d  "},
          {K::Read, "Font Settings", "FontSize", ""},
          {K::Read, "FONT SETTINGS", "fontname", ""},
          // A line that starts with ";" is a comment to Windows, a key to Wine.
          {K::Read, "General Settings", "; TaskBar", "d", "d"}}},
        {"no file at all",
         nullptr,
         {{K::Read, "General Settings", "TaskBar", "1"}, {K::Delete, "General Settings", "TaskBar", nullptr}}},
        {"settings written into a fresh file",
         nullptr,
         {{K::Delete, "General Settings", "TaskBar", nullptr},
          {K::Delete, "Font Settings", "WindowsDraw", nullptr},
          {K::Write, "General Settings", "TaskBar", "1"},
          {K::Write, "Font Settings", "WindowsDraw", "1"},
          {K::Write, "Font Settings", "FontName", "Verdana"},
          {K::Write, "Font Settings", "FontSize", "8"},
          {K::Read, "font settings", "fontsize", "x"}}},
        {"deleted and rewritten keys go to the end of their section",
         kSample,
         {{K::Delete, "General Settings", "TaskBar", nullptr},
          {K::Write, "General Settings", "TaskBar", "1"},
          {K::Delete, "FONT SETTINGS", "fontname", nullptr},
          {K::Write, "Font Settings", "FontName", "Tahoma"},
          {K::Read, "General Settings", "TaskBar", "d"}}},
        {"a key written in place keeps its place and its file neighbours",
         kSample,
         {{K::Write, "general settings", "taskbar", "1"},
          {K::Write, "Other", "Kept", "no"},
          {K::Write, "General Settings", "Empty", ""},
          {K::Read, "General Settings", "TaskBar", "d"}}},
        {"missing sections and keys are appended",
         kSample,
         {{K::Write, "New Section", "Key", "v"},
          {K::Write, "Other", "Added", "a b  c"},
          {K::Delete, "Nowhere", "Key", nullptr},
          {K::Delete, "Other", "Nothing", nullptr},
          {K::Read, "New Section", "Key", "d"}}},
        {"values with quotes and blanks are written as they are",
         kSample,
         {{K::Write, "Font Settings", "FontName", "\"Quoted Face\""},
          {K::Read, "Font Settings", "FontName", ""},
          {K::Write, "Font Settings", "FontName", "  padded  "},
          {K::Read, "Font Settings", "FontName", ""}}},
        {"a file without a line end at its end",
         "[General Settings]\r\nTaskBar=0",
         {{K::Read, "General Settings", "TaskBar", "d"},
          {K::Write, "General Settings", "TaskBar", "1"},
          {K::Write, "Font Settings", "FontSize", "9"}}},
        {"comments and blank lines around the settings",
         kBlankLines,
         {{K::Read, "Font Settings", "FontName", "d"},
          {K::Delete, "Font Settings", "FontName", nullptr},
          {K::Write, "Font Settings", "FontName", "Arial"},
          {K::Write, "General Settings", "TaskBar", "0"}}},
    };
}

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(" \t") + 1 - b);
}

// Wine writes the whole file anew from what it parsed: blank lines go, and
// so do the blanks around names and values. Windows changes only the lines
// it writes and keeps every other line as it was; so do we, since the
// user's layout of the file is not ours to change. Compared with Wine, the
// files are taken in Wine's form.
std::string WineForm(const std::string& text) {
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trim(line).empty()) continue;
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && Trim(line)[0] != '[')
            line = Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1));
        out += line + "\r\n";
    }
    return out;
}

// The lines of the first file that no operation wrote or deleted stay, in
// their order and byte for byte, in the result.
void ExpectUntouchedLinesKept(const Case& c, const std::string& result) {
    std::vector<std::string> touched;
    for (const Op& op : c.ops) {
        if (op.kind != Op::Read) touched.push_back(op.key);
    }
    std::istringstream lines(c.file);
    std::size_t at = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.find('=');
        const std::string key = eq == std::string::npos ? std::string() : Trim(line.substr(0, eq));
        bool written = false;
        for (const std::string& k : touched) written = written || _stricmp(k.c_str(), key.c_str()) == 0;
        if (written) continue;
        const std::size_t found = result.find(line + (!line.empty() && line.back() == '\r' ? "\n" : ""), at);
        EXPECT_NE(found, std::string::npos) << "lost or moved: " << line;
        if (found != std::string::npos) at = found + line.size();
    }
}

TEST(ProfileOracle, AgreesWithTheSystemsProfileFunctions) {
    int reads = 0, identical = 0, inWineForm = 0;
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string system = dir / "system.ini", ours = dir / "ours.ini";
        if (c.file) {
            dir.write("system.ini", c.file);
            dir.write("ours.ini", c.file);
        }
        std::vector<std::string> systemReads, ourReads;
        ProfileFile file = ProfileFile::Load(ours);
        bool changed = false;
        for (const Op& op : c.ops) {
            switch (op.kind) {
            case Op::Read: {
                char buffer[2048] = {};
                GetPrivateProfileStringA(op.section, op.key, op.value, buffer, sizeof buffer, system.c_str());
                systemReads.push_back(op.windows ? op.windows : buffer);
                ourReads.push_back(file.ReadString(op.section, op.key, op.value));
                break;
            }
            case Op::Write:
                ASSERT_TRUE(WritePrivateProfileStringA(op.section, op.key, op.value, system.c_str()));
                file.WriteString(op.section, op.key, op.value);
                changed = true;
                break;
            case Op::Delete:
                WritePrivateProfileStringA(op.section, op.key, nullptr, system.c_str());
                file.DeleteKey(op.section, op.key);
                changed = true;
                break;
            }
        }
        if (changed && (c.file || !file.Text().empty())) file.Save(ours);
        EXPECT_EQ(ourReads, systemReads);
        reads += static_cast<int>(ourReads.size());
        const std::string systemText = test::ReadBytes(system), ourText = test::ReadBytes(ours);
        if (ourText == systemText) {
            ++identical;
            continue;
        }
        EXPECT_EQ(WineForm(ourText), WineForm(systemText));
        if (c.file) ExpectUntouchedLinesKept(c, ourText);
        ++inWineForm;
    }
    std::cout << "profile oracle: " << Cases().size() << " files, " << reads << " reads agree; resulting files "
              << identical << " byte for byte, " << inWineForm << " after Wine's rewrite of untouched lines\n";
}

}  // namespace
}  // namespace orbel
