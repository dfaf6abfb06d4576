#include "demo_options.h"
#include "demo_pane.h"
#include "main_window.h"
#include "stop_signals.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QSurfaceFormat>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Libraries' debug chatter is for their developers, not for people
    // watching the demo: the media backend, for one, notes on stderr each
    // time the demo stops it near the end of the music. QT_LOGGING_RULES
    // still turns it back on. Warnings and errors pass as they are.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    // --help and --version need no display. Anything else is judged once
    // Qt has taken its own options (-platform and the like) out of argv.
    const DemoOptions asked = parseDemoOptions(argc, argv);
    if (asked.action == DemoOptions::Action::Help) {
        std::fputs(kDemoUsage, stdout);
        return 0;
    }
    if (asked.action == DemoOptions::Action::Version) {
        std::printf("ostre3 %s\n", OSTRE3_VERSION);
        return 0;
    }
    QSurfaceFormat::setDefaultFormat(DemoPane::desktopGlFormat());
    QApplication application(argc, argv);
    const DemoOptions options = parseDemoOptions(argc, argv);
    if (options.action == DemoOptions::Action::Error) {
        std::fprintf(stderr, "ostre3: %s (see ostre3 --help)\n", options.error.c_str());
        return 2;
    }

    MainWindow window;
    window.setAudioDelay(options.audioDelayMs);
    window.setGentle(options.gentle);
    std::string error;
    if (!options.frameLog.empty() && !window.logFrames(options.frameLog, error))
        std::fprintf(stderr, "ostre3: %s; the demo plays without a frame log\n", error.c_str());
    // Ctrl-C or a polite kill ends the demo as Escape does, with its log
    // and statistics.
    closeOnStopSignals(window);
    window.show();
    const int status = application.exec();
    if (!window.saveFrameLog(error))
        std::fprintf(stderr, "ostre3: %s\n", error.c_str());
    if (options.stats)
        std::fprintf(stderr, "ostre3: %s\n", window.frameStats().c_str());
    return status;
}
