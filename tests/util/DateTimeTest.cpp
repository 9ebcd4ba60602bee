#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "util/DateTime.h"
#include "util/MillisecondCounter.h"

using namespace nebulark;

namespace {

// Calendar arithmetic must not depend on the machine's zone; Rome has the
// daylight-saving changes the program was written for.
class DateTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Europe/Rome", 1);
        tzset();
    }
};

void ExpectDate(const DateTime& value, int year, int month, int day) {
    EXPECT_FALSE(value.isInvalid());
    EXPECT_EQ(value.getYear(), year);
    EXPECT_EQ(value.getMonth(), month);
    EXPECT_EQ(value.getDay(), day);
}

}  // namespace

TEST_F(DateTimeTest, ParsesTheThreeFormsAndRollsOverfullDays) {
    DateTime value(2000, 1, 1);
    EXPECT_TRUE(value.parseDate("31/12/2099"));
    ExpectDate(value, 2099, 12, 31);
    EXPECT_TRUE(value.parseDate("31/02/2024"));
    ExpectDate(value, 2024, 3, 2);
    EXPECT_TRUE(value.parseDateUS("12/25/1999"));
    ExpectDate(value, 1999, 12, 25);
    EXPECT_EQ(value.formatDate(), "25/12/1999");
    EXPECT_EQ(value.formatDateUS(), "12/25/1999");
    EXPECT_EQ(value.formatDateIso(), "1999-12-25");
    EXPECT_TRUE(value.parseTime("07:08:09"));
    EXPECT_EQ(value.formatTime(), "07:08:09");
    ExpectDate(value, 1999, 12, 25);
}

TEST_F(DateTimeTest, MalformedTextsMarkTheValueInvalidAndKeepItsFields) {
    const char* badDates[] = {"01/01/2100", "31/12/1977", "1/1/2000",   "",
                              "aa/bb/cccc", "01/13/2000", "00/01/2000", "32/01/2000",
                              "-1/01/2000", "01/01/20x0", "01/01/2000 "};
    for (const char* text : badDates) {
        DateTime value(2010, 6, 15);
        EXPECT_FALSE(value.parseDate(text)) << text;
        EXPECT_TRUE(value.isInvalid()) << text;
        EXPECT_EQ(value.formatDate(), "15/06/2010") << text;
    }
    const char* badTimes[] = {"7:08:09", "24:00:00", "12:60:00", "12:00:61", "ab:cd:ef", ""};
    for (const char* text : badTimes) {
        DateTime value(2010, 6, 15, 1, 2, 3);
        EXPECT_FALSE(value.parseTime(text)) << text;
        EXPECT_TRUE(value.isInvalid()) << text;
        EXPECT_EQ(value.formatTime(), "01:02:03") << text;
    }
}

TEST_F(DateTimeTest, InvalidValuesAreLeftAloneAndCompareEqual) {
    DateTime value(2010, 6, 15);
    value.parseDate("garbage");
    const std::string before = value.formatDate() + value.formatTime();
    value.addDays(3);
    value.addMonths(5);
    value.addYears(1);
    value.addMilliseconds(2500);
    EXPECT_EQ(value.formatDate() + value.formatTime(), before);
    const DateTime other(2030, 1, 1);
    EXPECT_EQ(value.daysUntil(other), 0);
    EXPECT_EQ(value.secondsUntil(other), 0);
    EXPECT_EQ(value.millisecondsUntil(other), 0);
    EXPECT_EQ(value.compare(other), 0);
    EXPECT_TRUE(value == other);
    EXPECT_TRUE(value <= other && value >= other);
    EXPECT_FALSE(value < other || value > other || value != other);
}

TEST_F(DateTimeTest, MonthArithmeticCarriesAndClamps) {
    DateTime value(2024, 1, 15);
    value.addMonths(-2);
    ExpectDate(value, 2023, 11, 15);
    DateTime endOfJanuary(2024, 1, 31);
    endOfJanuary.addMonths(1);
    ExpectDate(endOfJanuary, 2024, 2, 29);
    DateTime december(2023, 12, 10);
    december.addMonths(1);
    ExpectDate(december, 2024, 1, 10);
    DateTime march(2024, 3, 31);
    march.addMonths(-25);
    ExpectDate(march, 2022, 2, 28);
    DateTime leap(2024, 2, 29);
    leap.addYears(1);
    ExpectDate(leap, 2025, 3, 1);
}

