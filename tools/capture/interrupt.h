#pragma once

// Ctrl-C (or SIGTERM) asks a capture to stop after the frame in hand, so
// that what was written so far is closed properly; a second one ends the
// program at once.
void catchInterrupts();
bool interruptRequested();
