#pragma once

#include <string>

namespace nebulark {

// The texts the game writes on its screens and into the high-score table.

constexpr const char* kLoadingText = "L O A D I N G . . .";
constexpr const char* kInvitationText = "PRESS THE [G] KEY TO PLAY";
constexpr const char* kCreditText = "A SPACE SHOOTER BY THE NEBULARK TEAM  -  2026";
constexpr const char* kGameName = "Nebulark";
constexpr const char* kNameFormTitle = "Classifica";
constexpr const char* kNamePrompt = "Your name for the high scores:";

// "Score: 000050": six digits at least.
std::string ScoreText(int score);
std::string LivesText(int lives);
std::string LevelText(int level);
// "Top Ten:  1° Score <line>", the degree sign being the Latin-1 byte 0xB0.
std::string TopTenLine(int index, const std::string& line);
// What follows the score on a high-score line: the name padded with blanks to
// 12 characters (a longer name is kept whole), " Level " and the level.
// "REPLAY: <name>", or "REPLAY" for a game stored without a name: the sign a
// replay shows on the field and in the window's title.
std::string ReplayTitle(const std::string& playerName);
std::string HighScoreRest(const std::string& playerName, int level);

}  // namespace nebulark
