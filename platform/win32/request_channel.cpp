#include "platform/request_channel.h"

#include "platform/win32/wide.h"

#include <thread>

namespace orbel::platform {

namespace {

// A request is a short line; anything longer is not one of ours.
constexpr size_t kLineLimit = 64 * 1024;
// How long the server gives a client to send its line.
constexpr DWORD kClientMs = 5000;

std::wstring PipePath(const std::string& name) { return L"\\\\.\\pipe\\" + win32::Wide(name); }

// Overlapped I/O on a handle opened for it: false when it failed, or when
// `stop` was set or `ms` passed first (the operation is then cancelled).
bool Finish(HANDLE handle, OVERLAPPED& io, BOOL started, HANDLE stop, DWORD ms, DWORD* bytes) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return false;
    HANDLE events[2] = {io.hEvent, stop};
    const DWORD waited = WaitForMultipleObjects(stop ? 2 : 1, events, FALSE, ms);
    if (waited != WAIT_OBJECT_0) {
        CancelIoEx(handle, &io);
        GetOverlappedResult(handle, &io, bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(handle, &io, bytes, FALSE) != 0;
}

// Reads up to the first line end; false on an error, a stop, the time
// passing or a line over the limit.
bool ReadLine(HANDLE pipe, HANDLE event, HANDLE stop, DWORD ms, std::string* line) {
    const ULONGLONG end = GetTickCount64() + ms;
    char buffer[512];
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        OVERLAPPED io{};
        io.hEvent = event;
        DWORD got = 0;
        const BOOL started = ReadFile(pipe, buffer, sizeof buffer, nullptr, &io);
        if (!Finish(pipe, io, started, stop, DWORD(end - now), &got) || got == 0) return false;
        line->append(buffer, got);
        const size_t newline = line->find('\n');
        if (newline != std::string::npos) {
            line->resize(newline);
            return true;
        }
        if (line->size() > kLineLimit) return false;
    }
}

bool WriteAll(HANDLE pipe, HANDLE event, HANDLE stop, DWORD ms, const std::string& text) {
    OVERLAPPED io{};
    io.hEvent = event;
    DWORD written = 0;
    const BOOL started = WriteFile(pipe, text.data(), DWORD(text.size()), nullptr, &io);
    return Finish(pipe, io, started, stop, ms, &written) && written == text.size();
}

}  // namespace

struct RequestChannelServer::State {
    HANDLE stop = nullptr;
    HANDLE event = nullptr;
    HANDLE pipe = INVALID_HANDLE_VALUE;
    std::thread thread;
};

RequestChannelServer::RequestChannelServer(std::string name, Handler handler)
    : name_(std::move(name)), handler_(std::move(handler)) {}

RequestChannelServer::~RequestChannelServer() {
    if (!state_) return;
    SetEvent(state_->stop);
    if (state_->thread.joinable()) state_->thread.join();
    if (state_->pipe != INVALID_HANDLE_VALUE) CloseHandle(state_->pipe);
    CloseHandle(state_->event);
    CloseHandle(state_->stop);
}

bool RequestChannelServer::listen() {
    if (state_) return true;
    if (name_.empty()) {
        error_ = "No name for the request channel";
        return false;
    }
    // One instance at a time, and the first of its name: a pipe of this
    // name made by someone else is not ours to serve.
    const HANDLE pipe = CreateNamedPipeW(
        PipePath(name_).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 4096, 4096, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        error_ = "Cannot serve requests on " + name_ + ": " + win32::ErrorText(GetLastError());
        return false;
    }
    state_ = std::make_unique<State>();
    state_->pipe = pipe;
    state_->stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    state_->event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    State* state = state_.get();
    state_->thread = std::thread([this, state] {
        for (;;) {
            OVERLAPPED io{};
            io.hEvent = state->event;
            DWORD unused = 0;
            const BOOL started = ConnectNamedPipe(state->pipe, &io);
            // A client that came between making the pipe and waiting.
            const bool connected = (!started && GetLastError() == ERROR_PIPE_CONNECTED) ||
                                   Finish(state->pipe, io, started, state->stop, INFINITE, &unused);
            if (WaitForSingleObject(state->stop, 0) == WAIT_OBJECT_0) return;
            if (connected) {
                std::string line;
                if (ReadLine(state->pipe, state->event, state->stop, kClientMs, &line)) {
                    if (!line.empty() && line.back() == '\r') line.pop_back();
                    WriteAll(state->pipe, state->event, state->stop, kClientMs, handler_(line) + '\n');
                    FlushFileBuffers(state->pipe);
                }
            }
            DisconnectNamedPipe(state->pipe);
        }
    });
    return true;
}

bool SendOnRequestChannel(const std::string& name, const std::string& line, int timeoutMs, std::string* answer,
                          std::string* error, bool* reached) {
    *reached = false;
    const std::wstring path = PipePath(name);
    HANDLE pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY) {
        // The one instance serves another start right now.
        if (WaitNamedPipeW(path.c_str(), DWORD(timeoutMs)))
            pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OVERLAPPED, nullptr);
    }
    if (pipe == INVALID_HANDLE_VALUE) {
        *error = win32::ErrorText(GetLastError());
        return false;
    }
    *reached = true;
    // The running program may open a window for the request: this start,
    // which the user just made, lets it come to the front.
    ULONG server = 0;
    if (GetNamedPipeServerProcessId(pipe, &server)) AllowSetForegroundWindow(server);
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::string reply;
    const bool ok = WriteAll(pipe, event, nullptr, DWORD(timeoutMs), line + '\n') &&
                    ReadLine(pipe, event, nullptr, DWORD(timeoutMs), &reply);
    CloseHandle(event);
    CloseHandle(pipe);
    if (!ok) {
        *error = "the running program did not answer";
        return false;
    }
    if (!reply.empty() && reply.back() == '\r') reply.pop_back();
    *answer = reply;
    return true;
}

}  // namespace orbel::platform
