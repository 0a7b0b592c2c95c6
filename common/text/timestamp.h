// The two time-stamp forms: "yyyy-MM-dd HH:mm:ss" in the run log and
// "yyyyMMddHHmmss" in generated file names (local time, 24-hour clock).
#pragma once

#include <string>

namespace text {

struct LocalTime {
    int year = 2000;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
    int millisecond = 0;
};

std::string LogTimeStamp(const LocalTime& t);   // 2026-01-01 12:00:00
std::string FileTimeStamp(const LocalTime& t);  // 20260101120000

}  // namespace text
