// Helpers the dialogs share for their fields and windows.
#pragma once

class QLineEdit;
class QWidget;

namespace orb {

// Whenever the box gets the focus and is not read-only, its whole text is selected, so that
// typing replaces it (after a click, once the click has placed the cursor).
void SelectAllOnFocus(QLineEdit* box);

// Moves a window in its normal state to the middle of the screen it is on.
void CentreOnScreen(QWidget* window);

} // namespace orb
