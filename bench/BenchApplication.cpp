#include "BenchApplication.h"

#include <QApplication>

void EnsureApplication() {
    if (QApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "phonebook-bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: destroying it from exit handlers, after Qt's own globals are gone,
    // would crash.
    new QApplication(argc, argv);
}

void FlushPaints(QWidget& window) {
    (void)window;
    QCoreApplication::sendPostedEvents();
}
