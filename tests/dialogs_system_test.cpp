#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "TestFiles.h"
#include "platform/ProcessLauncher.h"
#include "platform/SystemDialogs.h"

namespace brio {
namespace {

using Args = std::vector<std::string>;
using testing::ElementsAre;

const std::string workspaceFilter = "Brio Workspace (*.pws)| *.pws";
const std::string recordingFilter = "Brio Recording (*.prc)| *.prc|Standard MIDI File (*.mid)| *.mid;*.midi";
const std::string nastyName = "a b;$(rm -rf x).pws";

// Records every argument list and answers with a scripted result.
class FakeLauncher : public ProcessLauncher {
public:
    bool available(const std::string& tool) override { return tools.count(tool) > 0; }
    std::optional<RunResult> run(const Args& argv) override {
        calls.push_back(argv);
        return answer;
    }
    std::set<std::string> tools{"zenity", "kdialog"};
    std::optional<RunResult> answer;
    std::vector<Args> calls;
};

struct ShownBox {
    Uint32 flags;
    std::string message;
    std::vector<std::pair<Uint32, std::string>> buttons;  // flags, text, in order of their ids
};

class SystemDialogsTest : public testing::Test {
protected:
    SystemDialogsTest() { test::writeFile(folder.path("song.pws"), "x"); }

    void chooserAnswers(const std::string& output, int status = 0) {
        launcher.answer = RunResult{status, output};
    }
    const Args& lastCall() const { return launcher.calls.back(); }

