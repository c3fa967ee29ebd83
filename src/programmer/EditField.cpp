#include "programmer/EditField.h"

#include <algorithm>

#include "graphics/Canvas.h"
#include "graphics/FontRasterizer.h"
#include "graphics/Limage.h"

namespace brio {

namespace {

constexpr int leftKey = 37, rightKey = 39, homeKey = 36, endKey = 35;
constexpr int backspaceKey = 8, deleteKey = 46;
constexpr int padding = 1;  // pixels between the box's left edge and the text

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 32 || c == 127;
}

}  // namespace

EditField::EditField(int left, int top, int width, size_t maxLength)
    : bounds{left, top, left + width - 1, top + height - 1}, maxLength(maxLength) {}

void EditField::setText(const std::string& text) {
    content = text.substr(0, maxLength);
    caretAt = anchorAt = int(content.size());
    scroll = 0;
    keepCaretInView();
}

std::string EditField::selectedText() const {
    const int from = std::min(caretAt, anchorAt);
    return content.substr(size_t(from), size_t(std::abs(caretAt - anchorAt)));
}

void EditField::selectAll() {
    anchorAt = 0;
    caretAt = int(content.size());
    keepCaretInView();
}

EditField::Outcome EditField::insert(const std::string& text) {
    std::string clean;
    for (const char c : text)
        if (!isControl(c)) clean += c;
    if (clean.find_first_of(refused) != std::string::npos) return Outcome::refused;
    const size_t from = size_t(std::min(caretAt, anchorAt));
    const size_t selected = size_t(std::abs(caretAt - anchorAt));
    const size_t room = maxLength - (content.size() - selected);
    clean.resize(std::min(clean.size(), room));
    if (clean.empty() && selected == 0) return Outcome::unchanged;
    content.replace(from, selected, clean);
    caretAt = anchorAt = int(from + clean.size());
    keepCaretInView();
    return Outcome::changed;
}

EditField::Outcome EditField::eraseSelection() {
    return hasSelection() ? insert("") : Outcome::unchanged;
}

EditField::Outcome EditField::keyDown(int virtualKey, bool shift, bool ctrl) {
    const int length = int(content.size());
    switch (virtualKey) {
        case leftKey:
            moveCaret(ctrl ? wordLeft()
                           : (hasSelection() && !shift ? std::min(caretAt, anchorAt) : caretAt - 1),
                      shift);
            break;
        case rightKey:
            moveCaret(ctrl ? wordRight()
                           : (hasSelection() && !shift ? std::max(caretAt, anchorAt) : caretAt + 1),
                      shift);
            break;
        case homeKey:
            moveCaret(0, shift);
            break;
        case endKey:
            moveCaret(length, shift);
            break;
        case backspaceKey:
            if (!hasSelection()) {
                if (caretAt == 0) return Outcome::unchanged;
                anchorAt = caretAt - 1;
            }
            return eraseSelection();
        case deleteKey:
            if (!hasSelection()) {
                if (caretAt == length) return Outcome::unchanged;
                anchorAt = caretAt + 1;
            }
            return eraseSelection();
        default:
            break;
    }
    return Outcome::unchanged;
}

void EditField::moveCaret(int position, bool extend) {
    caretAt = std::clamp(position, 0, int(content.size()));
    if (!extend) anchorAt = caretAt;
    keepCaretInView();
}

int EditField::wordLeft() const {
    int at = caretAt;
    while (at > 0 && content[size_t(at - 1)] == ' ') --at;
    while (at > 0 && content[size_t(at - 1)] != ' ') --at;
    return at;
}

int EditField::wordRight() const {
    const int length = int(content.size());
    int at = caretAt;
    while (at < length && content[size_t(at)] != ' ') ++at;
    while (at < length && content[size_t(at)] == ' ') ++at;
    return at;
}

void EditField::pressAt(int x, bool extend) {
    moveCaret(positionAt(x), extend);
}

void EditField::dragTo(int x) {
    moveCaret(positionAt(x), true);
}

// The boundary nearest to x; the text is short (its length is limited), so measuring every
// prefix costs little.
int EditField::positionAt(int x) const {
    const int offset = x - (bounds.left + padding) + scroll;
    int best = 0;
    int bestDistance = std::abs(offset);
    for (int i = 1; i <= int(content.size()); ++i) {
        const int distance = std::abs(caretPixel(i) - offset);
        if (distance < bestDistance) best = i, bestDistance = distance;
    }
    return best;
}

void EditField::keepCaretInView() {
    const int visible = bounds.right - bounds.left + 1 - 2 * padding;
    const int caretX = caretPixel(caretAt);
    const int total = widthOf(content);
    if (caretX - scroll > visible - 1) scroll = caretX - visible + 1;
    if (caretX < scroll) scroll = caretX;
    // Text deleted from the end brings the hidden start back into view.
    if (total - scroll < visible - 1) scroll = std::max(0, total - visible + 1);
    scroll = std::min(scroll, caretX);
}

int EditField::widthOf(const std::string& text) {
    FontRasterizer* rasterizer = fontRasterizer();
    return rasterizer ? rasterizer->textWidth(text, textSize, false) : 0;
}

void EditField::paint(Limage& picture, bool focused) {
    Canvas& canvas = picture.canvas();
    canvas.setColor(groundColor);
    canvas.fillRect(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1);
    canvas.setClip(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1);
    canvas.setFont(textSize, false);
    const int x0 = bounds.left + padding - scroll;
    const int y = bounds.top;
    const int from = focused ? std::min(caretAt, anchorAt) : 0;
    const int to = focused ? std::max(caretAt, anchorAt) : 0;
    const int fromX = x0 + caretPixel(from);
    const int toX = x0 + caretPixel(to);
    if (to > from) {
        canvas.setColor(selectionColor);
        canvas.fillRect(fromX, bounds.top, toX, bounds.bottom + 1);
    }
    // Before, in and after the selection.
    const std::string pieces[3] = {content.substr(0, size_t(from)),
                                   content.substr(size_t(from), size_t(to - from)),
                                   content.substr(size_t(to))};
    const int starts[3] = {x0, fromX, toX};
    for (int i = 0; i < 3; ++i) {
        if (pieces[i].empty()) continue;
        canvas.setFontColor(i == 1 ? selectedTextColor : marked ? outOfRangeColor : textColor);
        canvas.textOut(starts[i], y, pieces[i]);
    }
    if (focused) {
        const int x = x0 + caretPixel(caretAt);
        canvas.setColor(textColor);
        canvas.fillRect(x, bounds.top + 1, x + 1, bounds.bottom);
    }
    canvas.clearClip();
}

}  // namespace brio
