#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace brio {

// The open and save boxes and the message boxes: the only standard dialogs the program shows.
// Every caller goes through the installed implementation, which tests replace.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // An open box (the file must exist). On OK the chosen path goes to `fileName` and the
    // result is true; otherwise `fileName` stays as it was.
    virtual bool askOpenFileName(std::string& fileName, const std::string& title,
                                 const std::string& filter, const std::string& initialFolder) = 0;
    // A save box proposing `fileName` (with overwrite confirmation). On OK the chosen path goes
    // to `fileName`, with the filter's extension appended when its file name has no ".".
    virtual bool askSaveFileName(std::string& fileName, const std::string& title,
                                 const std::string& filter, const std::string& initialFolder) = 0;
    // A plain message with an OK button.
    virtual void showNotice(const std::string& text) = 0;
    // OK and Cancel: 1 for Cancel (or a closed box), 0 for OK.
    virtual int askQuestion(const std::string& text) = 0;
};

// Every box cancelled and every notice unseen: the dialogs where no windowing layer shows any
// (the default, and the base of those that only listen).
class CancelledDialogs : public UserDialogs {
public:
    bool askOpenFileName(std::string&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool askSaveFileName(std::string&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    void showNotice(const std::string&) override {}
    int askQuestion(const std::string&) override { return 1; }
};

UserDialogs& userDialogs();
// Installs the dialogs (the caller keeps ownership); nullptr restores the default, which
// cancels every box and shows nothing.
void installUserDialogs(UserDialogs* dialogs);

// One pass of the program's loop while a box of another program (a file chooser, a message) is
// open: the program keeps time, plays its input and answers the window system, its windows
// taking no input. A box that reads the window system's events itself (the path box the program
// draws) leaves the windows alone. Returns the longest the box may wait before the next pass,
// in ms.
enum class BoxWindows { answered, leftAlone };
using BoxWaitPass = std::function<uint32_t(BoxWindows)>;
// Installs the pass (the application's); an empty one restores the default, which does nothing.
void installBoxWaitPass(BoxWaitPass pass);
// Runs the installed pass, unless one is running already (a box opened from within a pass);
// returns its wait, or idleBoxWaitMs without a pass.
inline constexpr uint32_t idleBoxWaitMs = 50;
uint32_t runBoxWaitPass(BoxWindows windows = BoxWindows::answered);

// One entry of a file box's filter list "description| patterns|description| patterns",
// whose patterns are separated by ";" or blanks.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;

    // The patterns separated by blanks: "*.prc *.mid".
    std::string patternList() const;
};

// The entries of a filter list, in order. An entry without patterns is left out; one without
// a description is described by its patterns; a text without "|" is one entry, its own
// description.
std::vector<FileFilter> parseFilterList(const std::string& filter);

// The name a save box returns, completed by the extension rule: with a non-empty filter and no
// "." in the file name (its folders do not count), the extension of the filter list's first
// pattern ("*.prc" gives ".prc") is appended. A chooser cannot tell which filter was picked, so
// a typed extension decides the kind of file and a bare name gets the first entry's.
std::string withFilterExtension(const std::string& name, const std::string& filter);

}  // namespace brio
