#pragma once

#include <SDL2/SDL.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "graphics/Limage.h"
#include "graphics/Rect.h"

namespace brio {

// The file box of last resort, drawn by the program itself when no file chooser is installed:
// a title, a one-line path field, OK and Cancel. It is modal: while it runs, the program's other
// windows get no input, but their window events and the releases of keys and buttons pressed
// before it opened are handed back to them when it closes, so nothing stays held.
class PathBox {
public:
    static constexpr int width = 480;
    static constexpr int height = 112;
    static constexpr size_t maxTextLength = 4096;  // the system's longest path

    // Makes the hidden window (SDL's video must be initialised); the field starts with `text`.
    PathBox(const std::string& title, const std::string& text);
    ~PathBox();
    PathBox(const PathBox&) = delete;
    PathBox& operator=(const PathBox&) = delete;

    // False when no window could be made: run() then answers Cancel at once.
    bool ready() const { return window != nullptr; }
    Uint32 windowId() const { return id; }
    // Shows the box and handles events until it is answered: the field's text for OK (Enter
    // or the OK button, with a non-empty field); nothing for Cancel, Escape, closing the box
    // or the session ending.
    std::optional<std::string> run();

    const std::string& text() const { return field; }
    // What the box shows.
    const Limage& face() const { return image; }

    // Where the buttons are, inclusive, in client pixels.
    static Rect okButton();
    static Rect cancelButton();

private:
    enum class State { open, accepted, cancelled };
    enum class Button { none, ok, cancel };

    void handle(const SDL_Event& event);
    void handleOwn(const SDL_Event& event);
    void handleKeyDown(const SDL_KeyboardEvent& key);
    void handleKeyUp(const SDL_Event& event);
    void handleMouseUp(const SDL_MouseButtonEvent& button);
    void keepForOthers(const SDL_Event& event);
    void accept();
    void insert(const std::string& typed);
    void eraseLastCharacter();
    void paste();

    static Button buttonAt(int x, int y);
    void draw();
    void drawButton(const Rect& area, const std::string& caption, bool pressed);
    void drawField();
    void present();

    std::string title;
    std::string field;
    SDL_Window* window = nullptr;
    Uint32 id = 0;
    Uint32 previousFocusId = 0;  // the window that had the keyboard before the box
    Limage image;
    SDL_Surface* imageSurface = nullptr;  // wraps the image's pixels
    State state = State::open;
    Button pressedButton = Button::none;
    std::set<SDL_Scancode> keysPressedHere;
    std::vector<SDL_Event> keptEvents;  // handed back to the queue when the box closes
};

// Asks for a path in a PathBox; nothing when cancelled or when no box could be shown.
std::optional<std::string> askPathInBox(const std::string& title, const std::string& text);

}  // namespace brio
