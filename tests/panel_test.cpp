#include <gtest/gtest.h>

#include <memory>

#include "FakeWindowSystem.h"
#include "Snapshot.h"
#include "StationFixture.h"
#include "WidgetSurface.h"
#include "accompaniment/Tempo.h"
#include "midi/GeneralMidi.h"
#include "midi/Recorder.h"
#include "panel/PanelColors.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

using Message = CaptureMidiBackend::Message;

// The station with its panel built on a fake main window, as the program shows it.
struct PanelTest : ::testing::Test {
    test::StationFixture fixture;
    MidiSynth& station = *fixture.station;
    Options& options = *fixture.options;
    test::FakeWindowSystem windows{fixture.clock};
    WindowEvents events;
    std::unique_ptr<HostWindow> window;
    MainPanel& panel = station.panel;

    ~PanelTest() override {
        station.attachMainWindow(nullptr);
        recorder() = Recorder();
    }
    test::FakeWindow& open(bool large, int colors = 0, int lcdColor = 0) {
        options.largeView = large;
        options.colors = colors;
        options.lcdColor = lcdColor;
        if (!window) window = windows.createWindow(WindowKind::main, events);
        station.attachWindowSystem(&windows);
        station.attachMainWindow(window.get());
        return *windows.windowOf(WindowKind::main);
    }
    void click(int x, int y) {
        station.mouseDown(x, y, leftButton);
        station.mouseUp(x, y, leftButton, false);
    }
    static int centreX(const Rect& r) { return (r.left + r.right) / 2; }
    static int centreY(const Rect& r) { return (r.top + r.bottom) / 2; }
    const ScButton* button(const std::string& caption) const {
        for (const ScButton& b : panel.controls.buttons)
            if (b.caption == caption || b.label == caption) return &b;
        return nullptr;
    }
    std::vector<Message> sentOn(int channel, uint8_t kind) const {
        std::vector<Message> result;
        for (const Message& m : fixture.midi.messages)
            if (m.status == kind + channel) result.push_back(m);
        return result;
    }
};

struct MeasuredText : FreeTypeText {  // the real face, remembering how far right the large texts reach
    void drawText(Limage& image, const Rect& clip, int x, int y, const std::string& s, int size, bool bold, Color c) override {
        if (size > 11) right = std::max(right, x + textWidth(s, size, bold));
        FreeTypeText::drawText(image, clip, x, y, s, size, bold, c);
    }
    int right = 0;
};

struct PanelTextTest : PanelTest {
    PanelTextTest() { installFontRasterizer(&text); }
    ~PanelTextTest() override { installFontRasterizer(nullptr); }
    bool drawn(const std::string& what) const {
        for (const auto& call : text.calls)
            if (call.text == what) return true;
        return false;
    }
    MarkingRasterizer text;
};

TEST_F(PanelTest, BothViewsHaveTheirSizeSectionsPianoAndTabs) {
    struct View {
        bool large;
        int width, height, sectionWidth, left1, left2, pianoX, pianoY;
    };
    for (const View& v : {View{false, 987, 503, 313, 337, 652, 41, 354}, View{true, 1203, 533, 385, 409, 796, 42, 358}}) {
        test::FakeWindow& main = open(v.large);
        EXPECT_EQ(std::vector<int>({main.width, main.height}), std::vector<int>({v.width, v.height}));
        EXPECT_EQ(std::vector<int>({panel.image.width(), panel.image.height()}), std::vector<int>({v.width, v.height}));
        EXPECT_EQ(panel.sectionWidth, v.sectionWidth);
        EXPECT_EQ(panel.sectionLeft, (std::array<int, 3>{22, v.left1, v.left2}));
        EXPECT_EQ(std::vector<int>({panel.keyboardLeft, panel.keyboardTop}), std::vector<int>({v.pianoX, v.pianoY}));
        // The tab dividers of "*A;B;C" at a third and two thirds of the section.
        const Color divider = scaleColor(panel.sectionColor(), 0.7f);
        for (int k = 1; k <= 2; ++k) {
            EXPECT_EQ(panel.image.pixel(v.left1 + k * (v.sectionWidth / 3), MainPanel::sectionTop + 12), divider)
                << v.large << " tab " << k;
        }
        EXPECT_EQ(panel.menuBoxes.count(), 4);
        EXPECT_EQ(panel.closeBox, makeRect(v.width - 28, 18, v.width - 14, 32));
        // A rebuild never duplicates widgets: 4 + 2 faders, 24 radios, 19 other buttons, 4 switches.
        EXPECT_EQ(panel.controls.faders.count(), 6);
        EXPECT_EQ(panel.controls.switches.count(), 4);
        EXPECT_EQ(panel.controls.buttons.count(), 24 + 19);
        // What the window shows is the panel.
        EXPECT_TRUE(sameImage(main.screen, panel.image)) << v.large;
    }
}

