#include "platform/ui/TButton.h"

TButton::TButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(true);
}
