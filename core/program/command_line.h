#pragma once
// The command's options: what a start of "orbel" asks for, the help that
// lists them, and the one-line form a request travels in to the running
// program.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbel {

enum class RequestKind { None, Menu, Find, Manager, Help };

struct CommandRequest {
    RequestKind kind = RequestKind::None;
    // What --find types into the find window (may be empty).
    std::string text;
    bool operator==(const CommandRequest&) const = default;
};

struct CommandLine {
    CommandRequest request;
    // One line, without the program's name, when the options make no sense.
    std::string error;
};

// The arguments after the program's name. The toolkit's own options
// (-platform NAME, -style NAME, -session ID and the like) are let through
// for the toolkit, as before.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What --help prints, ending with a line end.
std::string CommandHelpText();

// A request (Menu, Find or Manager) as one line without its line end, and
// back; nullopt for a line that is no request.
std::string EncodeRequest(const CommandRequest& request);
std::optional<CommandRequest> DecodeRequest(std::string_view line);

}  // namespace orbel
