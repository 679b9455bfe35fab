// The command's options, and the line a request travels in.

#include "core/program/command_line.h"

#include <gtest/gtest.h>

namespace orbel {
namespace {

using K = RequestKind;

TEST(CommandLine, OptionsGiveOneRequestOrAnError) {
    struct Case {
        std::vector<std::string> args;
        K kind;
        std::string text;
        const char* error;  // a part of the message, or nullptr when none
    } cases[] = {
        {{}, K::None, "", nullptr},
        {{"--menu"}, K::Menu, "", nullptr},
        {{"--manager"}, K::Manager, "", nullptr},
        {{"--help"}, K::Help, "", nullptr},
        {{"-h"}, K::Help, "", nullptr},
        {{"--find"}, K::Find, "", nullptr},
        {{"--find", "march invoice"}, K::Find, "march invoice", nullptr},
        {{"--find", ""}, K::Find, "", nullptr},
        {{"--find=-x y"}, K::Find, "-x y", nullptr},
        {{"--find="}, K::Find, "", nullptr},
        // The toolkit's options stay the toolkit's.
        {{"-platform", "offscreen", "--manager"}, K::Manager, "", nullptr},
        {{"--menu", "-session", "1a2b", "-reverse"}, K::Menu, "", nullptr},
        {{"--style=fusion", "-qmljsdebugger=port:1"}, K::None, "", nullptr},
        {{"--find", "-style", "fusion"}, K::Find, "", nullptr},
        // Errors.
        {{"--frobnicate"}, K::None, "", "unknown option --frobnicate"},
        {{"-x"}, K::None, "", "unknown option -x"},
        {{"--menus"}, K::None, "", "unknown option --menus"},
        {{"--menu=1"}, K::None, "", "unknown option --menu=1"},
        {{"-reverse=1"}, K::None, "", "unknown option -reverse=1"},
        {{"--find", "march", "invoice"}, K::None, "", "unexpected argument \"invoice\""},
        {{"papa"}, K::None, "", "unexpected argument \"papa\""},
        {{"--menu", "--manager"}, K::None, "", "one request at a time"},
        {{"--find", "--find"}, K::None, "", "one request at a time"},
        {{"--help", "--menu"}, K::None, "", "one request at a time"},
        {{"--menu", "-platform"}, K::None, "", "-platform needs a value"},
        {{"--find", "-q"}, K::None, "", "unknown option -q"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& a : c.args) shown += "[" + a + "]";
        SCOPED_TRACE(shown);
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.request.kind, c.kind);
        EXPECT_EQ(line.request.text, c.text);
        if (!c.error) {
            EXPECT_EQ(line.error, "");
            continue;
        }
        EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << "one line: " << line.error;
    }
}

TEST(CommandLine, HelpListsEveryOption) {
    const std::string help = CommandHelpText();
    for (const char* option : {"--menu", "--find [TEXT]", "--manager", "--help", "-h"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(help.back(), '\n');
}

TEST(RequestLine, EveryRequestTravelsInOneLineAndBack) {
    const CommandRequest requests[] = {
        {K::Menu, ""},          {K::Manager, ""},
        {K::Find, ""},          {K::Find, "march invoice"},
        {K::Find, "a\\nb"},     {K::Find, "two\nlines\r\\"},
        {K::Find, "Ünïcødé  "},
    };
    for (const CommandRequest& r : requests) {
        SCOPED_TRACE(r.text);
        const std::string line = EncodeRequest(r);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        EXPECT_EQ(DecodeRequest(line), std::optional<CommandRequest>(r));
    }
    for (const char* bad : {"", "menu ", "Menu", "help", "find", "find a\\", "find a\\t", "find a\nb", "exit"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(DecodeRequest(bad), std::nullopt);
    }
}

}  // namespace
}  // namespace orbel
