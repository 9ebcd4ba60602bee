#pragma once

#include <string>
#include <vector>

namespace nebulark {

// Whole-file writes that a reader, a second writer or a kill in the middle can
// never catch half done, and the checks that keep the program from opening
// something that is not a plain file.

// The file a path finally names once its symbolic links are followed; the path
// itself when it is no link. Relative link targets count from the link's own
// folder. Empty when the links go round in a loop or cannot be read.
std::string followLinks(const std::string& path);

// Writes the lines, each followed by "\n", to a new file beside the file the
// path names (through its links) and renames that file into its place, so
// that the old content or the new one is there whole at every moment. An
// existing file keeps its permissions. SIGTERM, SIGINT and SIGHUP wait until
// the file is in place. False when anything failed; the old file is then left
// as it was and no temporary file stays behind.
bool replaceFileLines(const std::string& path, const std::vector<std::string>& lines);

// True when `name` is the name replaceFileLines gives a temporary file for the
// file named `file` (names without their folder). One that a kill left behind
// stays until someone removes it.
bool isTemporaryFileOf(const std::string& name, const std::string& file);

// True, with the line "<path>: non è un file regolare" in the log, when the
// path names something other than a regular file (a FIFO, a folder, a device),
// which reading could wait on forever. A missing file is not refused.
bool refuseIrregularFile(const std::string& path);

}  // namespace nebulark
