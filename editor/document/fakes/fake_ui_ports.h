// Test doubles of the file-chooser and message-box ports: they record every
// request and answer from a script.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/ui_ports.h"

namespace morvel::document::fakes {

class FakeFileChooser : public FileChooser {
public:
    // The next ChooseFile returns true with this path.
    void WillChoose(const std::string &path) { answers_.push_back(path); }
    // The next ChooseFile returns false.
    void WillCancel() { answers_.push_back(std::nullopt); }

    bool ChooseFile(const FileChooserRequest &request, PathBuffer &path) override {
        requests.push_back(request);
        bufferStartedEmpty.push_back(path[0] == '\0');
        if (answers_.empty()) return false;
        const std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        if (!answer) return false;
        path.fill('\0');
        std::memcpy(path.data(), answer->data(), std::min(answer->size(), path.size() - 1));
        return true;
    }

    std::vector<FileChooserRequest> requests;
    std::vector<bool> bufferStartedEmpty;

private:
    std::deque<std::optional<std::string>> answers_;
};

class FakeMessageBoxes : public MessageBoxPort {
public:
    void WillAnswer(MessageAnswer answer) { answers_.push_back(answer); }

    MessageAnswer ShowMessage(const MessageRequest &request) override {
        shown.push_back(request);
        if (answers_.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<MessageRequest> shown;

private:
    std::deque<MessageAnswer> answers_;
};

}  // namespace morvel::document::fakes
