// The line edit with a lost-focus callback.
#include "gui/editfieldex.h"

void EditFieldEx::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (whenLostFocus) whenLostFocus();
}
