// What a plain install and the two Debian packages put where, checked against the
// README's table of installed files, and the checks of the desktop's and
// Debian's own tools.
#include <gtest/gtest.h>

#include <map>
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

// The README's rows for the files of one package, or of a plain install when
// `package` is empty.
std::vector<std::string> Listed(const std::string& package = "") {
    std::vector<std::string> patterns;
    for (const ListedPath& row : ReadmeInstalledFiles()) {
        if (package.empty() && !row.plain.empty()) patterns.push_back(row.plain);
        if (row.package == package) patterns.push_back(row.packaged);
    }
    return patterns;
}

TEST(Layout, PlainInstallHoldsWhatTheReadmeListsAndValidDesktopFiles) {
    TempDir dir;
    const std::string prefix = dir.Path() + "/prefix";
    ASSERT_TRUE(InstallBuildInto(prefix));

    ASSERT_GE(ReadmeInstalledFiles().size(), 8u)
        << "the README's table of installed files was not found";
    EXPECT_EQ(Mismatches(Listed(), FilesBelow(prefix)), "");

    const std::string entry = prefix + "/share/applications/org.example.nebulark.desktop";
    std::string complaints;
    EXPECT_EQ(RunProgram({"desktop-file-validate", entry}, &complaints), 0) << complaints;
    EXPECT_EQ(complaints, "");
    EXPECT_EQ(Line(TempDir::Read(entry), "Exec="), prefix + "/bin/nebulark");
    // The software-centre entry is checked with the menu entry it names; it
    // draws no remark at all, not even a pedantic one.
    EXPECT_EQ(RunProgram({"appstreamcli", "validate-tree", "--pedantic", "--no-net", prefix},
                         &complaints),
              0)
        << complaints;
    EXPECT_NE(complaints.find("Validation was successful.\n"), std::string::npos) << complaints;
}

TEST(Layout, PackagesPassLintianAndHoldWhatTheReadmeLists) {
    TempDir dir;
    const std::map<std::string, std::string> packages = BuildPackages(dir.Path());
    ASSERT_EQ(packages.size(), 2u);
    std::map<std::string, std::string> control;
    for (const auto& [name, package] : packages) {
        std::string findings;
        EXPECT_EQ(RunProgram({"lintian", "--fail-on", "error,warning", package}, &findings), 0)
            << findings;
        std::string listing;
        ASSERT_EQ(RunProgram({"dpkg-deb", "-c", package}, &listing), 0) << listing;
        EXPECT_EQ(Mismatches(Listed(name), PackageFiles(listing)), "") << name;
        ASSERT_EQ(RunProgram({"dpkg-deb", "-f", package}, &control[name]), 0) << control[name];
        EXPECT_EQ(Line(control[name], "Section: "), "games");
    }
    const std::string version = Line(control["nebulark-data"], "Version: ");
    EXPECT_EQ(Line(control["nebulark-data"], "Architecture: "), "all");
    EXPECT_EQ(Line(control["nebulark-data"], "Depends: "), "");
    const std::string depends = Line(control["nebulark"], "Depends: ");
    EXPECT_NE(depends.find("nebulark-data (= " + version + ")"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libx11-6"), std::string::npos) << depends;
    EXPECT_EQ(Line(control["nebulark"], "Recommends: "), "alsa-utils");
}

}  // namespace
