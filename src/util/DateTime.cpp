#include "util/DateTime.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

#include "util/MillisecondCounter.h"
#include "util/StringUtils.h"

namespace nebulark {

const char* const DateTime::kMonthNamesIt[13] = {
    "",       "GENNAIO", "FEBBRAIO",  "MARZO",   "APRILE",   "MAGGIO",  "GIUGNO",
    "LUGLIO", "AGOSTO",  "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};
const char* const DateTime::kMonthNamesEn[13] = {
    "",     "JANUARY", "FEBRUARY",  "MARCH",   "APRIL",    "MAY",     "JUNE",
    "JULY", "AUGUST",  "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
// ISO-8859-1: 0xEC is the accented i.
const char* const DateTime::kWeekdayNamesIt[7] = {
    "Domenica", "Luned\xEC", "Marted\xEC", "Mercoled\xEC", "Gioved\xEC", "Venerd\xEC", "Sabato"};
// The trailing blank after Tuesday is part of the table.
const char* const DateTime::kWeekdayNamesEn[7] = {"Sunday",   "Monday", "Tuesday ", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

namespace {

constexpr int kFirstYear = 1978;
constexpr int kLastYear = 2099;
constexpr int kEasterM[10] = {22, 22, 23, 23, 24, 24, 24, 25, 26, 25};
constexpr int kEasterN[10] = {2, 2, 3, 4, 5, 5, 6, 0, 1, 1};

// Reads `length` decimal digits at `at`; false when any of them is no digit.
bool readNumber(const std::string& text, size_t at, size_t length, int& value) {
    const std::string piece = text.substr(at, length);
    for (char c : piece)
        if (c < '0' || c > '9') return false;
    value = static_cast<int>(std::strtol(piece.c_str(), nullptr, 10));
    return true;
}

int64_t midnightOf(const DateTime& value) {
    std::tm fields{};
    fields.tm_year = value.year - 1900;
    fields.tm_mon = value.month - 1;
    fields.tm_mday = value.day;
    fields.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&fields));
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

DateTime::DateTime() {
    *this = now();
}

DateTime::DateTime(int year, int month, int day) {
    setDate(year, month, day, 0, 0, 0);
}

DateTime::DateTime(int year, int month, int day, int hour, int minute, int second) {
    setDate(year, month, day, hour, minute, second);
}

DateTime DateTime::now() {
    return at(static_cast<int64_t>(std::time(nullptr)));
}

DateTime DateTime::at(int64_t seconds) {
    DateTime value(1970, 1, 1);
    value.fillFromTime(seconds);
    value.millisecond = MillisecondCounter::Value();
    value.invalid = 0;
    return value;
}

void DateTime::set(const DateTime& other) {
    *this = other;
    normalise();
}

void DateTime::setDate(int y, int m, int d, int h, int mi, int s) {
    year = y;
    month = m;
    day = d;
    hour = h;
    minute = mi;
    second = s;
    normalise();
}

bool DateTime::normalise() {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t result = std::mktime(&fields);
    if (result == static_cast<std::time_t>(-1)) {
        invalid = 1;
        return false;
    }
    fillFromTime(static_cast<int64_t>(result));
    millisecond = 0;
    invalid = 0;
    return true;
}

void DateTime::fillFromTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (localtime_r(&t, &fields) == nullptr) {
        invalid = 1;
        return;
    }
    year = fields.tm_year + 1900;
    month = fields.tm_mon + 1;
    weekday = fields.tm_wday;
    day = fields.tm_mday;
    hour = fields.tm_hour;
    minute = fields.tm_min;
    second = fields.tm_sec;
    time = seconds;
}

// Besides the length and the year range, every field must be made of digits
// and the day and month must lie in 1 … 31 and 1 … 12: a day past the end of
// its month still rolls over into the next one.
bool DateTime::parseDateFields(const std::string& text, int dayAt, int monthAt) {
    int d = 0, m = 0, y = 0;
    const bool ok = text.size() == 10 && readNumber(text, static_cast<size_t>(dayAt), 2, d) &&
                    readNumber(text, static_cast<size_t>(monthAt), 2, m) &&
                    readNumber(text, 6, 4, y) && y >= kFirstYear && y <= kLastYear && d >= 1 &&
                    d <= 31 && m >= 1 && m <= 12;
    if (!ok) {
        invalid = 1;
        return false;
    }
    setDate(y, m, d, 0, 0, 0);
    return invalid == 0;
}

bool DateTime::parseDate(const std::string& text) {
    return parseDateFields(text, 0, 3);
}

bool DateTime::parseDateUS(const std::string& text) {
    return parseDateFields(text, 3, 0);
}

bool DateTime::parseTime(const std::string& text) {
    int h = 0, mi = 0, s = 0;
    const bool ok = text.size() == 8 && readNumber(text, 0, 2, h) && readNumber(text, 3, 2, mi) &&
                    readNumber(text, 6, 2, s) && h <= 23 && mi <= 59 && s <= 60;
    if (!ok) {
        invalid = 1;
        return false;
    }
    setDate(year, month, day, h, mi, s);
    return invalid == 0;
}

std::string DateTime::formatDate() const {
    return formatInteger(day, '0', 2) + "/" + formatInteger(month, '0', 2) + "/" +
           formatInteger(year, '0', 4);
}

std::string DateTime::formatDateUS() const {
    return formatInteger(month, '0', 2) + "/" + formatInteger(day, '0', 2) + "/" +
           formatInteger(year, '0', 4);
}

std::string DateTime::formatDateIso() const {
    return formatInteger(year, '0', 4) + "-" + formatInteger(month, '0', 2) + "-" +
           formatInteger(day, '0', 2);
}

std::string DateTime::formatTime() const {
    return formatInteger(hour, '0', 2) + ":" + formatInteger(minute, '0', 2) + ":" +
           formatInteger(second, '0', 2);
}

std::string DateTime::monthNameIt() const {
    return (month >= 1 && month <= 12) ? kMonthNamesIt[month] : "";
}

std::string DateTime::monthNameEn() const {
    return (month >= 1 && month <= 12) ? kMonthNamesEn[month] : "";
}

std::string DateTime::weekdayNameIt() const {
    return (weekday >= 0 && weekday <= 6) ? kWeekdayNamesIt[weekday] : "";
}

std::string DateTime::weekdayNameEn() const {
    return (weekday >= 0 && weekday <= 6) ? kWeekdayNamesEn[weekday] : "";
}

std::string DateTime::weekdayMap() const {
    std::string map;
    const int last = lastDayOfMonth();
    for (int d = 1; d <= last; ++d) {
        const int wd = ((weekday + (d - day)) % 7 + 7) % 7;
        map += static_cast<char>('0' + wd);
    }
    return map;
}

void DateTime::addYears(int n) {
    if (invalid) return;
    year += n;
    normalise();
}

void DateTime::addMonths(int n) {
    if (invalid) return;
    int target = month + n % 12;
    int carry = n / 12;
    if (target > 12) {
        target %= 12;
        ++carry;
    } else if (target <= 0) {
        target += 12;
        --carry;
    }
    year += carry;
    month = target;
    const int last = lastDayOfMonth(year, month);
    if (day > last) day = last;
    normalise();
}

void DateTime::addSeconds(int64_t n) {
    if (invalid) return;
    fillFromTime(time + n);
    millisecond = 0;
}

void DateTime::addDays(int64_t n) {
    addSeconds(n * 86400);
}

void DateTime::addHours(int64_t n) {
    addSeconds(n * 3600);
}

void DateTime::addMinutes(int64_t n) {
    addSeconds(n * 60);
}

// Floor division keeps the millisecond part in 0 … 999 also for negative steps.
void DateTime::addMilliseconds(int64_t n) {
    if (invalid) return;
    const int64_t total = n + millisecond;
    fillFromTime(time + floorDiv(total, 1000));
    millisecond = static_cast<int>(total - floorDiv(total, 1000) * 1000);
}

// Rounded rather than truncated, so a day shortened by a daylight-saving change
// still counts as one day.
int64_t DateTime::daysUntil(const DateTime& other) const {
    if (invalid) return 0;
    const double seconds = static_cast<double>(midnightOf(other) - midnightOf(*this));
    return static_cast<int64_t>(std::llround(seconds / 86400.0));
}

int64_t DateTime::secondsUntil(const DateTime& other) const {
    return invalid ? 0 : other.time - time;
}

int64_t DateTime::millisecondsUntil(const DateTime& other) const {
    if (invalid) return 0;
    return (other.time - time) * 1000 + other.millisecond - millisecond;
}

int DateTime::compare(const DateTime& other) const {
    if (invalid || time == other.time) return 0;
    return time < other.time ? -1 : 1;
}

bool DateTime::isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DateTime::lastDayOfMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int m = ((month - 1) % 12 + 12) % 12;
    return (m == 1 && isLeapYear(year)) ? 29 : kDays[m];
}

int DateTime::lastDayOfMonth() const {
    return lastDayOfMonth(year, month);
}

DateTime DateTime::easterSunday(int year) {
    if (year < 1500 || year > 2499) {
        DateTime value(1970, 1, 1);
        value.invalid = 1;
        return value;
    }
    const int index = year / 100 - 15;
    const int a = year % 19, b = year % 4, c = year % 7;
    const int d = (19 * a + kEasterM[index]) % 30;
    const int e = (2 * b + 4 * c + 6 * d + kEasterN[index]) % 7;
    const int h = d + e;
    if (h <= 9) return DateTime(year, 3, 22 + h);
    if (h == 35) return DateTime(year, 4, 19);
    if (h - 9 == 25 && d == 28 && e == 6 && a > 10) return DateTime(year, 4, 18);
    return DateTime(year, 4, h - 9);
}

bool DateTime::isHoliday() const {
    static constexpr int kFixed[][2] = {{1, 1},  {6, 1},  {25, 4}, {1, 5},   {2, 6},
                                        {15, 8}, {1, 11}, {8, 12}, {25, 12}, {26, 12}};
    for (const auto& holiday : kFixed)
        if (day == holiday[0] && month == holiday[1]) return true;
    DateTime easter = easterSunday(year);
    if (easter.invalid) return false;
    if (easter.day == day && easter.month == month) return true;
    easter.addSeconds(86400);
    return easter.day == day && easter.month == month;
}

bool operator<(const DateTime& left, const DateTime& right) {
    return !left.invalid && left.time < right.time;
}
bool operator>(const DateTime& left, const DateTime& right) {
    return !left.invalid && left.time > right.time;
}
bool operator<=(const DateTime& left, const DateTime& right) {
    return left.invalid || left.time <= right.time;
}
bool operator>=(const DateTime& left, const DateTime& right) {
    return left.invalid || left.time >= right.time;
}
bool operator==(const DateTime& left, const DateTime& right) {
    return left.invalid || left.time == right.time;
}
bool operator!=(const DateTime& left, const DateTime& right) {
    return !left.invalid && left.time != right.time;
}

}  // namespace nebulark
