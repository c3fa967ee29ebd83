#include "platform/PathBox.h"

#include <algorithm>
#include <utility>

#include "graphics/Canvas.h"
#include "graphics/UserDialogs.h"

namespace brio {

namespace {

constexpr int margin = 12;
constexpr int fontSize = 13;
constexpr int titleTop = 9;
constexpr int fieldTop = 32;
constexpr int fieldBottom = 56;  // exclusive
constexpr int fieldPadding = 4;
constexpr int buttonTop = 72;
constexpr int buttonBottom = 100;  // exclusive
constexpr int buttonWidth = 84;
constexpr int buttonGap = 8;
constexpr Uint32 idleMs = 10;

constexpr Color faceColor = makeColor(240, 240, 240);
constexpr Color fieldFrameColor = makeColor(122, 122, 122);
constexpr Color buttonColor = makeColor(225, 225, 225);
constexpr Color pressedColor = makeColor(204, 228, 247);
constexpr Color buttonFrameColor = makeColor(173, 173, 173);

// The window an event belongs to; 0 for events of no window.
Uint32 windowOf(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            return event.window.windowID;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return event.key.windowID;
        case SDL_TEXTEDITING:
            return event.edit.windowID;
        case SDL_TEXTINPUT:
            return event.text.windowID;
        case SDL_MOUSEMOTION:
            return event.motion.windowID;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return event.button.windowID;
        case SDL_MOUSEWHEEL:
            return event.wheel.windowID;
        default:
            return 0;
    }
}

// Input that a modal box withholds from the program's other windows. Releases are not among
// them: a key or button pressed before the box opened must still be let go.
bool isWithheldInput(Uint32 type) {
    switch (type) {
        case SDL_KEYDOWN:
        case SDL_TEXTEDITING:
        case SDL_TEXTINPUT:
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEWHEEL:
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION:
        case SDL_MULTIGESTURE:
        case SDL_DOLLARGESTURE:
            return true;
        default:
            return false;
    }
}

bool isControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The end of `text` that fits in `room` pixels, so the field always shows where typing goes.
std::string visibleTail(const Canvas& canvas, const std::string& text, int room) {
    size_t start = text.size();
    int used = 0;
    while (start > 0) {
        const int width = canvas.textWidth(text.substr(start - 1, 1));
        if (used + width > room) break;
        used += width;
        --start;
    }
    return text.substr(start);
}

void fillInclusive(Canvas& canvas, const Rect& area, Color fill, Color frame) {
    canvas.setColor(fill);
    canvas.fillRect(area.left, area.top, area.right + 1, area.bottom + 1);
    canvas.setColor(frame);
    canvas.frameRect(area.left, area.top, area.right + 1, area.bottom + 1);
}

}  // namespace

PathBox::PathBox(const std::string& title, const std::string& text)
    : title(title), field(text.size() <= maxTextLength ? text : std::string()) {
    if (SDL_Window* focus = SDL_GetKeyboardFocus()) previousFocusId = SDL_GetWindowID(focus);
    window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                              height, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP);
    if (!window) return;
    id = SDL_GetWindowID(window);
    if (SDL_Window* parent = SDL_GetWindowFromID(previousFocusId))
        SDL_SetWindowModalFor(window, parent);
    if (!image.create(width, height, 1)) return;  // its own window, at the screen's pixels
    imageSurface = SDL_CreateRGBSurfaceWithFormatFrom(image.bits(), width, height, 24,
                                                      image.stride(), SDL_PIXELFORMAT_BGR24);
}

PathBox::~PathBox() {
    if (imageSurface) SDL_FreeSurface(imageSurface);
    if (window) SDL_DestroyWindow(window);
}

Rect PathBox::okButton() {
    const int left = width - margin - 2 * buttonWidth - buttonGap;
    return Rect{left, buttonTop, left + buttonWidth - 1, buttonBottom - 1};
}

Rect PathBox::cancelButton() {
    const int left = width - margin - buttonWidth;
    return Rect{left, buttonTop, left + buttonWidth - 1, buttonBottom - 1};
}

std::optional<std::string> PathBox::run() {
    if (!window) return std::nullopt;
    if (state == State::open) {
        const bool textInputWasActive = SDL_IsTextInputActive();
        SDL_StartTextInput();
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
        draw();
        // Polls rather than waits: SDL's timed wait signals itself through a window, which
        // must not outlive this box.
        while (state == State::open) {
            SDL_Event event;
            // Between events the program's loop goes on (the music, the MIDI input), the events
            // left to this box.
            if (SDL_PollEvent(&event))
                handle(event);
            else
                SDL_Delay(std::min(runBoxWaitPass(BoxWindows::leftAlone), idleMs));
        }
        SDL_HideWindow(window);
        if (!textInputWasActive) SDL_StopTextInput();
        for (SDL_Event& event : keptEvents) SDL_PushEvent(&event);
        keptEvents.clear();
    }
    if (state == State::accepted) return field;
    return std::nullopt;
}

void PathBox::handle(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        // The session is ending: the box gives way and the program still hears it.
        keptEvents.push_back(event);
        state = State::cancelled;
    } else if (windowOf(event) == id) {
        handleOwn(event);
    } else {
        keepForOthers(event);
    }
}

void PathBox::keepForOthers(const SDL_Event& event) {
    if (!isWithheldInput(event.type)) keptEvents.push_back(event);
}

