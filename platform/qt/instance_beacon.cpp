#include "platform/qt/instance_beacon.h"

#include <QSocketNotifier>

namespace orb {

InstanceBeacon::InstanceBeacon(std::string_view caption, QObject* parent)
    : QObject(parent), claim_(InstanceClaim::Take(caption)) {
    if (!claim_) return;
    notifier_ = new QSocketNotifier(claim_->Fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        for (int n = claim_->TakeFrontRequests(); n > 0; --n)
            emit frontRequested();
    });
}

InstanceBeacon::~InstanceBeacon() = default;

} // namespace orb
