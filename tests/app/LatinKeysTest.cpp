// What keys type by their place under layouts of other scripts, from keyboard
// maps written out here as the server's layouts give them; no display is
// needed.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/LatinKeys.h"

namespace nebulark {
namespace {

using LatinKeys::KeyboardMap;
using LatinKeys::Press;

constexpr unsigned kQ = 24, kW = 25, kE = 26, kA = 38, k2 = 11, k3 = 12, kReturn = 36;

// A layout's first two levels on the keys the table below presses.
using Layout = std::map<unsigned, std::pair<KeySym, KeySym>>;

const std::map<std::string, Layout>& Layouts() {
    static const std::map<std::string, Layout> layouts{
        {"us",
         {{kQ, {XK_q, XK_Q}},
          {kW, {XK_w, XK_W}},
          {kE, {XK_e, XK_E}},
          {kA, {XK_a, XK_A}},
          {k2, {XK_2, XK_at}},
          {k3, {XK_3, XK_numbersign}}}},
        {"fr",
         {{kQ, {XK_a, XK_A}},
          {kW, {XK_z, XK_Z}},
          {kE, {XK_e, XK_E}},
          {kA, {XK_q, XK_Q}},
          {k2, {XK_eacute, XK_2}},
          {k3, {XK_quotedbl, XK_3}}}},
        {"gr",
         {{kQ, {XK_semicolon, XK_colon}},
          {kW, {XK_Greek_finalsmallsigma, XK_Greek_SIGMA}},
          {kE, {XK_Greek_epsilon, XK_Greek_EPSILON}},
          {kA, {XK_Greek_alpha, XK_Greek_ALPHA}},
          {k2, {XK_2, XK_at}},
          {k3, {XK_3, XK_numbersign}}}},
        {"il",
         {{kQ, {XK_slash, XK_Q}},
          {kW, {XK_apostrophe, XK_W}},
          {kE, {XK_hebrew_qoph, XK_E}},
          {kA, {XK_hebrew_shin, XK_A}},
          {k2, {XK_2, XK_at}},
          {k3, {XK_3, XK_numbersign}}}},
        {"ara",
         {{kQ, {XK_Arabic_dad, XK_Arabic_fatha}},
          {kW, {XK_Arabic_sad, XK_Arabic_fathatan}},
          {kE, {XK_Arabic_theh, XK_Arabic_damma}},
          {kA, {XK_Arabic_sheen, XK_Arabic_kasra}},
          {k2, {XK_2, XK_at}},
          {k3, {XK_3, XK_numbersign}}}},
        {"ru",
         {{kQ, {XK_Cyrillic_shorti, XK_Cyrillic_SHORTI}},
          {kW, {XK_Cyrillic_tse, XK_Cyrillic_TSE}},
          {kE, {XK_Cyrillic_u, XK_Cyrillic_U}},
          {kA, {XK_Cyrillic_ef, XK_Cyrillic_EF}},
          {k2, {XK_2, XK_quotedbl}},
          {k3, {XK_3, XK_numerosign}}}},
    };
    return layouts;
}

// The map of groups named like setxkbmap's list, "us,gr".
KeyboardMap MapOf(const std::string& list) {
    std::vector<Layout> groups;
    for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        groups.push_back(Layouts().at(list.substr(start, comma - start)));
        start = comma + 1;
    }
    return [groups](unsigned keycode, int group, int level) -> KeySym {
        if (group < 0 || group >= static_cast<int>(groups.size())) return NoSymbol;
        const auto key = groups[group].find(keycode);
        if (key == groups[group].end()) return NoSymbol;
        return level == 0 ? key->second.first : level == 1 ? key->second.second : NoSymbol;
    };
}

struct Case {
    const char* layouts;
    int group;
    unsigned keycode;
    bool shift;
    char typed;  // 0: the key types what the active group gives it
};

TEST(LatinKeys, UnderALayoutOfAnotherScriptEveryKeyOfTheBlockTypesAsALatinLayoutWould) {
    const Case cases[] = {
        // The Greek and Hebrew layouts put punctuation on Q and W.
        {"gr", 0, kQ, false, 'q'},
        {"gr", 0, kQ, true, 'Q'},
        {"gr", 0, kW, false, 'w'},
        {"us,gr", 1, kQ, false, 'q'},
        {"il", 0, kQ, false, 'q'},
        {"il", 0, kW, false, 'w'},
        {"il", 0, kA, true, 'A'},
        // Arabic letters have no case; Shift gives the capital a US key gives.
        {"ara", 0, kQ, true, 'Q'},
        {"ara", 0, kE, false, 'e'},
        // The Russian layout's Shift+3 is the numero sign, a US keyboard's #.
        {"ru", 0, k3, true, '#'},
        {"ru", 0, k3, false, '3'},
        {"ru", 0, kQ, false, 'q'},
        {"us,ru", 1, k2, true, '@'},
        // The map's Latin group decides, whatever its place among the groups.
        {"gr,fr", 0, kQ, false, 'a'},
        {"ru,fr", 0, k3, true, '3'},
        // Latin layouts type what they type; keys outside the block too.
        {"us", 0, kQ, false, 0},
        {"fr", 0, kQ, true, 0},
        {"fr", 0, k2, false, 0},
        {"us,gr", 0, kQ, false, 0},
        {"gr", 0, kReturn, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.layouts) + " group " + std::to_string(c.group) + " key " +
                     std::to_string(c.keycode) + (c.shift ? " with Shift" : ""));
        Press press;
        press.keycode = c.keycode;
        press.group = c.group;
        press.shift = c.shift;
        const auto typed = LatinKeys::TranslateByPlace(MapOf(c.layouts), press);
        if (c.typed == 0) {
            EXPECT_FALSE(typed.has_value());
            continue;
        }
        ASSERT_TRUE(typed.has_value());
        EXPECT_EQ(typed->character, static_cast<unsigned char>(c.typed));
        EXPECT_EQ(typed->keysym, static_cast<KeySym>(static_cast<unsigned char>(c.typed)));
    }
}

TEST(LatinKeys, CapsLockAndControlActOnTheLatinLetter) {
    Press press;
    press.keycode = kQ;
    press.capsLock = true;
    EXPECT_EQ(LatinKeys::TranslateByPlace(MapOf("ru"), press)->character, 'Q');
    EXPECT_EQ(LatinKeys::TranslateByPlace(MapOf("us,ru"), {kQ, 1, true, true, false})->character,
              'q');
    EXPECT_EQ(LatinKeys::TranslateByPlace(MapOf("gr"), {kQ, 0, false, false, true})->character,
              'q' & 0x1F);
    // A Latin group's letter of another language is no character to type.
    EXPECT_EQ(LatinKeys::TranslateByPlace(MapOf("ru,fr"), {k2, 0, false, false, false})->keysym,
              KeySym{XK_eacute});
}

}  // namespace
}  // namespace nebulark
