#include "demo_pane.h"
#include "main_window.h"

#include <QApplication>
#include <QLoggingCategory>

int main(int argc, char *argv[])
{
    // Libraries' debug chatter is for their developers, not for people
    // watching the demo: the media backend, for one, notes on stderr each
    // time the demo stops it near the end of the music. QT_LOGGING_RULES
    // still turns it back on. Warnings and errors pass as they are.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QApplication application(argc, argv);
    MainWindow window;
    // --gentle: the picture that keeps every change of brightness below a
    // flash's size (paintGentleFrame).
    if (QCoreApplication::arguments().contains(QStringLiteral("--gentle")))
        if (auto *pane = window.findChild<DemoPane *>())
            pane->setGentle(true);
    window.show();
    return application.exec();
}
