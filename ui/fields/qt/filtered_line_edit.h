// A line edit whose typed characters pass a key filter of the field rules before they reach the
// text, and whose pasted and middle-clicked text passes the same filter one character at a time,
// so no way of entering text goes around it.
#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>

#include "ui/fields/field_rules.h"

namespace orb {

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit FilteredLineEdit(QWidget* parent = nullptr);
    // The filter every offered character passes; none accepts everything.
    void SetFilter(std::optional<KeyFilter> filter) { filter_ = filter; }
    std::optional<KeyFilter> Filter() const { return filter_; }
    // Up (+1) or Down (-1) arrow; the handler returns true when it used the key.
    void SetArrowHandler(std::function<bool(int direction)> handler) { arrow_ = std::move(handler); }
    // Inserts text in place of the selection as if each character had been typed.
    void InsertFiltered(const QString& text);

  signals:
    void focusLeft(); // the focus went to another control (not to a popup menu)

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    std::optional<KeyFilter> filter_; // key filter, or none
    std::function<bool(int)> arrow_;  // arrow-key stepping, or none
};

} // namespace orb
