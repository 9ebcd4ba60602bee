#pragma once

#include <string>

namespace nebulark {

// The program's one reporting channel: the message goes to standard output and
// is appended as a line to "log.txt" in the working directory, opening and
// closing the file each time so the log is complete on disk after every call.
void LogMessage(const char* message);
void LogMessage(const std::string& message);

}  // namespace nebulark
