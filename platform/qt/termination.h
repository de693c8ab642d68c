// SIGTERM (how xscreensaver ends its programs), SIGINT and SIGHUP as an ordinary event: the
// signal handler only writes a byte, and the event loop turns it into a signal of this object,
// so a window ends between two frames and cleans up like a closed window.
#pragma once

#include <QObject>

#include "platform/signal_pipe.h"

class QSocketNotifier;

namespace orb {

class TerminationWatch : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatch(QObject* parent = nullptr);
    ~TerminationWatch() override;

  signals:
    void terminationRequested();

  private:
    SignalPipe pipe_;                     // the ending signals' handler and its pipe
    QSocketNotifier* notifier_ = nullptr; // on the read end of pipe_
};

} // namespace orb
