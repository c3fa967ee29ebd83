#include <gtest/gtest.h>

#include "FakeDialogs.h"
#include "StationFixture.h"
#include "accompaniment/Tempo.h"

namespace brio {
namespace {

using test::FakeDialogs;

struct WorkspaceTest : ::testing::Test {
    FakeDialogs dialogs;
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;

    std::string saveAs(const std::string& name) {
        dialogs.saveAnswer = fixture.folder.path(name);
        station.saveWorkspaceAs();
        return fixture.folder.path(name) + ".pws";
    }
};

TEST_F(WorkspaceTest, AFreshStartIsNewAndUnmodified) {
    EXPECT_FALSE(station.isModified());
    EXPECT_EQ(station.captionText(), "Brioletta - [NEW]");
}

TEST_F(WorkspaceTest, ChangingTheVolumeAndBackLeavesItUnmodified) {
    station.volume = 0.5;
    EXPECT_TRUE(station.isModified());
    station.volume = 1.0;
    EXPECT_FALSE(station.isModified());
}

TEST_F(WorkspaceTest, NewAndOpenNeverAskWhileTheOptionIsOff) {
    station.volume = 0.3;
    station.newWorkspace(false);
    EXPECT_EQ(station.volume, 1.0);
    station.volume = 0.3;
    dialogs.openAnswer.reset();
    station.openWorkspace("");
    EXPECT_TRUE(dialogs.questions.empty());

    fixture.options->warnStationDelete = true;
    station.newWorkspace(false);  // declined: the change stays
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"Workspace has been modified. Continue without saving?"}));
    EXPECT_EQ(station.volume, 0.3);
}

TEST_F(WorkspaceTest, SavedSetUpComesBackWhenOpened) {
    station.volume = 0.7;
    station.splitKey = 30;
    masterKeyShift = 36;
    station.instruments[3].active = true;
    station.instruments[2].program = 33;
    station.instruments[1].transpose = -5;
    station.arpeggios[1].arpIdx = 7;
    station.arpeggios[1].hold = true;
    tempo = 0.3;
    station.controlChanged(&tempo);  // a tempo of one's own: the style's no longer applies
    const std::string path = saveAs("set");
    EXPECT_EQ(station.captionText(), "Brioletta - " + path);
    EXPECT_FALSE(station.isModified());
    EXPECT_EQ(test::readFile(path).rfind("<Piano Workspace>\r\nmute=false\r\nvolume=0.7\r\n", 0), 0u);

    station.newWorkspace(true);
    EXPECT_EQ(station.instruments[3].active, false);
    station.openWorkspace(path);
    EXPECT_EQ(station.volume, 0.7);
    EXPECT_EQ(station.splitKey, 30);
    EXPECT_EQ(masterKeyShift, 36);
    EXPECT_TRUE(station.instruments[3].active);
    EXPECT_EQ(station.instruments[2].program, 33);
    EXPECT_EQ(station.instruments[1].transpose, -5);
    EXPECT_EQ(station.arpeggios[1].arpIdx, 7);
    EXPECT_TRUE(station.arpeggios[1].hold);
    EXPECT_DOUBLE_EQ(tempo, 0.3);
    EXPECT_FALSE(station.isModified());
    EXPECT_EQ(fixture.workspaceFiles->entries.getConst(0), path);
    masterKeyShift = 24;
}

TEST_F(WorkspaceTest, AFileWithoutTheStepControlKeepsTheDefaultTempo) {
    const std::string path = fixture.folder.path("old.pws");
    test::writeFile(path, "<Piano Workspace>\r\nvolume=0.5\r\n</Piano Workspace>\r\n");
    tempo = 0.9;
    station.openWorkspace(path);
    EXPECT_EQ(station.volume, 0.5);
    EXPECT_DOUBLE_EQ(tempo, 0.5);
}

TEST_F(WorkspaceTest, AMissingRecentFileIsRemovedAndTheWorkspaceKept) {
    const std::string gone = fixture.folder.path("gone.pws");
    fixture.workspaceFiles->add(gone);
    station.volume = 0.4;
    station.openWorkspace(gone);
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     File does not exist.     "}));
    EXPECT_TRUE(fixture.workspaceFiles->entries.empty());
    EXPECT_EQ(station.volume, 0.4);
}

TEST_F(WorkspaceTest, ABrokenFileGivesANewWorkspaceAndAMessage) {
    const std::string path = fixture.folder.path("bad.pws");
    test::writeFile(path, "not a workspace\r\n");
    station.volume = 0.4;
    station.openWorkspace(path);
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     Failed to open file.     "}));
    EXPECT_EQ(station.volume, 1.0);
    EXPECT_TRUE(station.fileName.empty());
    EXPECT_EQ(station.captionText(), "Brioletta - [NEW]");
}

TEST_F(WorkspaceTest, SaveOnANewWorkspaceCancelledChangesNothing) {
    station.volume = 0.4;
    station.saveWorkspace();
    EXPECT_EQ(dialogs.boxes, (std::vector<std::string>{"save:Save As:Brio Workspace (*.pws)| *.pws:"}));
    EXPECT_TRUE(dialogs.notices.empty());
    EXPECT_TRUE(station.fileName.empty());
    EXPECT_TRUE(station.isModified());
}

TEST_F(WorkspaceTest, AFailedSaveLeavesTheWorkspaceModified) {
    const std::string path = saveAs("kept");
    station.volume = 0.2;
    station.fileName = fixture.folder.path("no/such/folder/x.pws");
    station.saveWorkspace();
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     Failed to save file.     "}));
    EXPECT_TRUE(station.isModified());  // so leaving still asks before the work is lost
    fixture.options->warnStationDelete = true;
    station.requestQuit();
    EXPECT_FALSE(station.quitRequested);
}

TEST_F(WorkspaceTest, AWorkspaceSavedWithADecimalCommaOpensWithAPoint) {
    station.volume = 0.65;
    std::string path;
    {
        test::SeparatorScope comma(',');
        path = saveAs("comma");
    }
    EXPECT_NE(test::readFile(path).find("volume=0,65\r\n"), std::string::npos);
    station.newWorkspace(true);
    test::SeparatorScope point('.');
    station.openWorkspace(path);
    EXPECT_DOUBLE_EQ(station.volume, 0.65);
}

TEST_F(WorkspaceTest, ValuesOutOfRangeInAFileAreBroughtBack) {
    const std::string path = fixture.folder.path("odd.pws");
    test::writeFile(path, "<Piano Workspace>\r\nmasterKeyShift=900\r\nstyle=-4\r\n</Piano Workspace>\r\n");
    station.openWorkspace(path);
    EXPECT_EQ(masterKeyShift, 48);
    EXPECT_EQ(station.style, 11);
    masterKeyShift = 24;
}

}  // namespace
}  // namespace brio
