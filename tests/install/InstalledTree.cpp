#include "InstalledTree.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <glob.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace nebulark::test {

namespace {

// Reads the child's output until it closes its end, then waits for it.
int Collect(pid_t pid, int from, std::string* output) {
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(from, buffer, sizeof buffer)) != 0) {
        if (got > 0 && output != nullptr) output->append(buffer, static_cast<size_t>(got));
        if (got < 0 && errno != EINTR) break;
    }
    close(from);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Matches(const std::string& pattern, const std::string& path) {
    return fnmatch(pattern.c_str(), path.c_str(), FNM_PATHNAME) == 0;
}

// The backquoted text that opens each cell of a table row.
std::vector<std::string> QuotedCells(const std::string& row) {
    std::vector<std::string> cells;
    for (size_t bar = row.find('|'); bar != std::string::npos; bar = row.find('|', bar + 1)) {
        const size_t open = row.find_first_not_of(' ', bar + 1);
        if (open == std::string::npos || row[open] != '`') continue;
        const size_t close = row.find('`', open + 1);
        if (close != std::string::npos) cells.push_back(row.substr(open + 1, close - open - 1));
    }
    return cells;
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, std::string* output) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(ends[1], STDOUT_FILENO);
        dup2(ends[1], STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        return -1;
    }
    return Collect(pid, ends[0], output);
}

bool InstallBuildInto(const std::string& prefix) {
    std::string output;
    const bool installed =
        RunProgram({NEBULARK_CMAKE, "--install", NEBULARK_BUILD_DIR, "--prefix", prefix},
                   &output) == 0;
    if (!installed) fprintf(stderr, "%s", output.c_str());
    return installed;
}

std::map<std::string, std::string> BuildPackages(const std::string& folder) {
    std::string output;
    std::map<std::string, std::string> packages;
    if (RunProgram({NEBULARK_CPACK, "-G", "DEB", "--config",
                    NEBULARK_BUILD_DIR "/CPackConfig.cmake", "-B", folder},
                   &output) != 0) {
        fprintf(stderr, "%s", output.c_str());
        return packages;
    }
    glob_t found{};
    const std::string pattern = folder + "/*.deb";
    if (glob(pattern.c_str(), 0, nullptr, &found) == 0)
        for (size_t i = 0; i < found.gl_pathc; ++i) {
            const std::string path = found.gl_pathv[i];
            const size_t name = path.rfind('/') + 1;
            packages[path.substr(name, path.find('_', name) - name)] = path;
        }
    globfree(&found);
    return packages;
}

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.is_symlink() || entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<ListedPath> ReadmeInstalledFiles() {
    std::ifstream readme(NEBULARK_README);
    std::vector<ListedPath> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(readme, line)) {
        if (line.rfind("#", 0) == 0) inSection = line == "### Installed files";
        const std::vector<std::string> cells = QuotedCells(line);
        if (inSection && cells.size() >= 2)
            rows.push_back({cells[0], cells[1], cells.size() > 2 ? cells[2] : ""});
    }
    return rows;
}

std::string Mismatches(const std::vector<std::string>& patterns,
                       const std::vector<std::string>& paths) {
    std::string report;
    for (const std::string& pattern : patterns)
        if (std::none_of(paths.begin(), paths.end(),
                         [&](const std::string& path) { return Matches(pattern, path); }))
            report += "listed but missing: " + pattern + "\n";
    for (const std::string& path : paths)
        if (std::none_of(patterns.begin(), patterns.end(),
                         [&](const std::string& pattern) { return Matches(pattern, path); }))
            report += "installed but not listed: " + path + "\n";
    return report;
}

}  // namespace nebulark::test
