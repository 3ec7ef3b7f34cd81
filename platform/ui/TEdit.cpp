#include "platform/ui/TEdit.h"

#include <QKeyEvent>

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(event->key(), event->modifiers());
    QLineEdit::keyPressEvent(event);
}
