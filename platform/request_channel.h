#pragma once
// A channel for one-line requests from other starts of the program to the
// running one, and their one-line answers: a named pipe of this user and
// session (SingleInstanceLock::channelName) on Windows. Linux takes them on
// the toolkit's local socket and the session bus instead, so only the
// Windows build has this service.

#include <functional>
#include <memory>
#include <string>

namespace orbel::platform {

class RequestChannelServer {
public:
    // Gets a request line (without its line end) and returns the answer
    // line; called on the server's own thread, one request at a time.
    using Handler = std::function<std::string(const std::string& line)>;
    RequestChannelServer(std::string name, Handler handler);
    // Stops serving; a request being answered is finished first.
    ~RequestChannelServer();
    RequestChannelServer(const RequestChannelServer&) = delete;
    RequestChannelServer& operator=(const RequestChannelServer&) = delete;

    // Starts serving; false with errorString when the channel cannot be
    // made (another program serves it already).
    bool listen();
    std::string errorString() const { return error_; }

private:
    struct State;
    std::string name_;
    Handler handler_;
    std::string error_;
    std::unique_ptr<State> state_;
};

// Sends the line and waits up to timeoutMs for the answer line. False with
// the reason when it fails; `reached` tells whether a server took the line
// (else nobody serves the channel, or not yet).
bool SendOnRequestChannel(const std::string& name, const std::string& line, int timeoutMs, std::string* answer,
                          std::string* error, bool* reached);

}  // namespace orbel::platform
