#include "platform/ui/QtDialogService.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace {

QMessageBox::Icon toQtIcon(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Stop:
        return QMessageBox::Critical;
    case DialogIcon::Confirmation:
        return QMessageBox::Question;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

void addButtons(QMessageBox& box, DialogButtons buttons) {
    switch (buttons) {
    case DialogButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case DialogButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case DialogButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
}

DialogAnswer toAnswer(int result, DialogButtons buttons) {
    switch (result) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Ok:
        return DialogAnswer::Ok;
    default:
        break;
    }
    return buttons == DialogButtons::YesNo ? DialogAnswer::No : DialogAnswer::Cancel;
}

void centreOnScreen(QMessageBox& box) {
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogService::Build(const DialogRequest& request) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(request.caption);
    box->setText(request.text);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(toQtIcon(request.icon));
    addButtons(*box, request.buttons);
    return box;
}

DialogAnswer QtDialogService::Show(const DialogRequest& request) {
    const auto box = Build(request);
    centreOnScreen(*box);
    return toAnswer(box->exec(), request.buttons);
}
