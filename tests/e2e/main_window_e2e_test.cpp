#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// Trailing line end removed.
std::string chomp(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

TEST(MainWindowEndToEnd, OpensTitledAtPanelSizeAndEscapeEndsTheProgram) {
    XvfbSession x;
    ASSERT_TRUE(x.ready()) << "Xvfb did not start";
    ProgramFolder program;
    Process brioletta({program.file("brioletta")}, x.programEnv());
    ASSERT_TRUE(brioletta.started());

    const auto id = x.findWindow("^Brioletta - \\[NEW\\]$");
    ASSERT_TRUE(id.has_value()) << "no window titled \"Brioletta - [NEW]\" appeared";
    const std::string window = chomp(id->substr(0, id->find('\n')));

    const auto geometry = x.xdotool({"getwindowgeometry", window});
    ASSERT_TRUE(geometry.has_value());
    // The session's screen is 1280 pixels wide: a first start takes the large view, centred.
    EXPECT_NE(geometry->find("Geometry: 1203x533"), std::string::npos) << *geometry;
    EXPECT_NE(geometry->find("Position: 39,246"), std::string::npos) << *geometry;

    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    const long long pressed = monotonicMs();
    ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
    const auto status = brioletta.waitFor(2000);
    ASSERT_TRUE(status.has_value()) << "still running 2 s after Escape";
    EXPECT_EQ(*status, 0);
    EXPECT_LE(monotonicMs() - pressed, 2000);
}

TEST(MainWindowEndToEnd, WithoutADisplayItSaysSoOnOneLineAndFails) {
    ProgramFolder program;
    const std::string errorFile = program.file("stderr.txt");
    const int fd = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    Process brioletta({program.file("brioletta")}, {"DISPLAY=", "WAYLAND_DISPLAY="}, {{fd, 2}});
    close(fd);
    const auto status = brioletta.waitFor(5000);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    const std::string message = readWholeFile(errorFile);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

}  // namespace
}  // namespace brio::e2e
