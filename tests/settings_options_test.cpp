#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "foundation/TextUtils.h"
#include "midi/MidiBackend.h"
#include "midi/MidiOut.h"
#include "settings/Options.h"

namespace brio {
namespace {

using test::itemsOf;

using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;


// The options file exactly as written with every value at its default.
const std::string defaultDocument =
    "<Brio Options>\r\n"
    "wavStereo=1\r\nwav16bit=1\r\nwavFreq=0\r\nmidiDevice=-2\r\n"
    "warnStationDelete=false\r\nwarnRecDelete=false\r\nautoStopBass=false\r\n"
    "autoStopArps=false\r\nkeyStartOnlyFromBass=false\r\nalwaysResetTempo=true\r\n"
    "keyHighlight=false\r\ncolors=0\r\nlcdColor=0\r\nlargeView=true\r\n"
    "windowBorder=false\r\nshowKeyAssignment=false\r\ndragPlay=true\r\nsoundFont=\r\nmidiInDevice=-1\r\nchordMode=2\r\nfingeredChords=true\r\n"
    "bassOnLowestKey=false\r\nrealtime=true\r\nvelocityByMouse=false\r\nkeyboardVelocity=100\r\n"
    "inputVelocityCurve=0\r\nscale=0\r\n"
    "</Brio Options>\r\n";

class FakeBackend : public MidiBackend {
public:
    std::vector<std::string> deviceNames() override { return {"Port Zero", "Port One"}; }
    bool open(int) override { return false; }
    void send(uint32_t) override {}
    void reset() override {}
    void close() override {}
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { setProgramFolder(dir.folder()); }
    void TearDown() override { setProgramFolder(""); }

    std::string file() const { return dir.path("options.cfg"); }

    // Sets every value away from its default.
    static void changeAll(Options& options) {
        options.wavStereo = 0;
        options.wav16bit = 0;
        options.wavFreq = 2;
        options.midiDevice = 3;
        options.warnStationDelete = true;
        options.warnRecDelete = true;
        options.autoStopBass = true;
        options.autoStopArps = true;
        options.keyStartOnlyFromBass = true;
        options.alwaysResetTempo = false;
        options.keyHighlight = true;
        options.colors = 6;
        options.lcdColor = 2;
        options.largeView = false;
        options.windowBorder = true;
        options.showKeyAssignment = true;
        options.dragPlay = false;
        options.soundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
        options.midiInDevice = 2;
        options.chordMode = ChordMode::singleFinger;
        options.bassOnLowestKey = true;
        options.realtime = false;
        options.velocityByMouse = true;
        options.keyboardVelocity = 36;
        options.inputVelocityCurve = 3;
        options.scale = 2;
    }

