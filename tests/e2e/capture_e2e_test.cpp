#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "Process.h"
#include "ProgramRun.h"

namespace brio::e2e {
namespace {

// Starts the capture build under Xvfb, waits for its window and ends it with Escape.
void runAndEscape(XvfbSession& x, ProgramFolder& program) {
    Process brioletta({program.file("brioletta-capture")}, x.programEnv());
    ASSERT_TRUE(brioletta.started());
    const auto id = x.findWindow("^Brioletta - ");
    ASSERT_TRUE(id.has_value()) << "the main window did not appear";
    const std::string window = id->substr(0, id->find('\n'));
    ASSERT_TRUE(x.xdotool({"windowfocus", "--sync", window}).has_value());
    ASSERT_TRUE(x.xdotool({"key", "Escape"}).has_value());
    const auto status = brioletta.waitFor(5000);
    ASSERT_TRUE(status.has_value()) << "still running after Escape";
    EXPECT_EQ(*status, 0);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The captured lines without their time: "status;data1;data2;".
std::vector<std::string> messagesOf(const std::string& capture) {
    std::vector<std::string> messages;
    for (const std::string& line : linesOf(capture)) messages.push_back(line.substr(line.find(';') + 1));
    return messages;
}

bool contains(const std::vector<std::string>& messages, const std::string& message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(CaptureEndToEnd, StartUpSendsTheMixAndTheOrderlyEndWritesTheOptions) {
    XvfbSession x;
    ASSERT_TRUE(x.ready()) << "Xvfb did not start";
    ProgramFolder program;
    runAndEscape(x, program);

    const std::string options = readWholeFile(program.file("options.cfg"));
    ASSERT_EQ(options.rfind("<Brio Options>\r\n", 0), 0u) << options;
    EXPECT_NE(options.find("\r\nmidiDevice=-1\r\n"), std::string::npos);  // "Capture" is no GM synth
    EXPECT_EQ(options.find("\n"), options.find("\r\n") + 1);
    EXPECT_EQ(options.substr(options.size() - 2), "\r\n");
    EXPECT_FALSE(readWholeFile(program.file("recentS.cfg")).empty());

    const auto messages = messagesOf(readWholeFile(program.file("midi-capture.txt")));
    // The tones' places, then the accompaniment parts' as the start-up style places them.
    const std::string expectedPans[16] = {"82", "25", "102", "63", "63", "86", "51", "38",
                                          "63", "63", "63", "63", "63", "63", "63", "63"};
    for (int channel = 0; channel < 16; ++channel) {
        const std::string status = std::to_string(0xC0 + channel);
        EXPECT_TRUE(contains(messages, status + ";0;0;")) << "program change on channel " << channel;
        EXPECT_TRUE(contains(messages, std::to_string(0xB0 + channel) + ";10;" +
                                           expectedPans[channel] +
                                           ";"))
            << "pan on channel " << channel;
    }
    EXPECT_TRUE(contains(messages, "176;7;102;"));  // keyboard group volume 0.8
    EXPECT_TRUE(contains(messages, "185;7;102;"));  // drums
}

TEST(CaptureEndToEnd, EachCapturedLineIsATimeAndThreeBytes) {
    XvfbSession x;
    ASSERT_TRUE(x.ready());
    ProgramFolder program;
    runAndEscape(x, program);
    const auto lines = linesOf(readWholeFile(program.file("midi-capture.txt")));
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 4) << line;
        EXPECT_EQ(line.back(), ';') << line;
    }
}

}  // namespace
}  // namespace brio::e2e
