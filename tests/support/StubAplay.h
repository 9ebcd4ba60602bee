#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nebulark::test {

// A stand-in for the audio player: a shell script named "aplay", put first on
// PATH for the stub's life, that records each run (its arguments, its pid, when
// it started and when it ended) and sleeps for a set time in between.
class StubAplay {
public:
    // The script lives in `folder` (made if missing), which should be absolute.
    StubAplay(const std::string& folder, double seconds);
    ~StubAplay();
    StubAplay(const StubAplay&) = delete;
    StubAplay& operator=(const StubAplay&) = delete;

    struct Run {
        pid_t pid = 0;
        std::string arguments;
        int64_t startNs = 0;
        int64_t endNs = 0;  // 0 while it runs, or when it was killed
    };
    std::vector<Run> Runs() const;
    // Every run that started has ended.
    bool AllEnded() const;
    // No run is still going: each has ended, or its process is gone or has
    // ended without a word, as one killed does.
    bool NoneRunning() const;

private:
    std::string record;
    std::string previousPath;
};

// Puts a PATH in force for the scope's life.
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path);
    ~ScopedPath();

private:
    std::string previous;
};

}  // namespace nebulark::test
