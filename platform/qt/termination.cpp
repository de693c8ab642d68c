#include "platform/qt/termination.h"

#include <QSocketNotifier>

namespace orb {

TerminationWatch::TerminationWatch(QObject* parent) : QObject(parent) {
    if (pipe_.Fd() < 0) return;
    notifier_ = new QSocketNotifier(pipe_.Fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        // Drained before the request, or the notifier would wake the loop for it again.
        pipe_.Drain();
        emit terminationRequested();
    });
}

TerminationWatch::~TerminationWatch() = default;

} // namespace orb
