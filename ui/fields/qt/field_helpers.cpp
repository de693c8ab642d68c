#include "ui/fields/qt/field_helpers.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace orb {

namespace {

class SelectAllFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn) return false;
        auto* box = qobject_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!box || box->isReadOnly() || reason == Qt::PopupFocusReason) return false;
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus()) box->selectAll();
        });
        return false;
    }
};

} // namespace

void SelectAllOnFocus(QLineEdit* box) {
    if (box) box->installEventFilter(new SelectAllFilter(box));
}

void CentreOnScreen(QWidget* window) {
    if (!window || window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    QScreen* screen = window->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace orb
