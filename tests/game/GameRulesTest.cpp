// The rules of play that need no display: the level table, the gauge, the
// moving sprites' steps, the shot limits, the keys per state and the title
// screen's blinking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameTexts.h"
#include "game/KeyActions.h"
#include "game/LevelTable.h"
#include "game/PlayRules.h"
#include "game/ShotLimiter.h"
#include "game/TitleBlinker.h"

namespace nebulark {
namespace {

DateTime At(int second) {
    return DateTime(2026, 12, 8, 12, 0, second);
}

TEST(LevelTable, PopulationsRepeatEveryFiveLevels) {
    const std::vector<LevelPopulation> expected = {
        {"ABA", {30, 60}},
        {"ABAABAABBABA", {30}},
        {"ABAABABABABA", {30, 60}},
        {"ABAABABAABBA", {30, 30, 60}},
        {"ABAABABABABBA", {30, 30, 60}},
    };
    for (int level = 1; level <= 10; ++level) {
        const LevelPopulation& want = expected[static_cast<size_t>((level - 1) % 5)];
        const LevelPopulation got = PopulationOf(level);
        EXPECT_EQ(got.asteroids, want.asteroids) << "level " << level;
        EXPECT_EQ(got.ufoIntervals, want.ufoIntervals) << "level " << level;
    }
    EXPECT_EQ(PopulationOf(5).asteroids.size(), 13u);
}

TEST(PlayRules, GaugeFillsOneFrameForEveryTwoHits) {
    const int expected[21] = {9, 9, 8, 8, 7, 7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0, 0};
    for (int left = 0; left <= 20; ++left)
        EXPECT_EQ(GaugeFrame(left), expected[left]) << left << " hits left";
    EXPECT_EQ(GaugeFrame(-1), 9);
}

TEST(PlayRules, AsteroidsOfVeryHighLevelsStayCatchable) {
    EXPECT_EQ(AsteroidFallStep(12, 63), 12);
    EXPECT_EQ(AsteroidFallStep(64, 63), 63);
    EXPECT_EQ(AsteroidInterval(5, 1, 50), 54);
    EXPECT_EQ(AsteroidInterval(5, 60, 50), 10);
}

TEST(PlayRules, UfoWrapsOneRowLowerAndBackToTheTop) {
    const MotionBounds sweep{-40, 800, 20, 560};
    EXPECT_EQ(UfoStep({700, 100}, 40, 4, true, sweep).x, 704);
    const Point wrapped = UfoStep({797, 100}, 40, 4, true, sweep);
    EXPECT_EQ(wrapped.x, -40);
    EXPECT_EQ(wrapped.y, 160);
    EXPECT_EQ(UfoStep({797, 500}, 40, 4, true, sweep).y, 20);
    const Point leftward = UfoStep({-37, 100}, 40, 4, false, sweep);
    EXPECT_EQ(leftward.x, 800);
    EXPECT_EQ(leftward.y, 160);
}

TEST(PlayRules, EnemyBulletSlidesDownTheSide) {
    const MotionBounds field{0, 787, 20, 576};
    Point at{1, 100};
    at = EnemyBulletStep(at, 2, 4, false, field);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 104);
    at = EnemyBulletStep(at, 2, 4, false, field);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 108);
    EXPECT_EQ(EnemyBulletStep({786, 100}, 2, 4, true, field).x, 787);
}

TEST(ShotLimiter, FirstShotIsFreeThenOnePerSecondChangeWithinTheCount) {
    ShotLimiter shots(5);
    EXPECT_TRUE(shots.MayFire(0, At(0)));
    shots.Fired(At(0));
    EXPECT_FALSE(shots.MayFire(1, At(0)));
    EXPECT_TRUE(shots.MayFire(1, At(1)));
    EXPECT_TRUE(shots.MayFire(4, At(1)));
    EXPECT_FALSE(shots.MayFire(5, At(9)));
}

