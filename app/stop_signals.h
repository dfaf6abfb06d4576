#pragma once

class QWidget;

// SIGINT and SIGTERM close the window instead of killing the program, so
// that it ends as when the viewer presses Escape. A second signal, once the
// first has been seen, kills it as usual.
void closeOnStopSignals(QWidget &window);
