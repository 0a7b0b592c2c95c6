// The run log and file-name time stamps.

#include "common/text/timestamp.h"

#include <cstdio>

namespace text {

std::string LogTimeStamp(const LocalTime& t) {
    // Room for any int in every field, so an odd value is written whole
    // rather than cut.
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

std::string FileTimeStamp(const LocalTime& t) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

}  // namespace text
