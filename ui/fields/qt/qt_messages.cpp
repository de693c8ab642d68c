#include "ui/fields/qt/qt_messages.h"

#include <QMessageBox>

namespace orb {

MessageAnswer QtMessages::Show(MessageIcon icon, MessageButtons buttons, const std::string& text) {
    QMessageBox box(owner_);
    box.setWindowTitle(QString::fromUtf8(kMessageTitle));
    box.setText(QString::fromUtf8(text.c_str()));
    switch (icon) {
        case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (buttons == MessageButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (owner_) box.setWindowModality(Qt::WindowModal);
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (pressed == QMessageBox::Yes) return MessageAnswer::Yes;
    if (pressed == QMessageBox::No) return MessageAnswer::No;
    return MessageAnswer::Cancel;
}

} // namespace orb
