#pragma once

// Ctrl-C (or SIGTERM) asks a capture to stop after the frame in hand, so
// that what was written so far is closed properly. A helper program then
// has a while to take what it was given and finish (ChildProcess); a
// second interrupt ends that while at once.
void catchInterrupts();
bool interruptRequested();
// How many interrupts have come.
int interruptCount();
