#pragma once

#include <QString>

#include <memory>

// The kinds of modal dialog the program shows.
enum class DialogKind {
    MessageBox,   // a message with an icon and one OK button (the application error report)
    Question,     // a message dialog asking Yes or No
    Confirmation, // a message dialog asking OK or Cancel
    PlainMessage, // captioned with the application title, no icon, one OK button
};

enum class DialogIcon { None, Information, Warning, Stop, Confirmation };

enum class DialogButtons { Ok, YesNo, OkCancel };

// How the user closed a dialog. Closing a question by Esc or the close box answers No,
// a confirmation answers Cancel.
enum class DialogAnswer { Ok, Cancel, Yes, No };

struct DialogRequest {
    DialogKind kind;
    QString caption;
    QString text;
    DialogIcon icon;
    DialogButtons buttons;

    friend bool operator==(const DialogRequest&, const DialogRequest&) = default;
};

// Shows modal dialogs. The program has one current service; tests install a scripted one.
class DialogService {
public:
    virtual ~DialogService() = default;

    virtual DialogAnswer Show(const DialogRequest& request) = 0;
};

// The service every dialog goes through.
DialogService& Dialogs();

// Installs a service and returns the one it replaces (nullptr restores the Qt message boxes).
std::unique_ptr<DialogService> SetDialogService(std::unique_ptr<DialogService> service);

// A message box with an OK button.
void ShowMessageBox(const QString& caption, const QString& text, DialogIcon icon);

// A Yes/No question; true only when the user answers Yes.
bool AskYesNo(const QString& caption, const QString& text, DialogIcon icon);

// An OK/Cancel confirmation; true unless the user answers Cancel.
bool ConfirmOkCancel(const QString& text);

// A plain message box captioned with the application title.
void ShowPlainMessage(const QString& text);
