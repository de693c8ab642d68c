// Message boxes shown with QMessageBox, window-modal on their owner.
#pragma once

#include "ui/fields/messages.h"

class QWidget;

namespace orb {

class QtMessages : public Messages {
  public:
    explicit QtMessages(QWidget* owner) : owner_(owner) {}
    MessageAnswer Show(MessageIcon icon, MessageButtons buttons, const std::string& text) override;

  private:
    QWidget* owner_; // the window the box belongs to; may be null
};

} // namespace orb
