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
    window.show();
    return application.exec();
}
