#pragma once

#include <sys/types.h>

#include <functional>

namespace nebulark {

// The short-lived children the program starts and never waits for: one per
// sound and per beep. The game must not block on them, yet a long game must not
// fill the process table with finished children, so every child started here is
// remembered and reaped with a non-blocking wait on its own pid whenever a new
// one starts or one is signalled.
//
// Only these pids are ever waited for: `system()`, the joystick reader and any
// other child of the process keep their exit status for whoever waits on them.
// No SIGCHLD handler is installed, because a handler would cut short the
// game's blocking `sleep` pauses and the event loop's `select`.

// Forks a child that runs `body` and then ends with `_exit(0)`, so that nothing
// the parent set up (its X connection, its stdio buffers, static destructors) is
// touched on the way out. Answers the child's pid, or -1 when fork failed, in
// which case `body` has not run.
pid_t startChildProcess(const std::function<void()>& body);

// Reaps every remembered child that has ended; answers how many were reaped.
int reapFinishedChildren();

// Sends the signal to a remembered child that has not been reaped yet, after
// reaping those that ended. A pid that was reaped may already belong to another
// process, so it is never signalled. Answers whether the signal was sent.
bool signalChildProcess(pid_t pid, int signal);

// Forgets every remembered child without waiting; for a freshly forked process,
// whose copy of the list names its siblings.
void forgetChildProcesses();

}  // namespace nebulark
