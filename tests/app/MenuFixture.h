#pragma once

#include "app/Unit1.h"
#include "grid/TDBGridEh.h"
#include "directory/DirectoryProvider.h"
#include "platform/db/AdoProvider.h"
#include "platform/ui/TBevel.h"
#include "platform/ui/TButton.h"
#include "platform/ui/TComboBox.h"
#include "platform/ui/TEdit.h"
#include "platform/ui/TImage.h"
#include "platform/ui/TLabel.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TSpeedButton.h"
#include "platform/ui/TStatusBar.h"
#include "tests/support/ScriptedDialogService.h"
#include "tests/support/WorkingFolder.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

#include <memory>

// The main window with the Search command replaced by a counter, so that the window's own
// wiring can be checked without running a query.
class SearchCountingMenu : public TMenu {
public:
    SearchCountingMenu() : TMenu(DirectoryProvider()) {}

    int searches = 0;

private:
    void Button1Click() override { ++searches; }
};

// The main window, shown offscreen in a fresh working folder, with scripted dialogs.
class MenuTest : public WorkingFolderTest {
protected:
    void SetUp() override {
        menu_ = std::make_unique<SearchCountingMenu>();
        menu_->show();
    }
    void TearDown() override { menu_.reset(); }

    SearchCountingMenu& menu() { return *menu_; }

    // Delivers one tick of Timer1, as its 10 ms interval would.
    void tick() {
        QTimerEvent event(menu_->Timer1->timerId());
        QCoreApplication::sendEvent(menu_->Timer1, &event);
    }

    ScriptedDialogs dialogs;

private:
    std::unique_ptr<SearchCountingMenu> menu_;
};
