// Requests between starts of the program over the named pipe: what the
// running program answers reaches the start that asked, one start after
// another, and only one program serves a name.
#include "platform/request_channel.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>

namespace orbel::platform {
namespace {

std::string UniqueName(const char* what) {
    return std::string("orbel-test-") + what + "-" + std::to_string(GetCurrentProcessId());
}

struct Sent {
    bool ok = false;
    bool reached = false;
    std::string answer;
    std::string error;
};

Sent Send(const std::string& name, const std::string& line) {
    Sent sent;
    sent.ok = SendOnRequestChannel(name, line, 5000, &sent.answer, &sent.error, &sent.reached);
    return sent;
}

TEST(RequestChannel, AnswersEveryStartInTurn) {
    const std::string name = UniqueName("turns");
    std::atomic<int> served{0};
    RequestChannelServer server(name, [&](const std::string& line) {
        ++served;
        return line == "manager" ? std::string("ok") : "error: " + line;
    });
    ASSERT_TRUE(server.listen()) << server.errorString();
    const struct {
        const char* line;
        const char* answer;
    } cases[] = {{"manager", "ok"}, {"find\tsome text", "error: find\tsome text"}, {"", "error: "}, {"manager", "ok"}};
    for (const auto& c : cases) {
        const Sent sent = Send(name, c.line);
        EXPECT_TRUE(sent.ok) << c.line << ": " << sent.error;
        EXPECT_TRUE(sent.reached) << c.line;
        EXPECT_EQ(sent.answer, c.answer) << c.line;
    }
    EXPECT_EQ(served.load(), 4);
}

TEST(RequestChannel, NobodyServingIsToldApartFromNoAnswer) {
    const std::string name = UniqueName("nobody");
    Sent sent = Send(name, "manager");
    EXPECT_FALSE(sent.ok);
    EXPECT_FALSE(sent.reached);
    EXPECT_FALSE(sent.error.empty());

    // A line without its end is never taken: the server gives up on it
    // and the start hears no answer, but it did reach the program.
    RequestChannelServer server(name, [](const std::string&) { return std::string("ok"); });
    ASSERT_TRUE(server.listen()) << server.errorString();
    sent = Send(name, std::string(70 * 1024, 'x'));
    EXPECT_FALSE(sent.ok);
    EXPECT_TRUE(sent.reached);
    // The next start is served as usual.
    sent = Send(name, "manager");
    EXPECT_TRUE(sent.ok) << sent.error;
    EXPECT_EQ(sent.answer, "ok");
}

TEST(RequestChannel, OneServerPerNameUntilItStops) {
    const std::string name = UniqueName("one");
    {
        RequestChannelServer first(name, [](const std::string&) { return std::string("first"); });
        ASSERT_TRUE(first.listen()) << first.errorString();
        RequestChannelServer second(name, [](const std::string&) { return std::string("second"); });
        EXPECT_FALSE(second.listen());
        EXPECT_FALSE(second.errorString().empty());
        EXPECT_EQ(Send(name, "x").answer, "first");
    }
    RequestChannelServer again(name, [](const std::string&) { return std::string("again"); });
    ASSERT_TRUE(again.listen()) << again.errorString();
    EXPECT_EQ(Send(name, "x").answer, "again");
}

}  // namespace
}  // namespace orbel::platform
