// A Messages double for tests: records every message and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/fields/messages.h"

namespace orb::test {

struct ShownMessage {
    MessageIcon icon;
    MessageButtons buttons;
    std::string text;
};

class ScriptedMessages : public Messages {
  public:
    // Answers given to questions, in order; a question beyond the script is answered Cancel.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;

    MessageAnswer Show(MessageIcon icon, MessageButtons buttons, const std::string& text) override {
        shown.push_back({icon, buttons, text});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Cancel;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    const std::string& LastText() const {
        static const std::string none;
        return shown.empty() ? none : shown.back().text;
    }
};

} // namespace orb::test
