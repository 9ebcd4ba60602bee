#include "support/StubAplay.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "support/ProcessProbe.h"

namespace nebulark::test {

StubAplay::StubAplay(const std::string& folder, double seconds) : record(folder + "/aplay.record") {
    mkdir(folder.c_str(), 0755);
    const std::string script = folder + "/aplay";
    std::ofstream(script) << "#!/bin/sh\n"
                          << "echo \"start $$ $(date +%s%N) $*\" >> '" << record << "'\n"
                          << "sleep " << seconds << "\n"
                          << "echo \"end $$ $(date +%s%N)\" >> '" << record << "'\n";
    chmod(script.c_str(), 0755);
    const char* path = std::getenv("PATH");
    previousPath = path != nullptr ? path : "";
    setenv("PATH", (folder + ":" + previousPath).c_str(), 1);
}

StubAplay::~StubAplay() {
    setenv("PATH", previousPath.c_str(), 1);
}

std::vector<StubAplay::Run> StubAplay::Runs() const {
    std::vector<Run> runs;
    std::map<pid_t, size_t> byPid;
    std::ifstream in(record);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string what;
        Run run;
        fields >> what >> run.pid;
        if (what == "start") {
            fields >> run.startNs;
            fields.get();
            std::getline(fields, run.arguments);
            byPid[run.pid] = runs.size();
            runs.push_back(run);
        } else if (what == "end" && byPid.count(run.pid) != 0) {
            fields >> runs[byPid[run.pid]].endNs;
        }
    }
    return runs;
}

bool StubAplay::AllEnded() const {
    for (const Run& run : Runs())
        if (run.endNs == 0) return false;
    return true;
}

bool StubAplay::NoneRunning() const {
    for (const Run& run : Runs()) {
        const char state = ProcessState(run.pid);
        if (run.endNs == 0 && state != 0 && state != 'Z') return false;
    }
    return true;
}

ScopedPath::ScopedPath(const std::string& path) {
    const char* current = std::getenv("PATH");
    previous = current != nullptr ? current : "";
    setenv("PATH", path.c_str(), 1);
}

ScopedPath::~ScopedPath() {
    setenv("PATH", previous.c_str(), 1);
}

}  // namespace nebulark::test
