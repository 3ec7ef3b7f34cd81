#pragma once

#include "platform/ui/DialogService.h"

#include <deque>
#include <iosfwd>
#include <memory>
#include <vector>

// A dialog service for tests: records every request and answers questions and
// confirmations from a script. Message boxes need no answer. A question without a scripted
// answer fails the test and is refused.
class ScriptedDialogService : public DialogService {
public:
    DialogAnswer Show(const DialogRequest& request) override;

    void answer(DialogAnswer next) { answers_.push_back(next); }
    const std::vector<DialogRequest>& requests() const { return requests_; }
    void clear() { requests_.clear(); }

private:
    std::vector<DialogRequest> requests_;
    std::deque<DialogAnswer> answers_;
};

// Shows a request in test failure messages.
void PrintTo(const DialogRequest& request, std::ostream* out);

// Installs a scripted dialog service for its lifetime and restores the previous one.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogService* operator->() const { return service_; }
    ScriptedDialogService& operator*() const { return *service_; }

private:
    ScriptedDialogService* service_;
    std::unique_ptr<DialogService> previous_;
};
