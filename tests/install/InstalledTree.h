#pragma once

#include <map>
#include <string>
#include <vector>

namespace nebulark::test {

// Runs a program with its arguments; its output and errors land in `output`
// when one is given, and are dropped otherwise. Answers its exit status, or
// -1 when it did not exit normally.
int RunProgram(const std::vector<std::string>& arguments, std::string* output = nullptr);

// Installs this build tree under `prefix` with cmake --install.
bool InstallBuildInto(const std::string& prefix);

// Every file and link below `folder`, as paths relative to it.
std::vector<std::string> FilesBelow(const std::string& folder);

// Makes the Debian packages of this build tree in `folder`; answers their
// paths by package name, empty when cpack failed (its output is printed).
std::map<std::string, std::string> BuildPackages(const std::string& folder);

// One row of the README's table of installed files: the Debian package that
// holds the file, its path there and its path below the prefix of a plain
// install (empty when a plain install has none). A path may end in a *
// standing for every file of its folder.
struct ListedPath {
    std::string package;
    std::string packaged;
    std::string plain;
};
std::vector<ListedPath> ReadmeInstalledFiles();

// How a list of paths departs from the patterns meant to describe it: the
// patterns no path matches and the paths no pattern matches, one a line;
// empty when the two agree.
std::string Mismatches(const std::vector<std::string>& patterns,
                       const std::vector<std::string>& paths);

}  // namespace nebulark::test
