// The Properties window's previews: the galaxy type or composite chosen runs in picPreview while
// its button reads "Stop" and every other control but the menus rests.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "engine/creation/preview.h"
#include "ui/fields/qt/numeric_box.h"
#include "ui/properties/qt/preview_picture.h"
#include "ui/properties/qt/props_window.h"

namespace orb {

bool PropertiesWindow::PreviewRunning() const {
    return preview_->Running();
}

void PropertiesWindow::GalaxyPreviewButton() {
    if (PreviewRunning()) {
        StopPreview();
        return;
    }
    const int slot = SelectedGalaxyLine();
    if (slot < 0) {
        messages_->Warn("Please select a Galaxy Type.");
        c_.lstUniGalaxy->setFocus();
        return;
    }
    StartPreview(slot, false, c_.cmdGalPreview);
}

void PropertiesWindow::StartPreview(int index, bool composite, QPushButton* button) {
    if (PreviewRunning() || !button) return;
    ClampFocusedBox();
    PropertiesPreviewFields f;
    f.index = static_cast<int16_t>(index);
    f.composite = composite;
    const auto number = [this](int i) { return c_.txtUni.at(i)->Number(); };
    f.stars = number(0);
    f.trail = number(2);
    f.ambientStars = number(40);
    f.ambientPersist = number(41);
    f.ambientAgeStep = number(42);
    f.ambientFrames = number(43);
    f.ambientExtent = number(44);
    f.symmetry = number(13);
    f.hueStart = number(16);
    f.hueEnd = number(17);
    previewButton_ = button;
    previewCaption_ = button->text();
    button->setText(Text("Stop"));
    DisableAllBut(true, button);
    button->setFocus();
    preview_->Start(tables_, f);
}

void PropertiesWindow::StopPreview() {
    preview_->Stop();
}

void PropertiesWindow::OnPreviewFinished() {
    if (previewButton_) previewButton_->setText(previewCaption_);
    previewButton_ = nullptr;
    DisableAllBut(false, nullptr);
    OnTour(c_.chkUniTour->isChecked());  // a reset during the preview may have turned the tour
}

// Every control but the named one (and the menus) disabled, or those enabled again. Only
// controls that were enabled are touched, so a control that was off (the tour boxes) stays off.
void PropertiesWindow::DisableAllBut(bool flag, QWidget* keep) {
    if (!flag) {
        for (const QPointer<QWidget>& w : disabled_)
            if (w) w->setEnabled(true);
        disabled_.clear();
        return;
    }
    for (QWidget* w : centralWidget()->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QLabel*>(w);
        if (!control || w == keep || (keep && keep->isAncestorOf(w))) continue;
        if (w->testAttribute(Qt::WA_ForceDisabled)) continue;
        w->setEnabled(false);
        disabled_.emplace_back(w);
    }
}

} // namespace orb
