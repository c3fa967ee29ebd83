// Pictures of every widget kind for a person to look at: build/snapshots/widgets_*.png, with
// three-times enlargements of each kind's region.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Snapshot.h"
#include "WidgetSurface.h"
#include "graphics/LcdDisplay.h"
#include "graphics/ScControls.h"
#include "platform/FreeTypeText.h"

namespace brio {
namespace {

Limage enlargedPart(const Limage& image, const Rect& r, int factor) {
    Limage big;
    big.create((r.right - r.left + 1) * factor, (r.bottom - r.top + 1) * factor);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, image.pixel(r.left + x / factor, r.top + y / factor));
    return big;
}

void saveWithParts(const Limage& image, const std::string& name) {
    saveSnapshot(image, name);
    const std::pair<const char*, Rect> parts[] = {{"buttons", {0, 20, 525, 110}},
                                                  {"round", {0, 115, 370, 210}},
                                                  {"faders", {370, 100, 599, 280}},
                                                  {"displays", {0, 280, 599, 399}}};
    for (const auto& [kind, area] : parts)
        saveSnapshot(enlargedPart(image, area, 3), name + "_" + kind + "_x3");
}

// Every kind and look a panel section holds.
struct Showcase {
    explicit Showcase(ScControls& group) {
        group.addButton(10, 30, 92, 19, "Style");
        group.addButton(101, 30, 30, 19, "<");
        group.addButton(130, 30, 30, 19, ">");
        group.addToggle(170, 30, 70, 22, "Arp", &arp);
        group.addToggle(239, 30, 70, 22, "Hold", &hold);
        group.addButton(308, 30, 70, 22, "Pattern");
        group.addToggle(390, 30, 26, 22, "", &check);
        const char* families[] = {"Pi", "Ch", "Or", "Gu", "Ba", "St", "En", "Br"};
        const char* icons[] = {"<up>",    "<down>",  "<plus>",  "<minus>",
                               "<cross>", "<sound>", "<reset>", "<play>"};
        for (int k = 0; k < 8; ++k) {
            group.addRadio(10 + k * 36, 60, 37, 22, families[k], &bank, k);
            group.addRadio(10 + k * 36, 81, 37, 22, "#" + std::to_string(k + 1), &program, k);
            group.addButton(310 + k * 26, 60, 25, 22, icons[k]);
        }
        const char* round[] = {"$Record@1", "$Play@1", "$Rhythm", "$Bass"};
        for (int k = 0; k < 4; ++k) {
            group.addToggle(20 + k * 90, 140, 31, 31, round[k], &off[k]);
            group.addToggle(60 + k * 90, 140, 31, 31, round[k], &on[k]);
        }
        group.addSwitch(10, 190, 73, "Mute", &off[0]);
        group.addSwitch(90, 190, 73, "Key Start", &on[0]);
        const char* faders[] = {"Master", "Lead", "Tempo", "Shuffle"};
        for (int k = 0; k < 4; ++k)
            group.addFader(380 + k * 54, 115, 100, faders[k], &levels[k], 10);
    }
    bool arp = true, hold = false, check = true;
    int32_t bank = 2, program = 0;
    bool off[4] = {false, false, false, false};
    bool on[4] = {true, true, true, true};
    double levels[4] = {0.8, 0.5, 0, 1};
};

void paintDisplays() {
    LcdDisplay display;
    display.paint(10, 290, 288, 49, "Piano", "001 Acoustic Grand Piano", "Ps", true);
    display.paint(310, 290, 149, 49, "Swing (120 BPM)", "132 BPM", "", true);
    display.paint(10, 350, 288, 45, "Strings", "049 String Ensemble", "pS", true);
    display.paint(310, 360, 120, 22, "Default device", "", "", true);
    display.paint(470, 350, 120, 45, "Detail", "off", "Ss", true);
}

class WidgetSnapshots : public WidgetSurface {
protected:
    void SetUp() override {
        WidgetSurface::SetUp();
        buffer = filledImage(600, 400, sectionColor);
        window = filledImage(600, 400, windowColor);
        installFontRasterizer(&font);
    }
    FreeTypeText font;
};

TEST_F(WidgetSnapshots, EveryKindNormalPushedAndDisabled) {
    if (!font.ready()) GTEST_SKIP() << "no font";
    for (const bool dark : {false, true}) {
        const Color section = dark ? 0x646464 : sectionColor;
        const std::string scheme = dark ? "_dark" : "";
        buffer.fill(section);
        drawSurface().faceColor = section;
        drawSurface().textColor = dark ? 0xD0D0D0 : black;
        ScControls group;
        Showcase showcase(group);
        group.paintAll();
        paintDisplays();
        saveWithParts(buffer, "widgets_normal" + scheme);

        // Pushed: the top row and the round buttons held down, every fader dragged 30 pixels.
        for (ScFader& fader : group.faders) {
            const int centre = fader.handleCentreY(*fader.value);
            group.mouseInput(fader.rect.left + 20, centre, true);
            group.mouseInput(fader.rect.left + 20, centre + 30, false);
        }
        for (ScButton& button : group.buttons)
            if (button.rect.top == 30 || button.rect.top == 140)
                button.press(button.rect.left + 5, button.rect.top + 5);
        saveWithParts(buffer, "widgets_pushed" + scheme);
    }
    // Disabled: nothing is drawn over the bare section.
    buffer.fill(sectionColor);
    drawSurface().faceColor = sectionColor;
    drawSurface().enabled = false;
    ScControls group;
    Showcase showcase(group);
    group.paintAll();
    paintDisplays();
    EXPECT_EQ(changedArea(buffer, sectionColor), emptyRect);
    saveSnapshot(buffer, "widgets_disabled");
}

}  // namespace
}  // namespace brio
