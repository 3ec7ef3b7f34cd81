#include "tests/support/ScriptedDialogService.h"

#include <gtest/gtest.h>

#include <ostream>

DialogAnswer ScriptedDialogService::Show(const DialogRequest& request) {
    requests_.push_back(request);
    if (request.buttons == DialogButtons::Ok)
        return DialogAnswer::Ok;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << request.text.toStdString();
        return request.buttons == DialogButtons::YesNo ? DialogAnswer::No : DialogAnswer::Cancel;
    }
    const DialogAnswer next = answers_.front();
    answers_.pop_front();
    return next;
}

ScriptedDialogs::ScriptedDialogs() {
    auto service = std::make_unique<ScriptedDialogService>();
    service_ = service.get();
    previous_ = SetDialogService(std::move(service));
}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogService(std::move(previous_));
}

void PrintTo(const DialogRequest& request, std::ostream* out) {
    *out << "{kind " << static_cast<int>(request.kind) << ", \"" << request.caption.toStdString()
         << "\", \"" << request.text.toStdString() << "\", icon " << static_cast<int>(request.icon)
         << ", buttons " << static_cast<int>(request.buttons) << "}";
}
