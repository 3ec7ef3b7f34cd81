#include "platform/ui/TLabel.h"

TLabel::TLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
}

void TLabel::GrowToCaption() {
    if (wordWrap())
        return;
    const int needed = fontMetrics().horizontalAdvance(text());
    if (needed > width())
        resize(needed, height());
}