void PathBox::handleOwn(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                state = State::cancelled;
            else if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
                present();
            return;
        case SDL_KEYDOWN:
            handleKeyDown(event.key);
            return;
        case SDL_KEYUP:
            handleKeyUp(event);
            return;
        case SDL_TEXTINPUT:
            insert(event.text.text);
            draw();
            return;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button != SDL_BUTTON_LEFT) return;
            pressedButton = buttonAt(event.button.x, event.button.y);
            draw();
            return;
        case SDL_MOUSEBUTTONUP:
            handleMouseUp(event.button);
            return;
        default:
            return;
    }
}

void PathBox::handleKeyDown(const SDL_KeyboardEvent& key) {
    keysPressedHere.insert(key.keysym.scancode);
    const SDL_Keycode code = key.keysym.sym;
    if (code == SDLK_RETURN || code == SDLK_KP_ENTER) {
        accept();
    } else if (code == SDLK_ESCAPE) {
        state = State::cancelled;
    } else if (code == SDLK_BACKSPACE) {
        eraseLastCharacter();
        draw();
    } else if (code == SDLK_v && (key.keysym.mod & KMOD_CTRL)) {
        paste();
        draw();
    }
}

// A key let go here that was pressed before the box opened goes back to the window that had
// the keyboard then, so that a held piano key does not sound on.
void PathBox::handleKeyUp(const SDL_Event& event) {
    if (keysPressedHere.erase(event.key.keysym.scancode) > 0 || previousFocusId == 0) return;
    SDL_Event handedBack = event;
    handedBack.key.windowID = previousFocusId;
    keptEvents.push_back(handedBack);
}

// A button acts when the left button is pressed and let go on it.
void PathBox::handleMouseUp(const SDL_MouseButtonEvent& button) {
    if (button.button != SDL_BUTTON_LEFT) return;
    const Button pressed = std::exchange(pressedButton, Button::none);
    if (pressed != Button::none && pressed == buttonAt(button.x, button.y)) {
        if (pressed == Button::ok)
            accept();
        else
            state = State::cancelled;
    }
    if (state == State::open) draw();
}

void PathBox::accept() {
    if (!field.empty()) state = State::accepted;
}

void PathBox::insert(const std::string& typed) {
    std::string clean;
    for (char c : typed) {
        if (!isControlCharacter(c)) clean += c;
    }
    if (field.size() + clean.size() <= maxTextLength) field += clean;
}

// Removes the last character with all the bytes that encode it.
void PathBox::eraseLastCharacter() {
    if (field.empty()) return;
    size_t last = field.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(field[last]) & 0xC0) == 0x80) --last;
    field.erase(last);
}

// Ctrl+V inserts the first line of the clipboard.
void PathBox::paste() {
    char* clipboard = SDL_GetClipboardText();
    if (!clipboard) return;
    std::string text(clipboard);
    SDL_free(clipboard);
    insert(text.substr(0, text.find_first_of("\r\n")));
}

PathBox::Button PathBox::buttonAt(int x, int y) {
    if (pointInRect(x, y, okButton())) return Button::ok;
    if (pointInRect(x, y, cancelButton())) return Button::cancel;
    return Button::none;
}

void PathBox::draw() {
    if (!image.isValid()) return;
    Canvas& canvas = image.canvas();
    canvas.setColor(faceColor);
    canvas.fillRect(0, 0, width, height);
    canvas.setFont(fontSize, true);
    canvas.setFontColor(black);
    canvas.setClip(margin, 0, width - margin, fieldTop);
    canvas.textOut(margin, titleTop, title);
    canvas.clearClip();
    drawField();
    drawButton(okButton(), "OK", pressedButton == Button::ok);
    drawButton(cancelButton(), "Cancel", pressedButton == Button::cancel);
    present();
}

void PathBox::drawField() {
    Canvas& canvas = image.canvas();
    const Rect box{margin, fieldTop, width - margin - 1, fieldBottom - 1};
    fillInclusive(canvas, box, white, fieldFrameColor);
    canvas.setFont(fontSize, false);
    const int textLeft = box.left + fieldPadding;
    const int caretRoom = 2;
    const std::string shown =
        visibleTail(canvas, field, box.right - fieldPadding - textLeft - caretRoom);
    const int textTop = box.top + (box.bottom - box.top + 1 - canvas.textHeight(shown)) / 2;
    canvas.setClip(box.left + 1, box.top + 1, box.right, box.bottom);
    canvas.textOut(textLeft, textTop, shown);
    const int caretX = textLeft + canvas.textWidth(shown);
    canvas.setColor(black);
    canvas.fillRect(caretX, box.top + fieldPadding, caretX + 1, box.bottom + 1 - fieldPadding);
    canvas.clearClip();
}

void PathBox::drawButton(const Rect& area, const std::string& caption, bool pressed) {
    Canvas& canvas = image.canvas();
    fillInclusive(canvas, area, pressed ? pressedColor : buttonColor, buttonFrameColor);
    canvas.setFont(fontSize, false);
    const int x = area.left + (area.right - area.left + 1 - canvas.textWidth(caption)) / 2;
    const int y = area.top + (area.bottom - area.top + 1 - canvas.textHeight(caption)) / 2;
    canvas.textOut(x, y, caption);
}

void PathBox::present() {
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!imageSurface || !target) return;
    SDL_BlitSurface(imageSurface, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window);
}

std::optional<std::string> askPathInBox(const std::string& title, const std::string& text) {
    PathBox box(title, text);
    return box.run();
}

}  // namespace brio
