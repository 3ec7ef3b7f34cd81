#include "platform/ui/DialogService.h"

#include "platform/ui/ApplicationTitle.h"
#include "platform/ui/QtDialogService.h"

namespace {

std::unique_ptr<DialogService>& installed() {
    static std::unique_ptr<DialogService> service;
    return service;
}

} // namespace

DialogService& Dialogs() {
    auto& service = installed();
    if (!service)
        service = std::make_unique<QtDialogService>();
    return *service;
}

std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> service) {
    return std::exchange(installed(), std::move(service));
}

void ShowMessageBox(const QString& caption, const QString& text, DialogIcon icon) {
    Dialogs().Show({DialogKind::MessageBox, caption, text, icon, DialogButtons::Ok});
}

bool AskYesNo(const QString& caption, const QString& text, DialogIcon icon) {
    return Dialogs().Show({DialogKind::Question, caption, text, icon, DialogButtons::YesNo}) ==
           DialogAnswer::Yes;
}

bool ConfirmOkCancel(const QString& text) {
    const DialogRequest request{DialogKind::Confirmation, QStringLiteral("Confirm"), text,
                                DialogIcon::Confirmation, DialogButtons::OkCancel};
    return Dialogs().Show(request) != DialogAnswer::Cancel;
}

void ShowPlainMessage(const QString& text) {
    Dialogs().Show(
        {DialogKind::PlainMessage, ApplicationTitle(), text, DialogIcon::None, DialogButtons::Ok});
}
