// The line edit with a lost-focus callback.
#include "gui/editfieldex.h"

#include <QFocusEvent>

// A popup (the field's own context menu, a menu of the window) gives the focus back when it
// closes: the field has not been left.
void EditFieldEx::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (whenLostFocus && event->reason() != Qt::PopupFocusReason) whenLostFocus();
}
