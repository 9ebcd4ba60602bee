#include "util/Log.h"

#include <cstdio>

#include "util/FileUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {
constexpr const char* kLogFile = "log.txt";
}

void LogMessage(const char* message) {
    if (message == nullptr) return;
    std::fputs(message, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);

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
