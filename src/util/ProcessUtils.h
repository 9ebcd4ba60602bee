#pragma once

#include <cstdint>
#include <string>

namespace nebulark {

// Runs the command through the shell with `system()`. Answers true when the
// command failed, that is when the status `system()` returned is not 0.
bool RunShell(const std::string& command);

// Runs the program, one blank and the arguments as one shell command. Answers
// true when the command failed, as RunShell does.
bool RunProgram(const std::string& program, const std::string& arguments);

// Runs the command through the shell in a child process and returns at once,
// without waiting for it. When no child can be started the command runs in
// this process, which then waits for it.
void RunShellInChild(const std::string& command);

// The text as one word of the shell, taken literally: wrapped in single
// quotes, each quote inside written as '\'' (close, escaped quote, reopen).
std::string ShellQuoted(const std::string& text);

// Plays "Data/beep.wav" with aplay in a child process and returns at once; does
// nothing when the file is missing. When no child can be started the sound is
// played in this process, which then waits for it.
void Beep();

// A pseudo-random integer from low to high, both included, drawn from the
// process's play stream (a PlayRandom), which the first call seeds with the
// current time unless it was seeded before. An empty range (low > high)
// answers low.
int RandomInt(int low, int high);

// Starts the play stream again from the seed: a recorded game is played again
// from the seed it was recorded with.
void SeedPlayRandom(uint64_t seed);

// Seeds the play stream from the wall clock, to the nanosecond, and answers
// the seed, which a game records when it starts.
uint64_t SeedPlayRandomFromTime();

// The path with "/" appended, unless it is empty or already ends with "/" or a
// backslash.
std::string EnsureTrailingSlash(std::string path);

// The working folders, relative to the working directory. Each answers its
// name and creates the folder first when nothing of that name exists.
std::string FolderDocuments();
std::string FolderDesktop();
std::string FolderDownload();
std::string FolderData();
std::string FolderMusic();
std::string FolderPictures();
std::string FolderProgramData();

// "Settings/<first>/<second>/<file>", creating the three folders on the way.
std::string SettingsPath(const std::string& first, const std::string& second,
                         const std::string& file);

std::string SystemDrive();
std::string SystemVolume();

}  // namespace nebulark
