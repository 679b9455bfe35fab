#include "core/program/command_line.h"

#include <algorithm>
#include <array>

namespace orbel {
namespace {

// The toolkit's options for every program; a start from a session manager
// passes "-session ID", and a user may pick a platform or a style.
constexpr std::array<std::string_view, 11> kToolkitOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "style",           "stylesheet",         "display"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <size_t N> bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::string_view kHint = " (orbel --help lists the options)";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    auto fail = [&line](std::string message) {
        line.request = {};
        line.error = std::move(message) + std::string(kHint);
        return line;
    };
    bool requested = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        CommandRequest next;
        if (arg == "--menu") {
            next.kind = RequestKind::Menu;
        } else if (arg == "--manager") {
            next.kind = RequestKind::Manager;
        } else if (arg == "--help" || arg == "-h") {
            next.kind = RequestKind::Help;
        } else if (arg == "--find") {
            next.kind = RequestKind::Find;
            // The text is optional: an option after it is not the text
            // (--find=TEXT gives one that begins with "-").
            if (i + 1 < args.size() && (args[i + 1].empty() || args[i + 1][0] != '-')) next.text = args[++i];
        } else if (arg.rfind("--find=", 0) == 0) {
            next.kind = RequestKind::Find;
            next.text = arg.substr(7);
        } else if (arg.size() > 1 && arg[0] == '-') {
            // Qt takes its options with one dash or two, the value apart or after "=".
            std::string_view name(arg);
            name.remove_prefix(name.rfind("--", 0) == 0 ? 2 : 1);
            const size_t equals = name.find('=');
            const bool inlineValue = equals != std::string_view::npos;
            if (inlineValue) name = name.substr(0, equals);
            if (Contains(kToolkitFlags, name) && !inlineValue) continue;
            if (name == "qmljsdebugger" && inlineValue) continue;
            if (Contains(kToolkitOptionsWithValue, name)) {
                if (inlineValue) continue;
                if (i + 1 < args.size()) {
                    ++i;
                    continue;
                }
                return fail("option " + arg + " needs a value");
            }
            return fail("unknown option " + arg);
        } else {
            return fail("unexpected argument \"" + arg + "\"");
        }
        if (requested) return fail("one request at a time: " + arg + " follows another");
        requested = true;
        line.request = std::move(next);
    }
    return line;
}

std::string CommandHelpText() {
    return "Usage: orbel [OPTION]\n"
           "Tandrel Orbel, a personal start menu in the notification area.\n"
           "Without an option it starts (and ends at once when it runs already). With an\n"
           "option it asks the running program, and starts it first when none runs.\n"
           "\n"
           "  --menu          open the menu at the pointer (the find window on Wayland)\n"
           "  --find [TEXT]   open the find window, with TEXT typed in\n"
           "                  (quote a TEXT of several words; --find=TEXT for one that\n"
           "                  begins with -)\n"
           "  --manager       open the item manager\n"
           "  -h, --help      show these options and end\n"
           "\n"
           "Bind \"orbel --menu\" or \"orbel --find\" to a key in the desktop's keyboard\n"
           "settings to open the menu from anywhere.\n";
}

// A word, a blank and the text; the text's backslashes and line ends are
// escaped, so that the request stays one line.
std::string EncodeRequest(const CommandRequest& request) {
    switch (request.kind) {
    case RequestKind::Menu: return "menu";
    case RequestKind::Manager: return "manager";
    case RequestKind::Find: {
        std::string line = "find ";
        for (const char c : request.text) {
            if (c == '\\') line += "\\\\";
            else if (c == '\n') line += "\\n";
            else if (c == '\r') line += "\\r";
            else line += c;
        }
        return line;
    }
    case RequestKind::None:
    case RequestKind::Help: break;
    }
    return {};
}

std::optional<CommandRequest> DecodeRequest(std::string_view line) {
    if (line == "menu") return CommandRequest{RequestKind::Menu, {}};
    if (line == "manager") return CommandRequest{RequestKind::Manager, {}};
    if (line.rfind("find ", 0) != 0) return std::nullopt;
    CommandRequest request{RequestKind::Find, {}};
    for (size_t i = 5; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\n' || c == '\r') return std::nullopt;
        if (c != '\\') {
            request.text += c;
            continue;
        }
        if (++i == line.size()) return std::nullopt;
        switch (line[i]) {
        case '\\': request.text += '\\'; break;
        case 'n': request.text += '\n'; break;
        case 'r': request.text += '\r'; break;
        default: return std::nullopt;
        }
    }
    return request;
}

}  // namespace orbel
