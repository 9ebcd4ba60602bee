#pragma once

#include <cstdint>
#include <string>

namespace nebulark {

// A local date and time: broken-down fields, the epoch seconds beside them and
// a millisecond part taken from the toolkit's millisecond counter.
class DateTime {
public:
    // The current local time.
    DateTime();
    DateTime(int year, int month, int day);
    DateTime(int year, int month, int day, int hour, int minute, int second);

    static DateTime now();
    // The local time at the epoch seconds given, with the millisecond part of
    // the toolkit's counter, as now() gives it.
    static DateTime at(int64_t seconds);
    // Copies another value, then normalises it (which clears the milliseconds).
    void set(const DateTime& other);

    // Italian dd/mm/yyyy and American mm/dd/yyyy; years 1978 … 2099 only.
    bool parseDate(const std::string& text);
    bool parseDateUS(const std::string& text);
    // hh:mm:ss; the date part is kept.
    bool parseTime(const std::string& text);

    std::string formatDate() const;
    std::string formatDateUS() const;
    std::string formatDateIso() const;
    std::string formatTime() const;
    std::string monthNameIt() const;
    std::string monthNameEn() const;
    std::string weekdayNameIt() const;
    std::string weekdayNameEn() const;
    // One digit per day of the month: the weekday (0 = Sunday) of that day.
    std::string weekdayMap() const;

    void addYears(int n);
    void addMonths(int n);
    void addDays(int64_t n);
    void addHours(int64_t n);
    void addMinutes(int64_t n);
    void addSeconds(int64_t n);
    void addMilliseconds(int64_t n);

    int64_t daysUntil(const DateTime& other) const;
    int64_t secondsUntil(const DateTime& other) const;
    int64_t millisecondsUntil(const DateTime& other) const;
    int compare(const DateTime& other) const;

    static bool isLeapYear(int year);
    static int lastDayOfMonth(int year, int month);
    int lastDayOfMonth() const;
    // Easter Sunday by Gauss's method; an invalid value outside 1500 … 2499.
    static DateTime easterSunday(int year);
    bool isHoliday() const;

    int getYear() const { return year; }
    int getMonth() const { return month; }
    int getDay() const { return day; }
    int getHour() const { return hour; }
    int getMinute() const { return minute; }
    int getSecond() const { return second; }
    int getMillisecond() const { return millisecond; }
    int getWeekday() const { return weekday; }
    int64_t getTime() const { return time; }
    bool isInvalid() const { return invalid != 0; }

    static const char* const kMonthNamesIt[13];
    static const char* const kMonthNamesEn[13];
    static const char* const kWeekdayNamesIt[7];
    static const char* const kWeekdayNamesEn[7];

    int year = 1970;
    int month = 1;
    int weekday = 4;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int64_t time = 0;
    int invalid = 0;

private:
    bool normalise();
    void fillFromTime(int64_t seconds);
    bool parseDateFields(const std::string& text, int dayAt, int monthAt);
    void setDate(int y, int m, int d, int h, int mi, int s);
};

// An invalid value compares equal to every value.
bool operator<(const DateTime& left, const DateTime& right);
bool operator>(const DateTime& left, const DateTime& right);
bool operator<=(const DateTime& left, const DateTime& right);
bool operator>=(const DateTime& left, const DateTime& right);
bool operator==(const DateTime& left, const DateTime& right);
bool operator!=(const DateTime& left, const DateTime& right);

}  // namespace nebulark
