#include "platform/ui/TBevel.h"

#include <QPainter>
#include <qdrawutil.h>

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), false, 1, nullptr);
}
