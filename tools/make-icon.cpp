// Draws the program's icon with the program's own drawing code: a panel in the "Brio Blue"
// section colour with an orange display strip over an octave of piano keys. Writes
// brioletta-48.png, brioletta-128.png, brioletta-256.png and the same shapes as brioletta.svg
// into the folder given as the only argument.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/Canvas.h"
#include "graphics/Color.h"
#include "graphics/Limage.h"
#include "panel/PanelColors.h"
#include "platform/PngWriter.h"

namespace {

using brio::Color;

// One filled rectangle on a 256-unit square.
struct Box {
    int left, top, right, bottom;
    Color color;
};

constexpr Color black = 0x000000;
constexpr Color white = 0xFFFFFF;
constexpr Color keyLine = 0x505050;

std::vector<Box> iconShapes() {
    const Color panel = brio::PanelColors::sectionColors[0];
    const Color frame = brio::scaleColor(panel, 0.6f);
    const Color lcd = brio::PanelColors::lcdColors[0];
    std::vector<Box> boxes{{0, 0, 256, 256, frame}, {8, 8, 248, 248, panel}, {28, 28, 228, 76, black},
                           {34, 34, 222, 70, lcd}};
    // Seven white keys, each with its dividing line, then the five black keys over them.
    constexpr int keysLeft = 28, keysTop = 96, keysBottom = 228, keyWidth = 28;
    boxes.push_back({keysLeft, keysTop, keysLeft + 7 * keyWidth + 4, keysBottom, keyLine});
    for (int key = 0; key < 7; ++key) {
        const int left = keysLeft + key * keyWidth + 4;
        boxes.push_back({left, keysTop + 4, left + keyWidth - 4, keysBottom - 4, white});
    }
    for (int key : {1, 2, 4, 5, 6}) {
        const int centre = keysLeft + key * keyWidth + 2;
        boxes.push_back({centre - 9, keysTop + 4, centre + 9, keysTop + 80, black});
    }
    return boxes;
}

bool writePng(const std::vector<Box>& boxes, int size, const std::string& path) {
    brio::Limage image;
    if (!image.create(size, size)) return false;
    brio::Canvas canvas(image);
    const auto scaled = [size](int units) { return (units * size + 128) / 256; };
    for (const Box& box : boxes) {
        canvas.setColor(box.color);
        canvas.fillRect(scaled(box.left), scaled(box.top), scaled(box.right), scaled(box.bottom));
    }
    return brio::savePng(image, path);
}

std::string svgColor(Color color) {
    const brio::ColorChannels channels = brio::splitColor(color);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", channels.red & 0xFF, channels.green & 0xFF, channels.blue & 0xFF);
    return text;
}

bool writeSvg(const std::vector<Box>& boxes, const std::string& path) {
    std::ofstream out(path);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const Box& box : boxes) {
        out << "  <rect x=\"" << box.left << "\" y=\"" << box.top << "\" width=\"" << box.right - box.left
            << "\" height=\"" << box.bottom - box.top << "\" fill=\"" << svgColor(box.color) << "\"/>\n";
    }
    out << "</svg>\n";
    return bool(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icon FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::vector<Box> boxes = iconShapes();
    bool written = writeSvg(boxes, folder + "brioletta.svg");
    for (int size : {48, 128, 256}) {
        written = writePng(boxes, size, folder + "brioletta-" + std::to_string(size) + ".png") && written;
    }
    if (!written) std::fprintf(stderr, "make-icon: cannot write the icons into %s\n", folder.c_str());
    return written ? 0 : 1;
}