TEST_F(PanelTest, SchemeAndDisplayIndicesAreClampedAndDarkSchemesGetLightCaptions) {
    for (int colors = -2; colors <= 9; ++colors) {
        const int lcd = colors % 5 - 1;  // -1..3 among them
        open(false, colors, lcd);
        const int scheme = std::clamp(colors, 0, 6);
        EXPECT_EQ(panel.sectionColor(), PanelColors::sectionColors[size_t(scheme)]) << colors;
        EXPECT_EQ(drawSurface().lcdColor, PanelColors::lcdColors[size_t(std::clamp(lcd, 0, 2))]) << lcd;
        const Color captions = scheme >= 3 ? 0xD0D0D0 : 0x000000;
        for (const ScFader& fader : panel.controls.faders) ASSERT_EQ(fader.textColor, captions) << colors;
        for (const ScButton& b : panel.controls.buttons) ASSERT_EQ(b.faceColor, panel.sectionColor()) << colors;
    }
}

TEST_F(PanelTextTest, TheToneDisplayShowsTheProgramTheOctaveAndTheDetails) {
    open(false);
    EXPECT_TRUE(drawn("Piano"));
    EXPECT_TRUE(drawn("001 " + programName(0)));
    EXPECT_FALSE(drawn("Octave"));

    const Rect box = panel.toneDisplay.rect;
    const int yc = box.top + 9;
    const Color ink = scaleColor(panel.toneDisplay.colour, 0.35f);
    station.setMasterKeyShift(48);  // two chevrons right of "Octave"
    EXPECT_TRUE(drawn("Octave"));
    EXPECT_EQ(panel.image.pixel(box.right - 67, yc - 2), ink);
    EXPECT_EQ(panel.image.pixel(box.right - 63, yc - 2), ink);
    station.setMasterKeyShift(0);  // two chevrons left of it
    EXPECT_EQ(panel.image.pixel(box.right - 108, yc - 2), ink);
    EXPECT_EQ(panel.image.pixel(box.right - 112, yc - 2), ink);
    EXPECT_NE(panel.image.pixel(box.right - 67, yc - 2), ink);
    station.setMasterKeyShift(24);

    text.calls.clear();
    station.toggleToneDetails();
    EXPECT_FALSE(drawn("Piano"));
    for (const char* label : {"Volume", "Panorama", "Transpose", "0"}) EXPECT_TRUE(drawn(label)) << label;
    EXPECT_NE(panel.volumeBarBox, emptyRect);
    EXPECT_NE(panel.transposeBoxes[4], emptyRect);
}

TEST_F(PanelTextTest, TheStyleDisplayShowsTheDefaultTempoExceptForAMetronome) {
    BaseStyle& metronome = fixture.library->style(5);
    metronome.name = "Metronome 4/4";
    BaseStyle& waltz = fixture.library->style(6);
    waltz.name = "Waltz";
    waltz.bpm = 90;
    open(false);
    station.selectStyle(6, true);
    EXPECT_TRUE(drawn("Waltz (90 BPM)"));
    EXPECT_TRUE(drawn("90 BPM"));
    station.selectStyle(5, true);
    EXPECT_TRUE(drawn("Metronome 4/4"));
    EXPECT_FALSE(drawn("Metronome 4/4 (120 BPM)"));
}

