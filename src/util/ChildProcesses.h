#pragma once

#include <sys/types.h>

#include <functional>

namespace nebulark {

// The children the program forks without exec and never waits for: one per
// sound, per beep and per about-box link, and the joystick reader. The game
// must not block on them, yet a long game must not fill the process table with
// finished children, so every child forked here is remembered and reaped with a
// non-blocking wait on its own pid: whenever a new one starts or one is
// signalled, and at the points the program passes often (the event loop, the
// game's pauses).
//
// Only these pids are ever waited for: `system()` and any other child of the
// process keep their exit status for whoever waits on them. No SIGCHLD handler
// is installed, because a handler would cut short the game's blocking pauses
// and the event loop's `select`.

// Forks a remembered child and answers as fork does: 0 in the child, the
// child's pid in the parent, -1 when fork failed. Output still buffered is
// written first, so that neither process writes it twice. The child closes
// every descriptor named by closeInChildProcesses, without a word on it, and
// forgets its parent's remembered children.
pid_t forkChildProcess();

// Forks a child that runs `body` and then ends with `_exit(0)`, so that nothing
// the parent set up (its stdio buffers, static destructors) is touched on the
// way out. Answers the child's pid, or -1 when fork failed, in which case
// `body` has not run.
pid_t startChildProcess(const std::function<void()>& body);

// Forks a remembered child that leads a process group of its own and runs
// `body` there, ending as startChildProcess's children do. Whatever the body
// starts joins the group, so signalChildProcessGroup reaches all of it. A
// group of its own gets no Ctrl+C from the terminal, and a program killed
// outright signals nobody, so the child also ends its whole group when it gets
// SIGTERM, and asks for SIGTERM when this process ends, however it ends. Both
// this process and the child set the group, so it is in place once this
// returns. Answers as startChildProcess does.
pid_t startChildProcessGroup(const std::function<void()>& body);

// Every child forked from now on closes the descriptor right after the fork.
// The display layer names its connection to the server here: a child that kept
// a copy would keep the program's windows on the screen after it has ended.
void closeInChildProcesses(int descriptor);
// Children forked from now on leave the descriptor alone again.
void keepInChildProcesses(int descriptor);

// Reaps every remembered child that has ended; answers how many were reaped.
int reapFinishedChildren();

// Sends the signal to a remembered child that has not been reaped yet, after
// reaping those that ended. A pid that was reaped may already belong to another
// process, so it is never signalled. Answers whether the signal was sent.
bool signalChildProcess(pid_t pid, int signal);

// Sends the signal to the whole process group led by a remembered child that
// has not been reaped yet, after reaping those that ended; as with
// signalChildProcess, a pid that was reaped is never used. For children started
// with startChildProcessGroup. Answers whether the signal was sent.
bool signalChildProcessGroup(pid_t pid, int signal);

// Forgets every remembered child without waiting; for a freshly forked process,
// whose copy of the list names its siblings.
void forgetChildProcesses();

}  // namespace nebulark
