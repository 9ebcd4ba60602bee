#include "app/DisplayScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "util/Log.h"

namespace nebulark {

namespace {

constexpr double kBaseDpi = 96.0;
// Above the window, in the program's own pixels: a title bar as a desktop
// drawn at the same scale makes it.
constexpr int kTitleBarRoom = 32;

// The value of the last Xft.dpi line of a resource string, as xrdb writes it
// ("Xft.dpi:\t192"); 0 when there is none or it is not a positive number.
double ResourceDpi(const char* resources) {
    if (resources == nullptr) return 0;
    constexpr std::string_view kName = "Xft.dpi";
    double dpi = 0;
    std::string_view rest(resources);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.substr(0, kName.size()) != kName) continue;
        line.remove_prefix(kName.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() != ':') continue;
        // strtod stops at the end of the number, which lies inside the string.
        const std::string value(line.substr(1));
        char* after = nullptr;
        const double parsed = std::strtod(value.c_str(), &after);
        if (after != value.c_str() && std::isfinite(parsed) && parsed > 0) dpi = parsed;
    }
    return dpi;
}

}  // namespace

int WantedScale(const char* setting, const char* resources) {
    if (setting != nullptr && setting[0] != '\0') {
        if (setting[0] >= '1' && setting[0] <= '0' + kLargestScale && setting[1] == '\0')
            return setting[0] - '0';
        LogMessage(std::string("NEBULARK_SCALE non valida (\"") + setting +
                   "\"): si usa la scala del desktop");
    }
    const double dpi = ResourceDpi(resources);
    if (dpi <= 0) return 1;
    const long scale = std::lround(std::min(dpi / kBaseDpi, double{kLargestScale}));
    return scale < 1 ? 1 : static_cast<int>(scale);
}

int FittingScale(int wanted, int width, int height, int screenWidth, int screenHeight) {
    int scale = wanted > kLargestScale ? kLargestScale : wanted;
    const auto fits = [&](long s) {
        return width * s <= screenWidth && (long{height} + kTitleBarRoom) * s <= screenHeight;
    };
    while (scale > 1 && !fits(scale))
        --scale;
    return scale < 1 ? 1 : scale;
}

}  // namespace nebulark
