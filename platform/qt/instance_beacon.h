// A window's hold on its caption for the single-instance test, with the requests of later
// starts to come to the front delivered as a Qt signal.
#pragma once

#include <QObject>
#include <memory>
#include <string_view>

#include "platform/instance_socket.h"

class QSocketNotifier;

namespace orb {

class InstanceBeacon : public QObject {
    Q_OBJECT
  public:
    // Holds the caption; Held() is false when another process has it or no socket could be made.
    InstanceBeacon(std::string_view caption, QObject* parent = nullptr);
    ~InstanceBeacon() override;
    bool Held() const { return claim_ != nullptr; }

  signals:
    void frontRequested();

  private:
    std::unique_ptr<InstanceClaim> claim_; // the caption's socket while held
    QSocketNotifier* notifier_ = nullptr;  // on the listening socket
};

} // namespace orb
