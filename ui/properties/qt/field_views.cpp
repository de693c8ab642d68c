#include "ui/properties/qt/field_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

#include "ui/fields/qt/numeric_box.h"
#include "ui/fields/qt/qt_text.h"

namespace orb {

namespace {
template <typename Map> NumericBox* Find(const Map& boxes, int index) {
    const auto it = boxes.find(index);
    return it == boxes.end() ? nullptr : it->second;
}
} // namespace

std::string QtUniverseFields::FieldText(int index) const {
    NumericBox* box = Find(c_.txtUni, index);
    return box ? box->Text().toStdString() : std::string();
}

void QtUniverseFields::SetFieldText(int index, std::string_view text) {
    if (NumericBox* box = Find(c_.txtUni, index)) box->SetClampedText(Q(text));
}

QCheckBox* QtUniverseFields::Box(UniverseCheck box) const {
    switch (box) {
    case UniverseCheck::UniTour:
        return c_.chkUniTour;
    case UniverseCheck::VisitSeq:
        return c_.chkVisitSeq;
    case UniverseCheck::TrackGrav:
        return c_.chkTrackGrav;
    case UniverseCheck::AmbDisp:
        return c_.chkAmbDisp;
    }
    return nullptr;
}

bool QtUniverseFields::Checked(UniverseCheck box) const {
    QCheckBox* b = Box(box);
    return b && b->isChecked();
}

void QtUniverseFields::SetChecked(UniverseCheck box, bool on) {
    if (QCheckBox* b = Box(box)) b->setChecked(on);
}

int QtUniverseFields::ProfileIndex() const {
    return std::max(0, c_.cboUniProfile->currentIndex());
}

void QtUniverseFields::SetProfileIndex(int index) {
    if (index >= 0 && index < c_.cboUniProfile->count()) c_.cboUniProfile->setCurrentIndex(index);
}

std::string QtGalaxyFields::FieldText(int index) const {
    NumericBox* box = Find(c_.txtGalaxy, index);
    return box ? box->Text().toStdString() : std::string();
}

void QtGalaxyFields::SetFieldText(int index, std::string_view text) {
    if (NumericBox* box = Find(c_.txtGalaxy, index)) box->SetText(Q(text));
}

std::string QtGalaxyFields::HueText(int index) const {
    if (index < 0 || index >= kHueFieldCount) return {};
    return c_.txtPixHue[static_cast<size_t>(index)]->Text().toStdString();
}

void QtGalaxyFields::SetHueText(int index, std::string_view text) {
    if (index >= 0 && index < kHueFieldCount) c_.txtPixHue[static_cast<size_t>(index)]->SetText(Q(text));
}

QComboBox* QtGalaxyFields::List(GalaxyList list) const {
    switch (list) {
    case GalaxyList::Style:
        return c_.cboGalStyle;
    case GalaxyList::Plane:
        return c_.cboGalPlane;
    case GalaxyList::Colour:
        return c_.cboGalColor;
    case GalaxyList::Profile:
        return c_.cboGalProfile;
    }
    return nullptr;
}

int QtGalaxyFields::ListIndex(GalaxyList list) const {
    return List(list)->currentIndex();
}

void QtGalaxyFields::SetListIndex(GalaxyList list, int index) {
    QComboBox* box = List(list);
    const QSignalBlocker block(list == GalaxyList::Style ? box : nullptr);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

bool QtGalaxyFields::CpClosed() const {
    return c_.chkCP_Closed->isChecked();
}

void QtGalaxyFields::SetCpClosed(bool on) {
    c_.chkCP_Closed->setChecked(on);
}

} // namespace orb
