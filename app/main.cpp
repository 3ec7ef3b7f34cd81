// The phone directory: one window over the directory below the current folder.
#include "app/Unit1.h"
#include "grid/GridCursors.h"
#include "platform/text/LocaleFormatSettings.h"
#include "platform/ui/ApplicationErrorReport.h"
#include "directory/DirectoryProvider.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    LocaleSettingsWatcher localeSettings;
    // The grid's cursors are part of the program: without them it does not start.
    try {
        GridCursors::Load();
    } catch (...) {
        ReportException(std::current_exception());
        return 1;
    }
    TMenu menu{DirectoryProvider()};
    menu.show();
    return QApplication::exec();
}
