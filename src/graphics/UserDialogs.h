#pragma once

#include <string>

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

UserDialogs& userDialogs();
// Installs the dialogs (the caller keeps ownership); nullptr restores the default, which
// cancels every box and shows nothing.
void installUserDialogs(UserDialogs* dialogs);

// The name a save box returns, completed by the extension rule: with a non-empty filter and no
// "." in the file name (its folders do not count), the last four characters of the filter are
// appended.
std::string withFilterExtension(const std::string& name, const std::string& filter);

}  // namespace brio