TEST_F(DateTimeTest, DurationsAcrossDaylightSavingAndMilliseconds) {
    const DateTime before(2024, 3, 30, 12, 0, 0);
    const DateTime after(2024, 3, 31, 12, 0, 0);  // the clocks went forward that night
    EXPECT_EQ(before.daysUntil(after), 1);
    EXPECT_EQ(before.secondsUntil(after), 23 * 3600);
    EXPECT_EQ(before.compare(after), -1);
    EXPECT_EQ(after.compare(before), 1);

    DateTime start(2024, 5, 1, 10, 0, 0);
    DateTime end = start;
    end.addSeconds(1);
    start.millisecond = 700;
    end.millisecond = 200;
    EXPECT_EQ(start.millisecondsUntil(end), 500);

    DateTime stepped(2024, 5, 1, 10, 0, 0);
    stepped.addMilliseconds(2500);
    EXPECT_EQ(stepped.formatTime(), "10:00:02");
    EXPECT_EQ(stepped.getMillisecond(), 500);
    stepped.addMilliseconds(-600);
    EXPECT_EQ(stepped.formatTime(), "10:00:01");
    EXPECT_EQ(stepped.getMillisecond(), 900);
    stepped.addDays(-1);
    EXPECT_EQ(stepped.formatDate(), "30/04/2024");
}

TEST_F(DateTimeTest, EasterAndHolidays) {
    ExpectDate(DateTime::easterSunday(2024), 2024, 3, 31);
    ExpectDate(DateTime::easterSunday(2025), 2025, 4, 20);
    ExpectDate(DateTime::easterSunday(1981), 1981, 4, 19);
    ExpectDate(DateTime::easterSunday(1954), 1954, 4, 18);
    ExpectDate(DateTime::easterSunday(2008), 2008, 3, 23);
    EXPECT_TRUE(DateTime::easterSunday(1499).isInvalid());
    EXPECT_TRUE(DateTime::easterSunday(2500).isInvalid());
    EXPECT_TRUE(DateTime(2024, 4, 1).isHoliday());
    EXPECT_FALSE(DateTime(2024, 4, 2).isHoliday());
    EXPECT_TRUE(DateTime(2024, 12, 26).isHoliday());
    EXPECT_FALSE(DateTime(2024, 4, 7).isHoliday());  // a plain Sunday
}

TEST_F(DateTimeTest, CalendarTablesAndWeekdayMap) {
    const DateTime february(2024, 2, 17);
    EXPECT_EQ(february.weekdayMap().size(), 29u);
    EXPECT_EQ(february.weekdayMap().substr(0, 8), "45601234");
    EXPECT_EQ(DateTime(2023, 2, 1).weekdayMap().size(), 28u);
    EXPECT_TRUE(DateTime::isLeapYear(2000));
    EXPECT_FALSE(DateTime::isLeapYear(1900));
    EXPECT_EQ(DateTime::lastDayOfMonth(2023, 12), 31);
    EXPECT_EQ(DateTime(2024, 1, 2).weekdayNameEn(), "Tuesday ");
    EXPECT_EQ(DateTime(2024, 1, 1).weekdayNameIt(), "Luned\xEC");
    EXPECT_EQ(DateTime(2024, 8, 1).monthNameIt(), "AGOSTO");
    EXPECT_EQ(DateTime(2024, 8, 1).monthNameEn(), "AUGUST");
}

TEST_F(DateTimeTest, NowTakesTheToolkitMillisecondCounter) {
    MillisecondCounter::Set(990);
    MillisecondCounter::Advance();
    EXPECT_EQ(MillisecondCounter::Value(), 0);
    MillisecondCounter::Set(370);
    const DateTime stamp = DateTime::now();
    EXPECT_EQ(stamp.getMillisecond(), 370);
    EXPECT_FALSE(stamp.isInvalid());
    EXPECT_LE(std::llabs(stamp.getTime() - static_cast<long long>(std::time(nullptr))), 2);
}
