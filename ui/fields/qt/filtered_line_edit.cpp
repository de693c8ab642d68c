#include "ui/fields/qt/filtered_line_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include "ui/fields/qt/field_helpers.h"

namespace orb {

namespace {
// Byte offset in the UTF-8 form of text of the character position pos.
size_t Utf8Offset(const QString& text, int pos) {
    return static_cast<size_t>(text.left(pos).toUtf8().size());
}
} // namespace

FilteredLineEdit::FilteredLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false); // a drop would bypass the filter; paste covers the need
    SelectAllOnFocus(this);
}

void FilteredLineEdit::InsertFiltered(const QString& inserted) {
    if (isReadOnly()) return;
    const QString old = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = static_cast<int>(selectedText().size());
    if (!filter_) {
        insert(inserted);
        return;
    }
    const QByteArray utf8 = old.toUtf8();
    const QByteArray add = inserted.toUtf8();
    const InsertResult r =
        FilterInsertion(*filter_, std::string_view(utf8.constData(), utf8.size()), Utf8Offset(old, start),
                        Utf8Offset(old.mid(start), length), std::string_view(add.constData(), add.size()),
                        static_cast<size_t>(maxLength()));
    if (r.refused) QApplication::beep();
    const QString now = QString::fromUtf8(r.text.data(), static_cast<qsizetype>(r.text.size()));
    if (now == old) return;
    setText(now);
    setCursorPosition(
        static_cast<int>(QString::fromUtf8(r.text.data(), static_cast<qsizetype>(r.cursor)).size()));
    emit textEdited(now);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && arrow_ && !isReadOnly()) {
        if (arrow_(key == Qt::Key_Up ? 1 : -1)) {
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Paste)) {
        InsertFiltered(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (printable && filter_ && !isReadOnly()) {
        if (typed.size() != 1) { // a composed sequence: character by character
            InsertFiltered(typed);
            event->accept();
            return;
        }
        const QString old = text();
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = static_cast<int>(selectedText().size());
        const QByteArray utf8 = old.toUtf8();
        const KeyDecision d =
            FilterKey(*filter_, std::string_view(utf8.constData(), utf8.size()), Utf8Offset(old, start),
                      Utf8Offset(old.mid(start), length), static_cast<char32_t>(typed.at(0).unicode()));
        if (d != KeyDecision::Accept) {
            if (d == KeyDecision::Beep) QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || !filter_ || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&withoutCommit);
    InsertFiltered(commit);
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clip->supportsSelection()) {
        InsertFiltered(clip->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (a->objectName() != QLatin1String("edit-paste")) continue;
        a->disconnect();
        connect(a, &QAction::triggered, this,
                [this] { InsertFiltered(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FilteredLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) emit focusLeft();
}

} // namespace orb