// With fingered chords the chord the bass plays stands in the style display, and only then.
TEST_F(PanelTextTest, TheStyleDisplayShowsTheFingeredChordWhileTheBassPlays) {
    open(false);
    for (int key : {9, 13, 16}) station.pressPianoKey(key, 100);  // A, C#, E
    options.chordMode = ChordMode::fingered;
    station.applyChordMode();
    station.keyDown(120);  // F9: bass on, with A major held
    station.keyUp(120);
    EXPECT_TRUE(drawn("A"));
    station.releasePianoKey(13);
    station.pressPianoKey(12, 100);
    EXPECT_TRUE(drawn("Am"));
    for (int key : {9, 12, 16}) station.releasePianoKey(key);
    for (int key : {6, 9, 12, 15}) station.pressPianoKey(key, 100);
    EXPECT_TRUE(drawn("F#dim7"));
    text.calls.clear();
    station.keyDown(120);  // bass off: no chord
    EXPECT_FALSE(text.calls.empty());
    EXPECT_FALSE(drawn("F#dim7"));
}

TEST_F(PanelTextTest, KeyLabelsComeAndGoWithTheOptionAndTheFKeyMarkersFollowTheOctave) {
    const auto stripIsClear = [&] {
        const int top = panel.keyboardTop + panel.piano.whiteKeyHeight() + 2;
        for (int y = top; y <= panel.height() - 2; ++y)
            for (int x = panel.keyboardLeft; x <= panel.width() - panel.keyboardLeft; ++x)
                if (panel.image.pixel(x, y) != MainPanel::keyboardAreaColor) return false;
        return true;
    };
    options.showKeyAssignment = true;
    open(false);
    EXPECT_FALSE(stripIsClear());
    for (const auto& [large, key, visible, hidden] : {std::tuple{false, 116, 670, 523}, std::tuple{false, 117, 523, 669},
                                                      std::tuple{false, 118, 650, 689}, std::tuple{true, 116, 821, 639},
                                                      std::tuple{true, 117, 639, 816}, std::tuple{true, 118, 797, 840}}) {
        open(large);
        station.keyDown(key);
        station.keyUp(key);
        const int markerY = panel.keyboardTop - 13;
        EXPECT_EQ(panel.image.pixel(visible, markerY), panel.sectionColor()) << key;
        EXPECT_EQ(panel.image.pixel(hidden, markerY), MainPanel::keyboardAreaColor) << key;
    }
    for (int scheme = PanelColors::firstDarkScheme; scheme < 7; ++scheme) {  // labels and markers that read
        open(false, scheme);
        const auto& label = text.calls.back();  // the last key's, below the piano
        const auto& marker = *std::find_if(text.calls.rbegin(), text.calls.rend(),
                                           [](const auto& c) { return c.text.size() == 2 && c.text[0] == 'F'; });
        EXPECT_GE(contrastRatio(label.color, panel.image.pixel(label.x, label.y + 5)), 4.5) << scheme;
        EXPECT_GE(contrastRatio(marker.color, panel.image.pixel(marker.x, marker.y + 5)), 4.5) << scheme;
    }
    options.showKeyAssignment = false;
    open(false);
    EXPECT_TRUE(stripIsClear());
}

