#include "graphics/UserDialogs.h"

namespace brio {

namespace {

// Without a windowing layer (tests that install nothing) every box is cancelled.
class NoDialogs : public UserDialogs {
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

NoDialogs noDialogs;
UserDialogs* installed = &noDialogs;

}  // namespace

UserDialogs& userDialogs() { return *installed; }

void installUserDialogs(UserDialogs* dialogs) { installed = dialogs ? dialogs : &noDialogs; }

std::string withFilterExtension(const std::string& name, const std::string& filter) {
    constexpr size_t extensionLength = 4;
    // Only the file name counts: a "." in a folder's name is no extension.
    const size_t slash = name.rfind('/');
    const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    if (filter.empty() || name.find('.', fileStart) != std::string::npos) return name;
    return name + filter.substr(filter.size() >= extensionLength ? filter.size() - extensionLength : 0);
}

}  // namespace brio
