#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphics/UserDialogs.h"

namespace brio::test {

// Dialogs that answer as the test says and remember what they were asked. Installed for the
// object's lifetime.
class FakeDialogs : public UserDialogs {
public:
    FakeDialogs() { installUserDialogs(this); }
    ~FakeDialogs() override { installUserDialogs(nullptr); }
    FakeDialogs(const FakeDialogs&) = delete;
    FakeDialogs& operator=(const FakeDialogs&) = delete;

    bool askOpenFileName(std::string& fileName, const std::string& title, const std::string& filter,
                         const std::string&) override {
        boxes.push_back("open:" + title + ":" + filter);
        if (!openAnswer) return false;
        fileName = *openAnswer;
        return true;
    }
    bool askSaveFileName(std::string& fileName, const std::string& title, const std::string& filter,
                         const std::string&) override {
        boxes.push_back("save:" + title + ":" + filter + ":" + fileName);
        if (!saveAnswer) return false;
        fileName = withFilterExtension(*saveAnswer, filter);
        return true;
    }
    void showNotice(const std::string& text) override {
        notices.push_back(text);
        if (whileNoticeOpen) whileNoticeOpen();
    }
    int askQuestion(const std::string& text) override {
        questions.push_back(text);
        return questionAnswer;
    }

    std::optional<std::string> openAnswer;  // nothing: the box is cancelled
    std::optional<std::string> saveAnswer;
    int questionAnswer = 1;                 // 1: Cancel
    std::vector<std::string> boxes;
    std::vector<std::string> notices;
    std::function<void()> whileNoticeOpen;  // what the program does while a notice is open
    std::vector<std::string> questions;
};

}  // namespace brio::test