// A press plays by its place on the key, 20 at the top to 127 at the bottom (a black key over its
// own length): the mouse with the option on, a finger always; a drag or a sliding finger plays a
// key by where it enters it. Each finger holds its own key, wherever it is lifted.
TEST_F(PanelTest, TheMouseAndFingersPlayByTheirPlaceOnTheKeyInBothViews) {
    const auto at = [&](int key, int depth) {  // key 12 at its left edge, clear of the black keys
        const Rect r = panel.piano.keyRect(key);
        return Point{panel.keyboardLeft + (key == 12 ? r.left + 2 : centreX(r)), panel.keyboardTop + depth};
    };
    const auto on = [](int key, int velocity, uint32_t time = 10000) {
        return Message{time, 0x90, uint8_t(24 + key), uint8_t(velocity)};
    };
    MidiSynth& played = station;
    const auto down = [&played](int64_t finger, Point p) { played.touchDown(finger, p.x, p.y); };
    const auto move = [&played](int64_t finger, Point p) { played.touchMove(finger, p.x, p.y); };
    const auto up = [&played](int64_t finger, Point p) { played.touchUp(finger, p.x, p.y); };
    for (const auto& [large, white, black] : {std::tuple{false, 133, 88}, std::tuple{true, 159, 106}}) {
        open(large);
        options.velocityByMouse = true;
        const std::tuple<int, int, int> rows[] = {{12, 0, 20},        {12, white / 2, 73}, {12, white, 127},
                                                  {13, 0, 20},        {13, black / 2, 74}, {13, black, 127},
                                                  {12, white + 1, 0}};  // below the keys
        for (const auto& [key, depth, velocity] : rows) {
            fixture.midi.messages.clear();
            click(at(key, depth).x, at(key, depth).y);
            down(7, at(key, depth));
            up(7, at(key, depth));
            const std::vector<Message> twice{on(key, velocity), on(key, 0), on(key, velocity), on(key, 0)};
            EXPECT_EQ(sentOn(0, 0x90), velocity ? twice : std::vector<Message>{}) << large << key << " " << depth;
        }
    }
    options.velocityByMouse = false;  // the mouse at 100 wherever it presses
    fixture.midi.messages.clear();
    station.mouseDown(at(12, 0).x, at(12, 0).y, leftButton);
    options.velocityByMouse = true;
    station.mouseMove(at(14, 159).x, at(14, 159).y, true, false);  // entered at D's bottom
    station.mouseMove(at(14, 0).x, at(14, 0).y, true, false);      // within D: nothing new
    station.mouseUp(0, 0, leftButton, false);
    down(1, at(12, 0));
    down(2, at(16, 159));    // a chord with E
    move(1, at(14, 159));    // slides to D
    move(1, Point{0, 300});  // off the keys
    move(1, at(13, 53));     // onto C sharp
    down(3, at(13, 0));      // C sharp struck again, 30 ms on
    up(3, at(13, 0));        // still held by finger 1
    up(2, Point{-50, 900});  // lifted outside the window
    up(9, at(13, 0));        // a finger never seen
    up(1, at(13, 53));
    EXPECT_EQ(sentOn(0, 0x90), (std::vector<Message>{on(12, 100), on(12, 0), on(14, 127), on(14, 0), on(12, 20),
                                                     on(16, 127), on(12, 0), on(14, 127), on(14, 0), on(13, 74),
                                                     on(13, 0), on(13, 20), on(16, 0, 10030), on(13, 0, 10030)}));
    // More fingers than are followed: the extra ones play nothing, and lifted, none is held.
    for (int finger = 0; finger < MidiSynth::fingerSlots + 2; ++finger) down(finger, at(24 + 2 * finger, 60));
    EXPECT_EQ(std::count_if(station.pianoKeyDown.begin(), station.pianoKeyDown.end(), [](int32_t h) { return h; }),
              MidiSynth::fingerSlots);
    for (int finger = 0; finger < MidiSynth::fingerSlots + 2; ++finger) station.touchUp(finger, 0, 0);
    EXPECT_EQ(station.pianoKeyDown, (std::array<int32_t, MidiSynth::pianoKeySlots>{}));
    down(5, Point{panel.toneStrip.left + panel.sectionWidth / 2, panel.toneStrip.top + 5});
    station.touchUp(5, 0, 0);
    EXPECT_EQ(station.selectedInstrument, 1);  // beside the keys a finger is the left button: tab B
}

// The computer keys' level moves by 8 within 1..127 (a held hot key repeats nothing) and shows
// in the style display for two seconds.
TEST_F(PanelTextTest, VelocityHotKeysSetTheComputerKeysLevelAndShowItForTwoSeconds) {
    open(false);
    const auto press = [&](int code) { station.keyDown(code), station.keyDown(code), station.keyUp(code); };
    for (const auto& [code, level] : {std::pair{189, 92}, {8, 100}, {107, 108}, {8, 116}, {8, 124}, {8, 127}, {8, 127}}) {
        press(code);
        EXPECT_EQ(options.keyboardVelocity, level) << code;
    }
    for (int i = 0; i < 17; ++i) press(i < 16 ? 109 : 107);
    press('Z');
    EXPECT_EQ(sentOn(0, 0x90), (std::vector<Message>{{10000, 0x90, 33, 9}, {10000, 0x90, 33, 0}}));  // from 1 up
    EXPECT_TRUE(drawn("Velocity 9"));
    EXPECT_EQ(station.msUntilDue(fixture.clock.milliseconds() + 500, 5000), 1500u);
    for (const auto& [ms, tempoShown] : {std::pair{1999u, false}, {1u, true}}) {
        text.calls.clear();
        fixture.clock.advance(ms);
        station.tick(true);
        EXPECT_EQ(drawn("120 BPM"), tempoShown) << ms;
    }
}

