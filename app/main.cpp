// The phone directory: one window over the directory below the current folder.
#include "app/Unit1.h"
#include "platform/text/LocaleFormatSettings.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    LocaleSettingsWatcher localeSettings;
    TMenu menu;
    menu.show();
    return QApplication::exec();
}
