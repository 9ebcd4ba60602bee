// What a plain install and the Debian package put where, checked against the
// README's table of installed files, and the checks of the desktop's and
// Debian's own tools.
#include <gtest/gtest.h>

#include <glob.h>

#include <sstream>

#include "InstalledTree.h"
#include "support/TempDir.h"

namespace {

using namespace nebulark::test;

std::string Line(const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(start, 0) == 0) return line.substr(start.size());
    return "";
}

// The files and links a package holds, as absolute paths.
std::vector<std::string> PackageFiles(const std::string& listing) {
    std::vector<std::string> files;
    std::istringstream lines(listing);
    std::string mode, owner, size, date, time, path;
    while (lines >> mode >> owner >> size >> date >> time >> path) {
        if (mode[0] == '-' || mode[0] == 'l') files.push_back(path.substr(1));
        std::string rest;
        std::getline(lines, rest);
    }
    return files;
}

std::string BuiltPackage(const std::string& folder) {
    glob_t found{};
    const std::string pattern = folder + "/nebulark_*.deb";
    std::string path;
    if (glob(pattern.c_str(), 0, nullptr, &found) == 0 && found.gl_pathc == 1)
        path = found.gl_pathv[0];
    globfree(&found);
    return path;
}

TEST(Layout, PlainInstallHoldsWhatTheReadmeListsAndAValidMenuEntry) {
    TempDir dir;
    const std::string prefix = dir.Path() + "/prefix";
    ASSERT_TRUE(InstallBuildInto(prefix));

    const std::vector<ListedPath> listed = ReadmeInstalledFiles();
    ASSERT_GE(listed.size(), 8u) << "the README's table of installed files was not found";
    std::vector<std::string> patterns;
    for (const ListedPath& row : listed)
        patterns.push_back(row.plain);
    EXPECT_EQ(Mismatches(patterns, FilesBelow(prefix)), "");

    const std::string entry = prefix + "/share/applications/nebulark.desktop";
    std::string complaints;
    EXPECT_EQ(RunProgram({"desktop-file-validate", entry}, &complaints), 0) << complaints;
    EXPECT_EQ(complaints, "");
    EXPECT_EQ(Line(TempDir::Read(entry), "Exec="), prefix + "/bin/nebulark");
}

TEST(Layout, PackagePassesLintianAndHoldsWhatTheReadmeLists) {
    TempDir dir;
    std::string output;
    ASSERT_EQ(RunProgram({NEBULARK_CPACK, "-G", "DEB", "--config",
                          NEBULARK_BUILD_DIR "/CPackConfig.cmake", "-B", dir.Path()},
                         &output),
              0)
        << output;
    const std::string package = BuiltPackage(dir.Path());
    ASSERT_FALSE(package.empty()) << output;

    std::string findings;
    EXPECT_EQ(RunProgram({"lintian", "--fail-on", "error,warning", package}, &findings), 0)
        << findings;

    std::string listing;
    ASSERT_EQ(RunProgram({"dpkg-deb", "-c", package}, &listing), 0) << listing;
    std::vector<std::string> patterns;
    for (const ListedPath& row : ReadmeInstalledFiles())
        patterns.push_back(row.package);
    EXPECT_EQ(Mismatches(patterns, PackageFiles(listing)), "");

    std::string control;
    ASSERT_EQ(RunProgram({"dpkg-deb", "-f", package}, &control), 0) << control;
    EXPECT_NE(Line(control, "Depends: ").find("libx11-6"), std::string::npos) << control;
    EXPECT_EQ(Line(control, "Recommends: "), "alsa-utils");
    EXPECT_EQ(Line(control, "Section: "), "games");
}

}  // namespace