TEST_F(PanelTest, ClicksOnTheCloseBoxTabsOctaveButtonsAndStyleArrows) {
    for (const int index : {3, 7, 50}) fixture.library->style(index).name = "Style " + std::to_string(index);
    open(false);
    // The title bar drags the window, but not from a menu button.
    station.mouseDown(centreX(panel.menuBoxes.getConst(0)), 25, leftButton);
    EXPECT_FALSE(station.windowDragging);
    station.mouseUp(0, 0, leftButton, false);
    station.mouseDown(400, 10, leftButton);
    EXPECT_TRUE(station.windowDragging);
    station.mouseUp(400, 10, leftButton, false);

    // Tab B, then the "Or" bank: a program change on channel 1 only.
    fixture.midi.messages.clear();
    click(panel.toneStrip.left + panel.sectionWidth / 2, panel.toneStrip.top + 5);
    EXPECT_EQ(station.selectedInstrument, 1);
    const ScButton* organ = button("Or");
    ASSERT_NE(organ, nullptr);
    click(centreX(organ->rect), centreY(organ->rect));
    EXPECT_EQ(station.instruments[1].program, 16);
    EXPECT_EQ(sentOn(1, 0xC0), (std::vector<Message>{{10000, 0xC1, 16, 0}}));
    EXPECT_TRUE(sentOn(0, 0xC0).empty());

    click(centreX(panel.octaveUpBox), centreY(panel.octaveUpBox));
    EXPECT_EQ(masterKeyShift, 36);
    click(centreX(panel.octaveDownBox), centreY(panel.octaveDownBox));
    click(centreX(panel.octaveDownBox), centreY(panel.octaveDownBox));
    EXPECT_EQ(masterKeyShift, 12);
    station.setMasterKeyShift(24);

    // "<" and ">" step over the named styles and wrap at both ends.
    station.selectStyle(50, true);
    click(centreX(panel.nextStyleBox), centreY(panel.nextStyleBox));
    EXPECT_EQ(station.style, 3);
    click(centreX(panel.previousStyleBox), centreY(panel.previousStyleBox));
    EXPECT_EQ(station.style, 50);
    click(centreX(panel.previousStyleBox), centreY(panel.previousStyleBox));
    EXPECT_EQ(station.style, 7);

    click(centreX(panel.closeBox), centreY(panel.closeBox));
    EXPECT_TRUE(station.quitRequested);
}

TEST_F(PanelTest, TheToneDisplaySwitchesTheToneAndItsDetailsViewSetsLevelsAndTranspose) {
    open(false);
    const LcdDisplay& display = panel.toneDisplay;
    const Rect onOff = display.hitAreas[LcdDisplay::leftIcon];
    click(centreX(onOff), centreY(onOff));
    EXPECT_FALSE(station.instruments[0].active);
    click(centreX(onOff), centreY(onOff));
    EXPECT_TRUE(station.instruments[0].active);

    const Rect details = display.hitAreas[LcdDisplay::rightIcon];
    click(centreX(details), centreY(details));
    ASSERT_TRUE(station.toneDetails);
    const Rect volume = panel.volumeBarBox;
    // A press 2 pixels left of the track sets 0; the drag that follows moves it to the end.
    fixture.midi.messages.clear();
    station.mouseDown(volume.left - 2, centreY(volume), leftButton);
    EXPECT_EQ(station.instruments[0].volume, 0.0);
    station.mouseMove(volume.right + 40, centreY(volume), true, false);
    EXPECT_EQ(station.instruments[0].volume, 1.0);
    station.mouseUp(volume.right + 40, centreY(volume), leftButton, false);
    station.mouseMove(volume.left, centreY(volume), false, false);  // no button: no change
    EXPECT_EQ(station.instruments[0].volume, 1.0);
    EXPECT_EQ(sentOn(0, 0xB0).back(), (Message{10000, 0xB0, 10, 82}));  // the mix went out
    const Rect pan = panel.panBarBox;
    click(pan.left + (pan.right - pan.left) / 4, centreY(pan));
    EXPECT_DOUBLE_EQ(station.instruments[0].pan, 0.25);

    const int expected[] = {-12, -13, -13, -12, 0};
    station.keyDown('Z');  // held through the transposes: its note ends at the pitch it began on
    for (size_t i : {0u, 1u, 2u, 3u, 4u}) {
        const Rect box = panel.transposeBoxes[i];
        click(centreX(box), centreY(box));
        EXPECT_EQ(station.instruments[0].transpose, expected[i]) << i;
    }
    for (int i = 0; i < 8; ++i) click(centreX(panel.transposeBoxes[4]), centreY(panel.transposeBoxes[4]));
    EXPECT_EQ(station.instruments[0].transpose, 60);
    station.keyUp('Z');
    EXPECT_EQ(sentOn(0, 0x90), (std::vector<Message>{{10000, 0x90, 33, 100}, {10000, 0x90, 33, 0}}));
}

