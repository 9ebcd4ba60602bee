#include "support/StubProgram.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace nebulark::test {

namespace {

std::string PathWithFolderFirst(const std::string& folder) {
    mkdir(folder.c_str(), 0755);
    const char* path = std::getenv("PATH");
    return folder + ":" + (path != nullptr ? path : "");
}

// Arguments ended each by a NUL byte.
std::vector<std::string> SplitAtNul(const std::string& bytes) {
    std::vector<std::string> arguments;
    size_t start = 0;
    for (size_t end = bytes.find('\0'); end != std::string::npos;
         start = end + 1, end = bytes.find('\0', start))
        arguments.push_back(bytes.substr(start, end - start));
    return arguments;
}

}  // namespace

// Each run writes its arguments to a file of its own and renames it when it
// is complete, so a reader never sees half a run.
StubProgram::StubProgram(const std::string& folder, const std::string& name)
    : folder(folder), name(name), path(PathWithFolderFirst(folder)) {
    const std::string script = folder + "/" + name;
    std::ofstream(script) << "#!/bin/sh\n"
                          << "run='" << folder << "/" << name << ".'$$\n"
                          << "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$run.part\"\n"
                          << "mv \"$run.part\" \"$run.run\"\n";
    chmod(script.c_str(), 0755);
}

std::vector<std::vector<std::string>> StubProgram::Runs() const {
    std::vector<std::vector<std::string>> runs;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return runs;
    const std::string prefix = name + ".";
    while (const dirent* entry = readdir(directory)) {
        const std::string file = entry->d_name;
        if (file.rfind(prefix, 0) != 0 || file.size() < 4 ||
            file.compare(file.size() - 4, 4, ".run") != 0)
            continue;
        std::ifstream in(folder + "/" + file, std::ios::binary);
        runs.push_back(SplitAtNul(std::string(std::istreambuf_iterator<char>(in), {})));
    }
    closedir(directory);
    return runs;
}

}  // namespace nebulark::test
