#pragma once

#include <string>
#include <vector>

#include "support/StubAplay.h"

namespace nebulark::test {

// A stand-in for an outside program: a shell script of the given name, put
// first on PATH for the stub's life, that records the arguments of each run
// exactly as it received them.
class StubProgram {
public:
    // The script lives in `folder` (made if missing), which should be absolute.
    StubProgram(const std::string& folder, const std::string& name);

    // One list of arguments per finished run, in no particular order.
    std::vector<std::vector<std::string>> Runs() const;

private:
    std::string folder;
    std::string name;
    ScopedPath path;
};

}  // namespace nebulark::test
