#include "input/JoystickConfig.h"

#include <climits>
#include <cstdlib>

#include "util/FileReplace.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/StringUtils.h"
#include "util/TextFile.h"

namespace nebulark {

namespace {

constexpr const char* kConfigFile = "joystick.cfg";

struct ConfigKey {
    const char* name;
    int JoystickSettings::*field;
    int defaultValue;
};

// The keys in file order; the spelling of the two axis keys is part of the
// file format.
constexpr ConfigKey kKeys[] = {
    {"JoystickEnable", &JoystickSettings::joystickEnable, 1},
    {"AixsXCfg", &JoystickSettings::aixsXCfg, 0},
    {"AixsYCfg", &JoystickSettings::aixsYCfg, 1},
    {"MinValueLeftCfg", &JoystickSettings::minValueLeftCfg, -32767},
    {"MaxValueLeftCfg", &JoystickSettings::maxValueLeftCfg, -1},
    {"MinValueRightCfg", &JoystickSettings::minValueRightCfg, 1},
    {"MaxValueRightCfg", &JoystickSettings::maxValueRightCfg, 32767},
    {"MinValueUpCfg", &JoystickSettings::minValueUpCfg, -32767},
    {"MaxValueUpCfg", &JoystickSettings::maxValueUpCfg, -1},
    {"MinValueDownCfg", &JoystickSettings::minValueDownCfg, 1},
    {"MaxValueDownCfg", &JoystickSettings::maxValueDownCfg, 32767},
};

// Base-10 strtol, clamped to the range of int so that an overlong number
// cannot wrap round into a different setting.
int parseValue(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void applyLine(const std::string& line, JoystickSettings& settings) {
    const std::vector<std::string> fields = split(line, "=");
    if (fields.size() != 2) return;
    const std::string key = trim(fields[0]);
    for (const ConfigKey& known : kKeys) {
        if (key == known.name) {
            settings.*known.field = parseValue(trim(fields[1]));
            return;
        }
    }
}

}  // namespace

std::vector<std::string> defaultJoystickConfigLines() {
    std::vector<std::string> lines;
    for (const ConfigKey& key : kKeys)
        lines.push_back(std::string(key.name) + "= " + toText(key.defaultValue));
    return lines;
}

void applyJoystickConfigLines(const std::vector<std::string>& lines, JoystickSettings& settings) {
    for (const std::string& line : lines)
        applyLine(line, settings);
}

void loadJoystickConfig() {
    // The defaults appear in one step, so that neither a kill in the middle nor
    // the game and its reader writing at once can leave a file cut short, which
    // would never be written again.
    if (!fileExists(kConfigFile) && !replaceFileLines(kConfigFile, defaultJoystickConfigLines()))
        LogMessage(std::string("impossibile creare il file ") + kConfigFile);

    JoystickSettings& settings = joystickState().settings;
    if (settings.joystickEnable != -1) return;
    if (refuseIrregularFile(kConfigFile)) return;
    TextFile file(kConfigFile);
    applyJoystickConfigLines(file.readLines(), settings);
}

}  // namespace nebulark
