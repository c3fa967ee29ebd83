#pragma once

#include <string>

#include "graphics/Color.h"
#include "graphics/Limage.h"
#include "graphics/Rect.h"

namespace brio {

enum class DialogPageKind { options, about, hotKeys, progress };

// The picture of one dialog page: its frame, its texts and the one web link a page may hold.
// Everything is drawn off screen; the window copies the picture.
class DialogPage {
public:
    static constexpr Color darkGround = makeColor(88, 88, 88);
    static constexpr Color darkText = makeColor(192, 192, 192);
    static constexpr Color aboutGround = white;
    static constexpr Color aboutText = black;
    static constexpr Color aboutHeader = makeColor(193, 184, 158);
    static constexpr Color sideStrip = makeColor(208, 191, 149);
    static constexpr Color titleText = makeColor(224, 224, 224);
    static constexpr Color linkText = makeColor(64, 64, 255);
    static constexpr int textSize = 11;     // pixels
    static constexpr int titleSize = 17;    // pixels
    static constexpr int titleHeight = 24;  // the strip at the top; a press there drags the window
    static constexpr int textDrop = 4;  // a text's top lies this far below the row it is placed on

    // Sizes the picture (width x height pixels, 1..10000), paints the frame of `pageKind` with
    // `title`, chooses the colours and margin and forgets the link. False when the picture
    // cannot hold that size.
    bool build(DialogPageKind pageKind, int width, int height, const std::string& title);
    // Draws `line` with its top at (x, y + textDrop), `size` pixels high, in the page's text
    // colour; a web address is drawn as the page's link instead.
    void text(int x, int y, const std::string& line, int size = textSize);
    // True for a text starting with "www." and more after it.
    static bool isWebAddress(const std::string& text);

    DialogPageKind kind = DialogPageKind::options;
    Limage picture;
    Color pageColor = darkGround;
    Color textColor = darkText;
    int margin = 16;          // left edge of the page's content, pixels
    Rect link = emptyRect;    // where the web link was drawn, inclusive
    std::string linkAddress;  // the link's text, without a scheme

private:
    void paintAboutFrame();
    void paintDarkFrame(const std::string& title);
};

}  // namespace brio
