// The settings file code against the system's own profile functions: the
// same calls on the same files must read the same values and leave the
// same bytes behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "core/shell/profile_file.h"
#include "core/store/file_names.h"
#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

struct Op {
    enum Kind { Read, Write, Delete } kind;
    const char* section;
    const char* key;
    const char* value;  // the default of a read
};

struct Case {
    const char* what;
    const char* file;  // null: no file at first
    std::vector<Op> ops;
    // Wine drops every blank line when it rewrites a file; Windows keeps
    // them, and so do we: a user's layout of the file is not ours to change.
    bool wineDropsBlankLines = false;
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

std::vector<Case> Cases()
{
    using K = Op::Kind;
    return {
        {"reads of every kind of value", kSample,
         {{K::Read, "General Settings", "TaskBar", "d"}, {K::Read, "general settings", "TASKBAR", "d"},
          {K::Read, "General Settings", "Spaced", "d"}, {K::Read, "General Settings", "Quoted", "d"},
          {K::Read, "General Settings", "Single", "d"}, {K::Read, "General Settings", "Half", "d"},
          {K::Read, "General Settings", "Empty", "d"}, {K::Read, "General Settings", "Dup", "d"},
          {K::Read, "General Settings", "Missing", "def  "}, {K::Read, "No Section", "TaskBar", "  d  "},
          {K::Read, "Font Settings", "FontSize", ""}, {K::Read, "FONT SETTINGS", "fontname", ""},
          {K::Read, "General Settings", "; TaskBar", "d"}}},
        {"no file at all", nullptr,
         {{K::Read, "General Settings", "TaskBar", "1"}, {K::Delete, "General Settings", "TaskBar", nullptr}}},
        {"settings written into a fresh file", nullptr,
         {{K::Delete, "General Settings", "TaskBar", nullptr}, {K::Delete, "Font Settings", "WindowsDraw", nullptr},
          {K::Write, "General Settings", "TaskBar", "1"}, {K::Write, "Font Settings", "WindowsDraw", "1"},
          {K::Write, "Font Settings", "FontName", "Verdana"}, {K::Write, "Font Settings", "FontSize", "8"},
          {K::Read, "font settings", "fontsize", "x"}}},
        {"deleted and rewritten keys go to the end of their section", kSample,
         {{K::Delete, "General Settings", "TaskBar", nullptr}, {K::Write, "General Settings", "TaskBar", "1"},
          {K::Delete, "FONT SETTINGS", "fontname", nullptr}, {K::Write, "Font Settings", "FontName", "Tahoma"},
          {K::Read, "General Settings", "TaskBar", "d"}}},
        {"a key written in place keeps its place and its file neighbours", kSample,
         {{K::Write, "general settings", "taskbar", "1"}, {K::Write, "Other", "Kept", "no"},
          {K::Write, "General Settings", "Empty", ""}, {K::Read, "General Settings", "TaskBar", "d"}}},
        {"missing sections and keys are appended", kSample,
         {{K::Write, "New Section", "Key", "v"}, {K::Write, "Other", "Added", "a b  c"},
          {K::Delete, "Nowhere", "Key", nullptr}, {K::Delete, "Other", "Nothing", nullptr},
          {K::Read, "New Section", "Key", "d"}}},
        {"values with quotes and blanks are written as they are", kSample,
         {{K::Write, "Font Settings", "FontName", "\"Quoted Face\""}, {K::Read, "Font Settings", "FontName", ""},
          {K::Write, "Font Settings", "FontName", "  padded  "}, {K::Read, "Font Settings", "FontName", ""}}},
        {"a file without a line end at its end", "[General Settings]\r\nTaskBar=0",
         {{K::Read, "General Settings", "TaskBar", "d"}, {K::Write, "General Settings", "TaskBar", "1"},
          {K::Write, "Font Settings", "FontSize", "9"}}},
        {"comments and blank lines around the settings", kBlankLines,
         {{K::Read, "Font Settings", "FontName", "d"}, {K::Delete, "Font Settings", "FontName", nullptr},
          {K::Write, "Font Settings", "FontName", "Arial"}, {K::Write, "General Settings", "TaskBar", "0"}},
         true},
    };
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        return "<no file>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WithoutBlankLines(const std::string& text)
{
    std::string out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line != "\r" && !line.empty())
            out += line + "\n";
    }
    return out;
}

TEST(ProfileOracle, AgreesWithTheSystemsProfileFunctions)
{
    int reads = 0, files = 0;
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
                systemReads.push_back(buffer);
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
        if (changed && (c.file || file.Text() != ""))
            file.Save(ours);
        EXPECT_EQ(ourReads, systemReads);
        reads += static_cast<int>(ourReads.size());
        const std::string systemText = ReadAll(system), ourText = ReadAll(ours);
        if (c.wineDropsBlankLines && systemText != ourText) {
            EXPECT_EQ(WithoutBlankLines(ourText), WithoutBlankLines(systemText));
            EXPECT_EQ(systemText.find("\r\n\r\n"), std::string::npos) << "the system kept blank lines after all";
            EXPECT_NE(ourText.find("\r\n\r\n"), std::string::npos) << "blank lines were lost";
        } else {
            EXPECT_EQ(ourText, systemText);
        }
        ++files;
    }
    std::cout << "profile oracle: " << Cases().size() << " files, " << reads << " reads and " << files
              << " resulting files compared\n";
}

}  // namespace
}  // namespace orbel
