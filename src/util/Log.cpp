#include "util/Log.h"

#include <stdio_ext.h>

#include <csignal>
#include <cstdio>

#include "util/FileUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

constexpr const char* kLogFile = "log.txt";

// Takes back the SIGPIPE a write to a closed pipe raised while the signal was
// held, unless one was already held back before, which is not ours to take.
void dropRaisedPipeSignal(const sigset_t& pipeOnly, const sigset_t& before) {
    sigset_t pending;
    if (sigismember(&before, SIGPIPE) || sigpending(&pending) != 0 ||
        !sigismember(&pending, SIGPIPE))
        return;
    const timespec now{};
    sigtimedwait(&pipeOnly, nullptr, &now);
}

// Writes the line to standard output. A closed reader (the program's output
// piped into a program that has ended, a terminal gone) must not end the
// program, so SIGPIPE is held back for the write. A line that could not be
// written is thrown away with the stream's error, so that it is not tried
// again with the next message or at exit.
void echoToStdout(const char* message) {
    sigset_t pipeOnly, before;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigprocmask(SIG_BLOCK, &pipeOnly, &before);
    std::fputs(message, stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        __fpurge(stdout);
        std::clearerr(stdout);
        dropRaisedPipeSignal(pipeOnly, before);
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

}  // namespace

void LogMessage(const char* message) {
    if (message == nullptr) return;
    echoToStdout(message);

    TextFile log(kLogFile);
    const std::vector<std::string> lines{message};
    // A log that cannot be written (a read-only directory, say) is not reported
    // anywhere: the message has already reached standard output.
    if (fileExists(kLogFile))
        log.appendLines(lines);
    else
        log.writeLines(lines);
}

void LogMessage(const std::string& message) {
    LogMessage(message.c_str());
}

}  // namespace nebulark