    TempDir dir;
};

TEST_F(OptionsTest, AFirstStartHasTheDefaultsAndWritesEveryKeyInOrderAtTheEnd) {
    {
        Options options(1920);
        EXPECT_EQ(options.midiDevice, -2);
        EXPECT_TRUE(options.largeView);
    }
    EXPECT_EQ(readFile(file()), defaultDocument);
}

TEST_F(OptionsTest, EveryValueSurvivesARoundTrip) {
    const std::string changed =
        "<Brio Options>\r\n"
        "wavStereo=0\r\nwav16bit=0\r\nwavFreq=2\r\nmidiDevice=3\r\n"
        "warnStationDelete=true\r\nwarnRecDelete=true\r\nautoStopBass=true\r\n"
        "autoStopArps=true\r\nkeyStartOnlyFromBass=true\r\nalwaysResetTempo=false\r\n"
        "keyHighlight=true\r\ncolors=6\r\nlcdColor=2\r\nlargeView=false\r\n"
        "windowBorder=true\r\nshowKeyAssignment=true\r\ndragPlay=false\r\n"
        "soundFont=/usr/share/sounds/sf2/FluidR3_GM.sf2\r\nmidiInDevice=2\r\nchordMode=1\r\nfingeredChords=false\r\n"
        "bassOnLowestKey=true\r\nrealtime=false\r\nvelocityByMouse=true\r\nkeyboardVelocity=36\r\n"
        "inputVelocityCurve=3\r\nscale=2\r\n"
        "</Brio Options>\r\n";
    {
        Options options(1920);
        changeAll(options);
    }
    EXPECT_EQ(readFile(file()), changed);
    // Read back and written again unchanged: every value was read into its own field.
    { Options options(1920); }
    EXPECT_EQ(readFile(file()), changed);
}

TEST_F(OptionsTest, TheChordModeOfAnOlderFileComesFromItsFingeredChordsKey) {
    const std::pair<const char*, ChordMode> cases[] = {{"fingeredChords=true", ChordMode::fingered},
                                                       {"fingeredChords=false", ChordMode::off},
                                                       {"chordMode=1\nfingeredChords=false", ChordMode::singleFinger},
                                                       {"chordMode=9", ChordMode::fingered}};
    for (const auto& [keys, mode] : cases) {
        writeFile(file(), std::string("<Brio Options>\n") + keys + "\n</Brio Options>\n");
        EXPECT_EQ(Options(1920).chordMode, mode) << keys;
    }
}

TEST_F(OptionsTest, VelocitiesOutOfRangeAreClamped) {
    for (const auto& [keys, level, curve] : {std::tuple{"keyboardVelocity=0\ninputVelocityCurve=-1", 1, 0},
                                             {"keyboardVelocity=500\ninputVelocityCurve=4", 127, 0}}) {
        writeFile(file(), std::string("<Brio Options>\n") + keys + "\n</Brio Options>\n");
        Options options(1920);
        EXPECT_EQ(std::pair(options.keyboardVelocity, options.inputVelocityCurve), std::pair(level, curve)) << keys;
    }
}

TEST_F(OptionsTest, AKeyMissingFromTheFileKeepsItsDefault) {
    writeFile(file(), "<Brio Options>\nmidiDevice=4\ndragPlay=false\n</Brio Options>\n");
    Options options(1920);
    EXPECT_EQ(options.midiDevice, 4);
    EXPECT_FALSE(options.dragPlay);
    EXPECT_EQ(options.wavStereo, 1);
    EXPECT_TRUE(options.alwaysResetTempo);
    EXPECT_TRUE(options.largeView);
}

TEST_F(OptionsTest, ABrokenFileGivesTheDefaults) {
    const std::string keys = "midiDevice=5\nlargeView=false\ndragPlay=false\ncolors=3\n";
    const std::vector<std::string> broken = {
        "",
        "\r\n\r\n",
        std::string("\x01\xff\x00garbage\x7f", 12) + "\n" + keys,
        "<Other Options>\n" + keys + "</Other Options>\n",
        " <Brio Options>\n" + keys + "</Brio Options>\n",
        "<brio options>\n" + keys + "</brio options>\n",
        "<Brio Options>\n" + keys,
    };
    for (const std::string& content : broken) {
        SCOPED_TRACE(content);
        writeFile(file(), content);
        { Options options(1920); }
        EXPECT_EQ(readFile(file()), defaultDocument);
    }
}

TEST_F(OptionsTest, LargeViewIsSwitchedOffOnlyOnANarrowScreen) {
    // Each object writes its own value back at the end, so every case starts from the file.
    auto largeViewAt = [&](int screenWidth) {
        writeFile(file(), defaultDocument);
        return Options(screenWidth).largeView;
    };
    EXPECT_FALSE(largeViewAt(1024));
    EXPECT_FALSE(largeViewAt(1279));
    EXPECT_TRUE(largeViewAt(1280));
    EXPECT_TRUE(largeViewAt(0));
}

TEST_F(OptionsTest, TheRefusalOfLargeViewNamesTheMinimumWidth) {
    EXPECT_EQ(Options::largeViewRefusal(),
              "Large view is only available for monitors with a horizontal resolution of 1280 or "
              "higher.");
}

TEST_F(OptionsTest, DisplayListsNameTheMapperFirstThenTheDevicesAndTheColours) {
    FakeBackend backend;
    MidiOut::installBackend(&backend);
    Options options(1920);
    MidiOut::installBackend(nullptr);
    EXPECT_THAT(itemsOf(options.midiDevices), ElementsAre("Midi Mapper", "Port Zero", "Port One"));
    EXPECT_THAT(itemsOf(options.colorSchemes),
                ElementsAre("Brio Blue", "Sand", "Gray", "Dark", "Cool", "Indigo", "Armor"));
    EXPECT_THAT(itemsOf(options.lcdColors), ElementsAre("Brio Orange", "Blue", "Green"));
}

}  // namespace
}  // namespace brio
