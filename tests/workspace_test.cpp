#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

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
    fixture.library->style(11).sections[size_t(Section::mainB)].bars = 1;
    fixture.library->style(11).name = "Pop";
    station.selectStyle(11, false);
    station.pressSection(SectionRequest::mainB);
    station.syncStop = true;
    fixture.options->keyboardVelocity = 60;
    const std::string path = saveAs("set");
    EXPECT_EQ(station.captionText(), "Brioletta - " + path);
    EXPECT_FALSE(station.isModified());
    EXPECT_EQ(test::readFile(path).rfind("<Piano Workspace>\r\nmute=false\r\nvolume=0.7\r\n", 0), 0u);

    station.newWorkspace(true);
    EXPECT_EQ(station.instruments[3].active, false);
    fixture.options->keyboardVelocity = 100;
    station.openWorkspace(path);
    EXPECT_EQ(fixture.options->keyboardVelocity, 60);
    EXPECT_EQ(station.volume, 0.7);
    EXPECT_EQ(station.splitKey, 30);
    EXPECT_EQ(masterKeyShift, 36);
    EXPECT_TRUE(station.instruments[3].active);
    EXPECT_EQ(station.instruments[2].program, 33);
    EXPECT_EQ(station.instruments[1].transpose, -5);
    EXPECT_EQ(station.arpeggios[1].arpIdx, 7);
    EXPECT_TRUE(station.arpeggios[1].hold);
    EXPECT_DOUBLE_EQ(tempo, 0.3);
    EXPECT_EQ(station.sections().chosenMain(), Section::mainB);
    EXPECT_TRUE(station.syncStop);
    EXPECT_FALSE(station.isModified());
    EXPECT_EQ(fixture.workspaceFiles->entries.getConst(0), path);

    // The style is found by name where the library moved it; one gone from the library leaves
    // the saved number, with a notice naming it.
    std::swap(fixture.library->style(11), fixture.library->style(40));
    station.openWorkspace(path);
    EXPECT_EQ(station.style, 40);
    EXPECT_TRUE(dialogs.notices.empty());
    fixture.library->style(40).name = "Gone";
    station.openWorkspace(path);
    EXPECT_EQ(station.style, 11);
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     The style \"Pop\" is not in the library.     "}));
    masterKeyShift = 24;
}

