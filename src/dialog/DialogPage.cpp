#include "dialog/DialogPage.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "graphics/Canvas.h"
#include "graphics/Drawing.h"

namespace brio {

namespace {

constexpr int optionsMargin = 25;
constexpr int otherMargin = 16;

// About: the header band's rows and how far its stripes stand from the sides.
constexpr int headerTop = 2;
constexpr int headerBottom = 112;
constexpr int headerInset = 6;
constexpr int headerStripeStep = 3;

// Dark pages.
constexpr int stripWidth = 6;
constexpr int titleStripTop = 2;
constexpr int titleStripBottom = 22;  // inclusive
constexpr int titleX = 16;
constexpr int titleY = 1;
constexpr int bandHeight = 64;  // the bottom band, from the page's bottom edge
constexpr int bandFade = 8;     // rows of the band's gradient
// The side strips' shading from the outer edge inwards: a rounded rail.
constexpr std::array<float, stripWidth> stripShades{0.78f, 0.95f, 1.12f, 1.08f, 0.98f, 0.85f};

void hline(Canvas& canvas, int x0, int x1, int y) {
    canvas.moveTo(x0, y);
    canvas.lineTo(x1, y);
}

}  // namespace

bool DialogPage::build(DialogPageKind pageKind, int width, int height, const std::string& title) {
    kind = pageKind;
    link = emptyRect;
    linkAddress.clear();
    margin = kind == DialogPageKind::options ? optionsMargin : otherMargin;
    pageColor = kind == DialogPageKind::about ? aboutGround : darkGround;
    textColor = kind == DialogPageKind::about ? aboutText : darkText;
    if (picture.width() != width || picture.height() != height || picture.scale() != drawingScale()) {
        if (!picture.create(width, height)) return false;
    }
    picture.resetClip();
    picture.canvas().clearClip();
    if (kind == DialogPageKind::about)
        paintAboutFrame();
    else
        paintDarkFrame(title);
    return true;
}

// White ground; a band of stripes at the top fading from the header colour into white towards
// the right; a black frame.
void DialogPage::paintAboutFrame() {
    const int w = picture.width();
    const int h = picture.height();
    Canvas& canvas = picture.canvas();
    picture.fill(pageColor);
    for (int x = headerInset; x <= w - 1 - headerInset; x += headerStripeStep) {
        const double toWhite = std::min(1.0, 1.5 * x / w);
        canvas.setColor(mixColor(aboutHeader, white, toWhite));
        canvas.fillRect(x, headerTop, x + 1, headerBottom + 1);
    }
    canvas.setColor(black);
    canvas.frameRect(0, 0, w, h);
}

// Dark grey ground with a lit title strip, a darker band at the bottom and shaded rails at both
// sides.
void DialogPage::paintDarkFrame(const std::string& title) {
    const int w = picture.width();
    const int h = picture.height();
    Canvas& canvas = picture.canvas();
    picture.fill(pageColor);

    canvas.setColor(scaleColor(pageColor, 0.9f));
    hline(canvas, 0, w, titleHeight);
    canvas.setColor(scaleColor(pageColor, 1.15f));
    hline(canvas, 0, w, titleHeight + 1);

    const Color band = scaleColor(pageColor, 0.85f);
    const int bandTop = h - bandHeight;
    gradientFill(canvas, 0, bandTop, w - 1, bandTop + bandFade - 1, pageColor, band, false);
    canvas.setColor(band);
    canvas.fillRect(0, bandTop + bandFade, w, h);

    for (int i = 0; i < stripWidth; ++i) {
        canvas.setColor(scaleColor(sideStrip, stripShades[size_t(i)]));
        canvas.fillRect(i, 0, i + 1, h);
        canvas.fillRect(w - 1 - i, 0, w - i, h);
    }

    canvas.setColor(scaleColor(pageColor, 1.25f));
    canvas.fillRect(stripWidth, titleStripTop, w - stripWidth, titleStripBottom + 1);
    canvas.setFont(titleSize, false);
    canvas.setFontColor(titleText);
    canvas.textOut(titleX, titleY, title);
}

bool DialogPage::isWebAddress(const std::string& text) {
    static constexpr std::string_view hostPrefix = "www.";
    return text.size() > hostPrefix.size() && text.compare(0, hostPrefix.size(), hostPrefix) == 0;
}

void DialogPage::text(int x, int y, const std::string& line, int size) {
    Canvas& canvas = picture.canvas();
    canvas.setFont(size, false);
    const int top = y + textDrop;
    if (!isWebAddress(line)) {
        canvas.setFontColor(textColor);
        canvas.textOut(x, top, line);
        return;
    }
    const int width = canvas.textWidth(line);
    const int height = canvas.textHeight(line);
    canvas.setFontColor(linkText);
    canvas.textOut(x, top, line);
    // The underline sits just below the letters' baseline, which lies about a fifth of the line
    // height above the line box's bottom.
    canvas.setColor(linkText);
    hline(canvas, x, x + width, top + height - height / 5);
    link = makeRect(x, top, x + std::max(width, 1) - 1, top + std::max(height, 1) - 1);
    linkAddress = line;
}

}  // namespace brio
