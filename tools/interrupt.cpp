#include "interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t count = 0;

void onInterrupt(int)
{
    if (count < 2)
        count = count + 1;
}

} // namespace

void catchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    // One handler at a time, so the count is not torn.
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    // Restarted system calls keep pipe writes and file writes whole; waits
    // on a helper program poll, which no signal restarts.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interruptRequested() { return count != 0; }

int interruptCount() { return count; }