TEST(KeyActions, EachKeyActsOnlyWhereItBelongs) {
    EXPECT_EQ(ActionFor(kTitle, 'g'), KeyAction::NewGame);
    EXPECT_EQ(ActionFor(kTitle, 'G'), KeyAction::NewGame);
    EXPECT_EQ(ActionFor(kTitle, 'p'), KeyAction::Nothing);
    EXPECT_EQ(ActionFor(kPlaying, 'p'), KeyAction::Pause);
    EXPECT_EQ(ActionFor(kPlaying, 'N'), KeyAction::EndLevel);
    EXPECT_EQ(ActionFor(kPlaying, 'g'), KeyAction::Nothing);
    EXPECT_EQ(ActionFor(kPaused, 'P'), KeyAction::Resume);
    EXPECT_EQ(ActionFor(kPaused, 'n'), KeyAction::Nothing);
    for (const int state : {kBuilding, kIntermission, kNameEntry}) {
        EXPECT_EQ(ActionFor(state, 'p'), KeyAction::Nothing);
        EXPECT_EQ(ActionFor(state, 'g'), KeyAction::Nothing);
    }
    EXPECT_EQ(ActionFor(kResultStored, 'x'), KeyAction::BackToTitle);
    EXPECT_EQ(ActionFor(kResultStored, '\r'), KeyAction::BackToTitle);
}

TEST(GameTexts, LinesAreLaidOutAsStored) {
    EXPECT_EQ(ScoreText(50), "Score: 000050");
    EXPECT_EQ(ScoreText(1234567), "Score: 1234567");
    EXPECT_EQ(TopTenLine(0, "x"), "Top Ten:  1\xB0 Score x");
    EXPECT_EQ(TopTenLine(9, "x"), "Top Ten: 10\xB0 Score x");
    EXPECT_EQ(HighScoreRest("MARIO", 3), "MARIO        Level 3");
    EXPECT_EQ(HighScoreRest("", 3), "             Level 3");
    EXPECT_EQ(HighScoreRest("ABCDEFGHIJKLMN", 12), "ABCDEFGHIJKLMN Level 12");
}

// Runs the blinker once per second for `seconds` and collects what it drew
// in the top strip: "-" for a cleared strip, else the line.
std::vector<std::string> Strip(TitleBlinker& blinker, const std::vector<std::string>& lines,
                               int& index, int seconds, std::vector<int32_t>* colours = nullptr) {
    std::vector<std::string> shown;
    for (int s = 0; s <= seconds; ++s) {
        const Blink blink = blinker.Step(At(s), lines, index);
        if (blink.due && colours != nullptr) colours->push_back(blink.colour);
        if (blink.clearStrip) shown.push_back(blink.topTenLine.empty() ? "-" : blink.topTenLine);
    }
    return shown;
}

TEST(TitleBlinker, ShowsTheNextLineOnEveryTenthBlink) {
    TitleBlinker blinker;
    int index = 0;
    std::vector<int32_t> colours;
    const auto shown = Strip(blinker, {"a", "b", "c"}, index, 40, &colours);
    ASSERT_EQ(colours.size(), 40u);
    EXPECT_EQ(colours[0], TitleBlinker::kWhite);
    EXPECT_EQ(colours[1], TitleBlinker::kRed);
    const std::vector<std::string> expected = {TopTenLine(0, "a"), "-", TopTenLine(1, "b"), "-",
                                               TopTenLine(2, "c"), "-", TopTenLine(0, "a"), "-"};
    EXPECT_EQ(shown, expected);
}

TEST(TitleBlinker, AnEmptyTableNeverTouchesTheStrip) {
    TitleBlinker blinker;
    int index = 0;
    std::vector<int32_t> colours;
    EXPECT_TRUE(Strip(blinker, {}, index, 20, &colours).empty());
    EXPECT_EQ(colours.size(), 20u);
}

// A table read anew may hold fewer lines than the index has counted.
TEST(TitleBlinker, AnIndexPastAShorterTableStartsAgainAtTheTop) {
    TitleBlinker blinker;
    int index = 7;
    const auto shown = Strip(blinker, {"a", "b"}, index, 1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], TopTenLine(0, "a"));
    EXPECT_EQ(index, 1);
}

}  // namespace
}  // namespace nebulark