TEST_F(WorkspaceTest, AFileWithoutTheStepControlKeepsTheDefaultTempo) {
    const std::string path = fixture.folder.path("old.pws");
    test::writeFile(path, "<Piano Workspace>\r\nvolume=0.5\r\n</Piano Workspace>\r\n");
    tempo = 0.9;
    station.syncStop = true;
    fixture.options->keyboardVelocity = 44;
    station.openWorkspace(path);
    EXPECT_EQ(fixture.options->keyboardVelocity, 44);  // a file from before the level keeps it
    EXPECT_EQ(station.volume, 0.5);
    EXPECT_DOUBLE_EQ(tempo, 0.5);
    EXPECT_EQ(station.sections().chosenMain(), Section::mainA);
    EXPECT_FALSE(station.syncStop);
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

TEST_F(WorkspaceTest, ValuesOutOfRangeInAFileAreBroughtBackSentInRangeAndSavedInRange) {
    const std::string path = fixture.folder.path("odd.pws");
    test::writeFile(path,
                    "<Piano Workspace>\r\nvolume=1e308\r\ninstVolume=-3\r\nbassVolume=-1e9\r\n"
                    "drumVolume=7\r\nstyle=-4\r\nmasterKeyShift=900\r\nkeyboardVelocity=500\r\n"
                    "<step control>\r\ntempo=-1\r\nshuffle=9\r\nstepsPerBeat=-2\r\n</step control>\r\n"
                    "<inst0>\r\nprogram=300\r\nvolume=1e308\r\npan=-7\r\ntranspose=-99999\r\n</inst0>\r\n"
                    "<inst1>\r\nprogram=-1\r\nvolume=-1\r\npan=12\r\ntranspose=2000000000\r\n</inst1>\r\n"
                    "<drum machine>\r\nkeepDefaultTempo=false\r\n</drum machine>\r\n"
                    "</Piano Workspace>\r\n");
    fixture.midi.messages.clear();
    station.openWorkspace(path);
    EXPECT_EQ(masterKeyShift, 48);
    EXPECT_EQ(fixture.options->keyboardVelocity, 127);
    EXPECT_EQ(station.style, 11);
    EXPECT_EQ(station.volume, 1.0);
    EXPECT_EQ(station.instVolume, 0.0);
    EXPECT_EQ(station.bassVolume, 0.0);
    EXPECT_EQ(station.drumVolume, 1.0);
    EXPECT_EQ(tempo, 0.0);
    EXPECT_EQ(shuffle, 1.0);
    const Instrument& a = station.instruments[0];
    const Instrument& b = station.instruments[1];
    EXPECT_EQ(std::vector<double>({a.volume, a.pan, b.volume, b.pan}), std::vector<double>({1.0, 0.0, 0.0, 1.0}));
    EXPECT_EQ(std::vector<int>({a.program, a.transpose, b.program, b.transpose}),
              std::vector<int>({127, -60, 0, 60}));
    // What reaches the device last for the two instruments: programs, pans and volumes.
    const auto lastSent = [&](uint8_t status, int controller) {
        int value = -1;
        for (const auto& m : fixture.midi.messages)
            if (m.status == status && (controller < 0 || m.data1 == controller)) value = controller < 0 ? m.data1 : m.data2;
        return value;
    };
    EXPECT_EQ(std::vector<int>({lastSent(0xC0, -1), lastSent(0xB0, 10), lastSent(0xB0, 7)}),
              std::vector<int>({127, 0, 0}));
    EXPECT_EQ(std::vector<int>({lastSent(0xC1, -1), lastSent(0xB1, 10), lastSent(0xB1, 7)}),
              std::vector<int>({0, 127, 0}));
    EXPECT_EQ(station.saveFile(path, MidiSynth::workspaceRoot), true);
    const std::string saved = test::readFile(path);
    for (const char* line : {"volume=1\r\n", "program=127\r\n", "transpose=-60\r\n", "pan=0\r\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    EXPECT_EQ(saved.find("e308"), std::string::npos);
    masterKeyShift = 24;
}

TEST_F(WorkspaceTest, AFailedSaveAsKeepsTheOldNameAndTheRecentListAsTheyWere) {
    const std::string kept = saveAs("kept");
    dialogs.saveAnswer = fixture.folder.path("no such folder/other");
    station.saveWorkspaceAs();
    EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     Failed to save file.     "}));
    EXPECT_EQ(station.fileName, kept);
    EXPECT_EQ(station.captionText(), "Brioletta - " + kept);
    ASSERT_EQ(fixture.workspaceFiles->entries.count(), 1);
    EXPECT_EQ(fixture.workspaceFiles->entries.getConst(0), kept);
}

TEST_F(WorkspaceTest, AnEntryThatExistsButIsNoReadableFileFailsToOpenAndStaysListed) {
    // A folder and a FIFO named like workspaces: neither may be read (the FIFO would block).
    const std::string folder = fixture.folder.path("folder.pws");
    const std::string fifo = fixture.folder.path("fifo.pws");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {folder, fifo}) {
        fixture.workspaceFiles->add(path);
        dialogs.notices.clear();
        station.openWorkspace(path);
        EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     Failed to open file.     "})) << path;
        EXPECT_EQ(fixture.workspaceFiles->entries.getConst(0), path);
        dialogs.openAnswer = path;  // chosen in the open box: the same message
        dialogs.notices.clear();
        station.openWorkspace("");
        EXPECT_EQ(dialogs.notices, (std::vector<std::string>{"     Failed to open file.     "})) << path;
    }
}

TEST_F(WorkspaceTest, ANewWorkspaceAlwaysStopsTheRecorderWithItsMarker) {
    fixture.midi.messages.clear();
    station.newWorkspace(true);
    const CaptureMidiBackend::Message marker{10000, 0xBF, 7, 0};
    EXPECT_EQ(std::count(fixture.midi.messages.begin(), fixture.midi.messages.end(), marker), 1);
}

}  // namespace
}  // namespace brio
