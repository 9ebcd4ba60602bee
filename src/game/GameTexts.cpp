#include "game/GameTexts.h"

#include "util/StringUtils.h"

namespace nebulark {

namespace {
constexpr int kScoreDigits = 6;
constexpr int kNameWidth = 12;
constexpr int kRankWidth = 2;
}  // namespace

std::string ScoreText(int score) {
    return "Score: " + formatInteger(score, '0', kScoreDigits);
}

std::string LivesText(int lives) {
    return "Lives: " + toText(lives);
}

std::string LevelText(int level) {
    return "Level: " + toText(level);
}

std::string TopTenLine(int index, const std::string& line) {
    return "Top Ten: " + padLeft(toText(index + 1), ' ', kRankWidth) + "\xB0 Score " + line;
}

std::string HighScoreRest(const std::string& playerName, int level) {
    return padRight(playerName, ' ', kNameWidth) + " Level " + toText(level);
}

std::string ReplayTitle(const std::string& playerName) {
    const size_t first = playerName.find_first_not_of(' ');
    if (first == std::string::npos) return "REPLAY";
    return "REPLAY: " + playerName.substr(first, playerName.find_last_not_of(' ') - first + 1);
}

}  // namespace nebulark
