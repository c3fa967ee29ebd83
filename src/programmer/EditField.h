#pragma once

#include <cstddef>
#include <string>

#include "graphics/Color.h"
#include "graphics/Rect.h"

namespace brio {

class Limage;

// A single-line text edit that the window draws itself: 8-bit text, a caret, a selection from
// the anchor to the caret, and a horizontal scroll that keeps the caret in view. It knows no
// keyboard layout: typed text arrives already made (insert), keys only move and delete.
class EditField {
public:
    static constexpr int textSize = 11;  // pixels: the window's 8-point face
    static constexpr int height = 14;
    static constexpr Color textColor = makeColor(255, 255, 0);
    static constexpr Color groundColor = makeColor(72, 72, 72);
    static constexpr Color selectionColor = makeColor(0, 96, 192);
    static constexpr Color selectedTextColor = makeColor(255, 255, 255);
    static constexpr Color outOfRangeColor = makeColor(255, 112, 112);

    enum class Outcome { unchanged, changed, refused };

    // The box at (left, top), `width` pixels wide and `height` high; the text holds at most
    // `maxLength` characters.
    EditField(int left, int top, int width, size_t maxLength);

    // The box in client pixels (inclusive).
    const Rect& box() const { return bounds; }
    const std::string& text() const { return content; }
    // Replaces the text without reporting a change: caret at the end, nothing selected.
    void setText(const std::string& text);
    // Characters that typing and pasting may not bring in: text holding one is refused whole.
    void refuseCharacters(std::string characters) { refused = std::move(characters); }
    const std::string& refusedCharacters() const { return refused; }
    // Draws the text in outOfRangeColor instead of textColor while `outOfRange`.
    void markOutOfRange(bool outOfRange) { marked = outOfRange; }

    // Character positions 0..length.
    int caret() const { return caretAt; }
    int anchor() const { return anchorAt; }
    bool hasSelection() const { return caretAt != anchorAt; }
    std::string selectedText() const;
    void selectAll();

    // Typing or pasting: `text` replaces the selection. Control characters are dropped and
    // what would pass the length limit is cut off.
    Outcome insert(const std::string& text);
    // Removes the selection (cut, or typing over it).
    Outcome eraseSelection();
    // Left, Right (Ctrl: by words), Home, End, with Shift growing the selection; Backspace and
    // Delete. Other keys do nothing.
    Outcome keyDown(int virtualKey, bool shift, bool ctrl);

    // A press at client x puts the caret on the nearest character boundary (`extend`: the
    // selection grows to it); a drag moves the caret and keeps the anchor.
    void pressAt(int x, bool extend);
    void dragTo(int x);

    // Draws the box into `picture`, with caret and selection when `focused`.
    void paint(Limage& picture, bool focused);

private:
    static int widthOf(const std::string& text);
    int caretPixel(int position) const { return widthOf(content.substr(0, size_t(position))); }
    int positionAt(int x) const;
    void moveCaret(int position, bool extend);
    int wordLeft() const;
    int wordRight() const;
    void keepCaretInView();

    Rect bounds;
    size_t maxLength;
    std::string content;
    std::string refused;
    int caretAt = 0;
    int anchorAt = 0;
    int scroll = 0;  // pixels of text hidden left of the box
    bool marked = false;
};

}  // namespace brio
