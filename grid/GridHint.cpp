#include "grid/GridHint.h"

#include "grid/ShortHint.h"
#include "platform/ui/Colors.h"
#include "platform/ui/EventBoundary.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// Just below the mouse cursor, kept on the screen.
QPoint HintPosition(QSize size) {
    constexpr int BelowCursor = 20;
    QPoint position = QCursor::pos() + QPoint(0, BelowCursor);
    if (const QScreen* screen = QGuiApplication::screenAt(QCursor::pos())) {
        const QRect area = screen->availableGeometry();
        position.setX(std::clamp(position.x(), area.left(), area.right() - size.width()));
        if (position.y() + size.height() > area.bottom())
            position.setY(QCursor::pos().y() - size.height() - 2);
    }
    return position;
}

} // namespace

GridHint::GridHint(QWidget& control, std::function<QString()> text)
    : QObject(&control), control_(control), text_(std::move(text)),
      window_(new QLabel(&control, Qt::ToolTip | Qt::BypassGraphicsProxyWidget)) {
    // The look of a tool tip: the hint colours, a thin frame and narrow margins.
    window_->setObjectName(QStringLiteral("HintWindow"));
    window_->setForegroundRole(QPalette::ToolTipText);
    window_->setBackgroundRole(QPalette::ToolTipBase);
    QPalette palette = QApplication::palette("QTipLabel");
    palette.setColor(QPalette::ToolTipBase, ToQColor(clInfoBk));
    palette.setColor(QPalette::ToolTipText, ToQColor(clInfoText));
    window_->setPalette(palette);
    window_->setFont(QApplication::font("QTipLabel"));
    window_->setAutoFillBackground(true);
    window_->setFrameStyle(QFrame::Box | QFrame::Plain);
    window_->setMargin(2);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->hide();
    pauseTimer_.setParent(&control);
    pauseTimer_.setObjectName(QStringLiteral("HintTimer"));
    pauseTimer_.setSingleShot(true);
    pauseTimer_.setInterval(Pause);
    connect(&pauseTimer_, &QTimer::timeout, this, [this] { RunHandler([&] { PauseEnded(); }); });
    hideTimer_.setParent(&control);
    hideTimer_.setObjectName(QStringLiteral("HintHideTimer"));
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(HidePause);
    connect(&hideTimer_, &QTimer::timeout, this, [this] { RunHandler([&] { Cancel(); }); });
}

GridHint::~GridHint() {
    Watch(false);
}

void GridHint::MouseMoved() {
    // The hint area is the whole control: a shown hint stays while the mouse moves over it.
    if (shown_)
        return;
    shown_ = false;
    hideTimer_.stop();
    pauseTimer_.start();
    Watch(true);
}

void GridHint::PauseEnded() {
    pauseTimer_.stop();
    const QString text = GetShortHint(text_());
    if (text.isEmpty())
        return;
    window_->setText(text);
    window_->adjustSize();
    window_->move(HintPosition(window_->size()));
    window_->show();
    window_->raise();
    shown_ = true;
    hideTimer_.start();
}

void GridHint::Cancel() {
    pauseTimer_.stop();
    hideTimer_.stop();
    Watch(false);
    shown_ = false;
    window_->hide();
}

QString GridHint::Text() const {
    return window_->text();
}

void GridHint::Watch(bool on) {
    if (on == watching_ || qApp == nullptr)
        return;
    watching_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool GridHint::eventFilter(QObject* watched, QEvent* event) {
    // Any key or button press anywhere in the application ends the hint and its pause.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        Cancel();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
