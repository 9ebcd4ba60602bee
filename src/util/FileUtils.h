#pragma once

#include <string>
#include <vector>

namespace nebulark {

// Path helpers. Paths are byte strings passed to the C library unchanged; "/"
// is the separator the helpers add.

bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
bool ensureDirectory(const std::string& path);
int fileSize(const std::string& path);
// Turns every backslash of the caller's path into "/" before it answers.
std::string directoryOf(std::string& path);
std::string fileNameOf(const std::string& path);
std::string withTrailingSlash(std::string path);
std::string withExtension(std::string path, const std::string& ext);
bool copyFile(const std::string& source, const std::string& target);
std::string fileFingerprint(const std::string& path);
std::vector<std::string> listFiles(const std::string& folder);

}  // namespace nebulark
