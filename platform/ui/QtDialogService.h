#pragma once

#include "platform/ui/DialogService.h"

#include <memory>

class QMessageBox;

// Shows each request as a modal QMessageBox owned by the active window, centred on the screen.
class QtDialogService : public DialogService {
public:
    DialogAnswer Show(const DialogRequest& request) override;

    // The message box for a request, not yet shown.
    static std::unique_ptr<QMessageBox> Build(const DialogRequest& request);
};