TEST_F(PanelTest, TheWidgetsDriveTheStation) {
    open(false);
    const ScButton* rhythm = button("Rhythm");
    ASSERT_NE(rhythm, nullptr);
    click(centreX(rhythm->rect), centreY(rhythm->rect));
    EXPECT_TRUE(station.rhythm);
    EXPECT_TRUE(station.drumMachine.active);
    click(centreX(rhythm->rect), centreY(rhythm->rect));
    EXPECT_FALSE(station.rhythm);

    // Mute: volume 0 on the keyboard channels.
    fixture.midi.messages.clear();
    const ScSwitch& mute = panel.controls.switches.getConst(0);
    click(centreX(mute.rect), centreY(mute.rect));
    EXPECT_TRUE(station.mute);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_EQ(sentOn(channel, 0xB0).back(), (Message{10000, uint8_t(0xB0 + channel), 7, 0})) << channel;
    click(centreX(mute.rect), centreY(mute.rect));

    // The MASTER faders: a press at the bottom end jumps to 0 and is sent.
    const double* driven[] = {&station.volume, &station.instVolume, &station.bassVolume, &station.drumVolume};
    for (int i = 3; i >= 0; --i) {  // Rhythm, Bass, Lead, then Master
        const ScFader& fader = panel.controls.faders.getConst(i);
        fixture.midi.messages.clear();
        station.mouseDown(centreX(fader.rect), fader.handleCentreY(0.0), leftButton);
        station.mouseUp(0, 0, leftButton, false);
        EXPECT_EQ(*driven[i], 0.0) << fader.caption;
    }
    EXPECT_EQ(sentOn(0, 0xB0).back(), (Message{10000, 0xB0, 7, 0}));

    // Record and Play.
    const ScButton* record = button("Record");
    const ScButton* play = button("Play");
    ASSERT_TRUE(record && play);
    click(centreX(record->rect), centreY(record->rect));
    EXPECT_TRUE(station.recording);
    EXPECT_EQ(recorder().state, Recorder::State::recording);
    click(centreX(record->rect), centreY(record->rect));
    EXPECT_FALSE(station.recording);
    click(centreX(play->rect), centreY(play->rect));
    EXPECT_TRUE(station.playing);
}

// Each section button and hot key from a state where what it does shows; Insert taps the tempo.
TEST_F(PanelTest, TheSectionButtonsAndHotKeysPressTheirSectionAndLightWhatPlays) {
    using R = SectionRequest;
    for (const Section s : {Section::intro, Section::mainB, Section::fillA, Section::fillB, Section::breakBar, Section::ending})
        fixture.library->style(11).sections[size_t(s)].bars = 1;
    open(false);
    const std::tuple<R, int, bool, R, unsigned> rows[] = {  // request, key, running, main, bit r: request r lit
        {R::intro, 36, false, R::mainA, 0b11}, {R::mainA, 122, true, R::mainB, 0b1010}, {R::mainB, 123, false, R::mainA, 0b100},
        {R::fill, 46, true, R::mainB, 0b1100}, {R::breakBar, 119, true, R::mainA, 0b10010}, {R::ending, 35, true, R::mainA, 0b100010}};
    for (int pass = 0; pass < 12; ++pass) {  // each by its button, then by its key
        const auto& [request, key, running, main, lit] = rows[pass / 2];
        station.newWorkspace(true), station.pressSection(main);  // stopped, no intro armed, the main chosen
        if (running) station.keyDown(121), station.tick(true), station.keyUp(121);  // F10: the rhythm's first step
        const Rect box = panel.sectionBoxes[size_t(request)];
        pass % 2 ? (station.keyDown(key), station.keyUp(key)) : click(centreX(box), centreY(box));
        for (int r = 0; r < sectionRequestCount; ++r) {  // lit, and its LED strip too
            const Rect& b = panel.sectionBoxes[size_t(r)];
            const bool on = lit & 1u << r, led = panel.image.pixel(centreX(b), b.top + 2) == drawSurface().ledColor;
            EXPECT_EQ(std::pair(station.sectionLit(R(r)), led), std::pair(on, on)) << pass << " " << r;
        }
    }
    for (const uint32_t gap : {0u, 400u}) fixture.clock.advance(gap), station.keyDown(45), station.keyUp(45);
    EXPECT_EQ(std::pair(tempo, station.drumMachine.keepDefaultTempo), std::pair(fractionFromBpm(150), false));
}

