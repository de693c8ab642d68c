// Message boxes of the dialogs, behind an interface so that tests can read and answer them.
// Every box is titled "Orbelune"; the icon and the buttons tell what kind of message it is.
#pragma once

#include <string>

namespace orb {

enum class MessageIcon { Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

inline constexpr const char* kMessageTitle = "Orbelune";

class Messages {
  public:
    virtual ~Messages() = default;
    // Shows `text` (UTF-8) and waits for the answer. Ok for an Ok box; Yes, No or Cancel for a
    // question (Cancel also when the box is closed without a choice).
    virtual MessageAnswer Show(MessageIcon icon, MessageButtons buttons, const std::string& text) = 0;

    // The common case: an exclamation with OK, for a missing selection or value.
    void Warn(const std::string& text) { Show(MessageIcon::Exclamation, MessageButtons::Ok, text); }
    // A note: information icon with OK.
    void Note(const std::string& text) { Show(MessageIcon::Information, MessageButtons::Ok, text); }
};

} // namespace orb
