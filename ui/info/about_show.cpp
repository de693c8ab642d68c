#include "ui/info/about_show.h"

#include <algorithm>

namespace orb {

AboutShow::AboutShow(int width, int height, const UniverseSettings& universe, TickSource& ticks)
    : engine_(store_, ticks) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    picture_.pixels = pixels_.data();
    picture_.width = width;
    picture_.height = height;
    picture_.stride = width;
    preview_ = std::make_unique<AboutPreview>(engine_, picture_, universe, &cancel_);
}

PreviewFrame AboutShow::Step() {
    const PreviewFrame f = preview_->Step();
    if (f.status != PreviewStatus::Cancelled) ++frames_;
    between_ = f.status != PreviewStatus::Running;
    return f;
}

void AboutShow::SkipComposite() {
    // Between two composites the next step starts the following one anyway; a stop request
    // then would cut that one short instead.
    if (!between_) cancel_ = true;
}

} // namespace orb