TEST_F(PanelTest, TheLampPulsesWhileRecordingAndIsClearedAfterwards) {
    open(false);
    const Rect box = panel.toneDisplay.rect;
    const Rect lamp = makeRect(box.right - 46, box.top + 8, box.right - 8, box.top + 11);
    const Color background = panel.image.pixel(lamp.left - 1, lamp.top);
    const auto lampPixels = [&] {
        std::vector<Color> pixels;
        for (int y = lamp.top; y <= lamp.bottom; ++y)
            for (int x = lamp.left; x <= lamp.right; ++x) pixels.push_back(panel.image.pixel(x, y));
        return pixels;
    };
    const std::vector<Color> idle = lampPixels();
    EXPECT_TRUE(std::all_of(idle.begin(), idle.end(), [&](Color c) { return c == background; }));
    station.recording = true;
    station.controlChanged(&station.recording);
    station.tick(true);
    const std::vector<Color> first = lampPixels();
    EXPECT_NE(first, idle);
    fixture.clock.advance(300);
    station.tick(true);
    EXPECT_NE(lampPixels(), first);  // the strokes moved and the level changed
    station.recording = false;
    station.controlChanged(&station.recording);
    EXPECT_EQ(lampPixels(), idle);
}

// Pictures of the panel for a person to look at.
TEST_F(PanelTest, Snapshots) {
    MeasuredText font;
    installFontRasterizer(&font);
    open(false);
    for (int program = 127; program >= 0; --program) {  // every name ends before the details icon
        font.right = 0;
        station.pick(MidiSynth::programPicker, program);
        EXPECT_LE(font.right, panel.toneDisplay.hitAreas[LcdDisplay::rightIcon].left) << program;
    }
    for (int scheme = 0; scheme < 7; ++scheme) {
        for (const bool large : {false, true}) {
            open(large, scheme, scheme % 3);
            saveSnapshot(panel.image, std::string("panel-") + (large ? "large" : "normal") + "-scheme" +
                                          std::to_string(scheme) + "-lcd" + std::to_string(scheme % 3));
        }
    }
    options.showKeyAssignment = true;
    open(false, 0, 0);
    station.toggleToneDetails();
    station.setMasterKeyShift(36);
    station.keyDown('Z');
    station.keyDown('E');
    station.keyDown(121);  // F10: rhythm on
    station.recording = true;
    station.controlChanged(&station.recording);
    station.tick(true);
    station.paintPanel();
    saveSnapshot(panel.image, "panel-normal-playing-details-labels");
    station.keyUp('Z');
    station.keyUp('E');
    options.chordMode = ChordMode::fingered;
    station.applyChordMode();
    station.keyDown(120);  // F9: the bass plays the chord held below the split
    for (int key : {4, 7, 10, 12}) station.pressPianoKey(key, 100);  // E G Bb C: C7
    saveSnapshot(panel.image, "panel-normal-fingered-chord");
    for (int key : {4, 7, 10, 12}) station.releasePianoKey(key);
    font.right = 0;
    for (int press = 0; press < 4; ++press) station.keyDown(8), station.keyUp(8);  // Backspace: up to 127
    EXPECT_LE(font.right, panel.styleDisplayBox.right - 6);  // the widest level fits the display
    saveSnapshot(panel.image, "panel-normal-keyboard-velocity");
    installFontRasterizer(nullptr);
}

}  // namespace
}  // namespace brio
