#include "common/text/timestamp.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(TimeStampTest, WritesBothForms) {
    struct Case {
        LocalTime time;
        const char* log;
        const char* file;
    };
    const Case cases[] = {
        {{2026, 1, 1, 12, 0, 0, 0}, "2026-01-01 12:00:00", "20260101120000"},
        {{2026, 12, 6, 8, 30, 5, 999}, "2026-12-06 08:30:05", "20261206083005"},
        {{2000, 1, 1, 0, 0, 0, 0}, "2000-01-01 00:00:00", "20000101000000"},
        {{1999, 12, 31, 23, 59, 59, 0}, "1999-12-31 23:59:59", "19991231235959"},
        {{987, 2, 3, 4, 5, 6, 0}, "0987-02-03 04:05:06", "09870203040506"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        EXPECT_EQ(LogTimeStamp(c.time), c.log);
        EXPECT_EQ(FileTimeStamp(c.time), c.file);
    }
}

}  // namespace
}  // namespace text