    test::TempDir folder;
    FakeLauncher launcher;
    std::vector<ShownBox> boxes;
    std::optional<int> pressedButton = SystemDialogs::okButtonId;  // nothing: no box can be shown
    std::vector<std::pair<std::string, std::string>> prompts;      // title, starting text
    std::optional<std::string> typedPath;
    SystemDialogs dialogs{launcher,
                          [this](const SDL_MessageBoxData& data, int& pressed) {
                              ShownBox box{data.flags, data.message, {}};
                              for (int i = 0; i < data.numbuttons; ++i)
                                  box.buttons.emplace_back(data.buttons[i].flags,
                                                           data.buttons[i].text);
                              boxes.push_back(box);
                              pressed = pressedButton.value_or(-1);
                              return pressedButton ? 0 : -1;
                          },
                          [this](const std::string& title, const std::string& text) {
                              prompts.emplace_back(title, text);
                              return typedPath;
                          }};
};

TEST_F(SystemDialogsTest, ZenityGetsTitleFolderAndFilterAndSavingAddsOverwriteConfirmation) {
    std::string name = "old";
    chooserAnswers(folder.path("song.pws") + "\n");
    EXPECT_TRUE(dialogs.askOpenFileName(name, "Open", workspaceFilter, "/home/me/Songs"));
    EXPECT_EQ(name, folder.path("song.pws"));
    EXPECT_THAT(lastCall(), ElementsAre("zenity", "--file-selection", "--title=Open",
                                        "--filename=/home/me/Songs/",
                                        "--file-filter=Brio Workspace (*.pws) | *.pws"));

    name = "waltz.pws";
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save As", workspaceFilter, "/home/me/Songs/"));
    EXPECT_THAT(lastCall(),
                ElementsAre("zenity", "--file-selection", "--save", "--confirm-overwrite",
                            "--title=Save As", "--filename=/home/me/Songs/waltz.pws",
                            "--file-filter=Brio Workspace (*.pws) | *.pws"));
    name = "/elsewhere/tango.pws";  // a full path is proposed as it is
    dialogs.askSaveFileName(name, "Save As", "", "/home/me/Songs");
    EXPECT_THAT(lastCall(),
                ElementsAre("zenity", "--file-selection", "--save", "--confirm-overwrite",
                            "--title=Save As", "--filename=/elsewhere/tango.pws"));
}

TEST_F(SystemDialogsTest, KdialogServesWhenZenityIsMissing) {
    launcher.tools = {"kdialog"};
    std::string name;
    chooserAnswers(folder.path("song.pws"));
    EXPECT_TRUE(dialogs.askOpenFileName(name, "Open", workspaceFilter, "/srv"));
    EXPECT_THAT(lastCall(), ElementsAre("kdialog", "--title", "Open", "--getopenfilename", "/srv/",
                                        "*.pws|Brio Workspace (*.pws)"));
    name = "rec";
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save Brio Recording As", "", ""));
    EXPECT_THAT(lastCall(), ElementsAre("kdialog", "--title", "Save Brio Recording As",
                                        "--getsavefilename", "rec"));
}

TEST_F(SystemDialogsTest, SavedNamesFollowTheExtensionRule) {
    const auto saved = [this](const std::string& chosen, const std::string& filter) {
        chooserAnswers(chosen + "\n");
        std::string name = "proposal";
        EXPECT_TRUE(dialogs.askSaveFileName(name, "Save As", filter, folder.folder()));
        return name;
    };
    EXPECT_EQ(saved(folder.path("waltz"), workspaceFilter), folder.path("waltz.pws"));
    EXPECT_EQ(saved(folder.path("song.txt"), workspaceFilter), folder.path("song.txt"));
    EXPECT_EQ(saved(folder.path("my.songs/waltz"), workspaceFilter), folder.path("my.songs/waltz.pws"));
    EXPECT_EQ(saved(folder.path("my.songs/.hidden"), workspaceFilter), folder.path("my.songs/.hidden"));
    EXPECT_EQ(saved(folder.path("waltz"), ""), folder.path("waltz"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SystemDialogsTest, AFilterListGivesEveryPairToTheChooserAndABareNameTheFirstExtension) {
    std::string name = "take";
    chooserAnswers(folder.path("take") + "\n");
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save", recordingFilter, folder.folder()));
    EXPECT_EQ(name, folder.path("take.prc"));
    EXPECT_THAT(lastCall(), ElementsAre("zenity", "--file-selection", "--save", "--confirm-overwrite",
                                        "--title=Save", "--filename=" + folder.path("take"),
                                        "--file-filter=Brio Recording (*.prc) | *.prc",
                                        "--file-filter=Standard MIDI File (*.mid) | *.mid *.midi"));
    launcher.tools = {"kdialog"};
    chooserAnswers(folder.path("take.MID"));
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save", recordingFilter, folder.folder()));
    EXPECT_EQ(name, folder.path("take.MID"));
    EXPECT_EQ(lastCall().back(), "*.prc|Brio Recording (*.prc)\n*.mid *.midi|Standard MIDI File (*.mid)");
}

TEST(FilterList, PairsPatternsAndTheExtensionOfABareName) {
    struct Case {
        std::string filter;
        std::vector<std::string> entries;  // "description=patterns"
        std::string savedAs;               // what "x" becomes
    };
    const Case cases[] = {
        {workspaceFilter, {"Brio Workspace (*.pws)=*.pws"}, "x.pws"},
        {"All| *.prc *.mid *.midi|Text| *.prc", {"All=*.prc *.mid *.midi", "Text=*.prc"}, "x.prc"},
        {"| *.a;*.b", {"*.a *.b=*.a *.b"}, "x.a"},
        {"*.pws", {"*.pws=*.pws"}, "x.pws"},
        {"Archives| *.tar.gz", {"Archives=*.tar.gz"}, "x.tar.gz"},
        {"Everything| *|Any| *.*", {"Everything=*", "Any=*.*"}, "x"},
        {"Nothing|  |Bees| *.b", {"Bees=*.b"}, "x.b"},
        {"", {}, "x"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> entries;
        for (const FileFilter& entry : parseFilterList(c.filter))
            entries.push_back(entry.description + "=" + entry.patternList());
        EXPECT_EQ(entries, c.entries) << c.filter;
        EXPECT_EQ(withFilterExtension("x", c.filter), c.savedAs) << c.filter;
        EXPECT_EQ(withFilterExtension("/a.b/x.y", c.filter), "/a.b/x.y") << c.filter;
    }
}

TEST_F(SystemDialogsTest, AnythingButStatusZeroWithAPathIsACancelThatKeepsTheName) {
    std::string name = "kept.pws";
    for (const std::optional<RunResult>& answer :
         {std::optional<RunResult>{RunResult{1, ""}},
          std::optional<RunResult>{RunResult{1, "/tmp/a.pws\n"}},
          std::optional<RunResult>{RunResult{0, "\n"}}, std::optional<RunResult>{}}) {
        launcher.answer = answer;
        EXPECT_FALSE(dialogs.askSaveFileName(name, "Save As", workspaceFilter, "/tmp"));
        EXPECT_FALSE(dialogs.askOpenFileName(name, "Open", workspaceFilter, "/tmp"));
        EXPECT_EQ(name, "kept.pws");
    }
}

TEST_F(SystemDialogsTest, OpeningAcceptsOnlyAFileThatExists) {
    std::string name = "kept.pws";
    chooserAnswers(folder.path("missing.pws"));
    EXPECT_FALSE(dialogs.askOpenFileName(name, "Open", workspaceFilter, folder.folder()));
    chooserAnswers(folder.folder());
    EXPECT_FALSE(dialogs.askOpenFileName(name, "Open", workspaceFilter, folder.folder()));
    EXPECT_EQ(name, "kept.pws");
}

TEST_F(SystemDialogsTest, ShellCharactersTravelAsOneArgumentAndComeBackIntact) {
    std::string name = nastyName;
    chooserAnswers(folder.path(nastyName) + "\n");
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save As", workspaceFilter, folder.folder()));
    EXPECT_EQ(lastCall()[5], "--filename=" + folder.path(nastyName));
    EXPECT_EQ(name, folder.path(nastyName));
}

// The chooser confirmed "song", not the "song.pws" that is written.
TEST_F(SystemDialogsTest, AnAppendedExtensionThatHitsAFileAsksBeforeReplacing) {
    std::string name = "proposal";
    chooserAnswers(folder.path("song"));
    pressedButton = SystemDialogs::cancelButtonId;
    EXPECT_FALSE(dialogs.askSaveFileName(name, "Save As", workspaceFilter, folder.folder()));
    EXPECT_EQ(name, "proposal");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_THAT(boxes[0].message, testing::HasSubstr(folder.path("song.pws") + " already exists"));
}

TEST_F(SystemDialogsTest, WithoutAChooserTheBuiltInBoxAsksAndSavingOverAFileIsConfirmed) {
    launcher.tools.clear();
    std::string name = "song";
    typedPath = folder.path("song");
    EXPECT_TRUE(dialogs.askSaveFileName(name, "Save As", workspaceFilter, folder.folder()));
    EXPECT_EQ(name, folder.path("song.pws"));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(prompts.back() == std::make_pair(std::string("Save As"), folder.path("song")));

    typedPath = folder.path("song.pws");
    EXPECT_TRUE(dialogs.askOpenFileName(name, "Open", workspaceFilter, folder.folder()));
    EXPECT_EQ(prompts.back().second, folder.folder() + "/");
    typedPath.reset();
    EXPECT_FALSE(dialogs.askOpenFileName(name, "Open", workspaceFilter, folder.folder()));
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(SystemDialogsTest, NoticeHasOneButtonForEnterAndEscapeAndQuestionsAnswerOneUnlessOk) {
    dialogs.showNotice("     File does not exist.     ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].message, "     File does not exist.     ");
    EXPECT_THAT(boxes[0].buttons,
                ElementsAre(std::make_pair(Uint32(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                                  SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT),
                                           std::string("OK"))));
    EXPECT_EQ(dialogs.askQuestion("Continue without saving?"), 0);
    EXPECT_THAT(boxes[1].buttons,
                ElementsAre(std::make_pair(Uint32(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT),
                                           std::string("OK")),
                            std::make_pair(Uint32(SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT),
                                           std::string("Cancel"))));
    pressedButton = SystemDialogs::cancelButtonId;
    EXPECT_EQ(dialogs.askQuestion("Continue without saving?"), 1);
    pressedButton = -1;  // closed
    EXPECT_EQ(dialogs.askQuestion("Continue without saving?"), 1);
}

TEST_F(SystemDialogsTest, WithoutADisplayNoticesGoToStandardErrorAndQuestionsAnswerCancel) {
    pressedButton.reset();
    testing::internal::CaptureStderr();
    dialogs.showNotice("     Failed to save file.     ");
    EXPECT_EQ(dialogs.askQuestion("Continue without saving?"), 1);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_THAT(printed, testing::HasSubstr(": Failed to save file.\n"));
    EXPECT_THAT(printed, testing::HasSubstr("Continue without saving?"));
}

TEST(ProcessLauncher, FindsExecutablesOnThePathOnly) {
    PosixProcessLauncher launcher;
    test::TempDir folder;
    test::writeFile(folder.path("plain"), "");
    test::writeFile(folder.path("tool"), "");
    ::chmod(folder.path("tool").c_str(), 0755);
    EXPECT_TRUE(launcher.available("printf"));
    EXPECT_FALSE(launcher.available("brio-no-such-tool"));
    EXPECT_FALSE(launcher.available(folder.path("plain")));
    EXPECT_TRUE(launcher.available(folder.path("tool")));
    EXPECT_FALSE(launcher.available(folder.folder()));
}

TEST(ProcessLauncher, RunsWithoutAShellAndReportsOutputAndStatus) {
    PosixProcessLauncher launcher;
    const std::optional<RunResult> printed = launcher.run({"printf", "%s|", nastyName, "*"});
    ASSERT_TRUE(printed);
    EXPECT_EQ(printed->exitStatus, 0);
    EXPECT_EQ(printed->output, nastyName + "|*|");
    EXPECT_EQ(launcher.run({"false"})->exitStatus, 1);
    EXPECT_FALSE(launcher.run({"brio-no-such-tool"}));
    EXPECT_FALSE(launcher.run({}));
}

// While a box's program runs, the program's loop goes on: the installed pass runs again and
// again, and the box's answer arrives whole.
TEST(ProcessLauncher, TheLoopGoesOnWhileTheChildRuns) {
    PosixProcessLauncher launcher;
    int passes = 0;
    installBoxWaitPass([&passes](BoxWindows) {
        ++passes;
        return 1u;
    });
    const std::optional<RunResult> answered = launcher.run({"sh", "-c", "sleep 0.3; echo /chosen/path"});
    installBoxWaitPass(nullptr);
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->output, "/chosen/path\n");
    EXPECT_GT(passes, 30);
}

TEST(ProcessLauncher, ChildReadsNothingAndInheritsNoStrayDescriptor) {
    PosixProcessLauncher launcher;
    const std::optional<RunResult> cat = launcher.run({"cat"});  // would wait forever on a terminal
    ASSERT_TRUE(cat);
    EXPECT_EQ(cat->output, "");
    const int opened = ::open("/dev/null", O_RDONLY);
    const int stray = ::dup2(opened, 57);  // a copy without close-on-exec
    const std::optional<RunResult> listing = launcher.run({"ls", "/proc/self/fd"});
    ::close(stray);
    ::close(opened);
    ASSERT_TRUE(listing);
    EXPECT_THAT(listing->output, testing::Not(testing::HasSubstr("57")));
}

}  // namespace
}  // namespace brio
