#include "interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t requested = 0;

void onInterrupt(int) { requested = 1; }

} // namespace

void catchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted system calls keep pipe writes and file writes whole;
    // the handler is reset so that a second Ctrl-C is not ignored.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interruptRequested() { return requested != 0; }
