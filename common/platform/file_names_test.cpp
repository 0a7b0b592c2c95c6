#include "common/platform/file_names.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, DevicesAreTheReservedNamesAndTheDeviceNamespace) {
    struct Case {
        const char* path;
        bool device;
    };
    const Case cases[] = {
        {"CON", true},
        {"con", true},
        {"NUL", true},
        {"con.ini", true},
        {"NUL.txt", true},
        {"COM1", true},
        {"lpt1", true},
        {"Lpt9.tar.gz", true},
        {"PRN", true},
        {"aux", true},
        {"CONIN$", true},
        {"conout$", true},
        {"nul ", true},
        {"con .ini", true},
        {"COM1:", true},
        {"C:\\Kestrun\\CON", true},
        {"C:\\Kestrun\\con.ini", true},
        {"folder/nul.txt", true},
        {"\\\\.\\NUL", true},
        {"\\\\.\\pipe\\name", true},
        {"\\\\?\\GLOBALROOT\\Device\\Null", true},
        {"", false},
        {"settings.ini", false},
        {"CONSOLE", false},
        {"icon.ini", false},
        {"COM", false},
        {"COM10", false},
        {"LPTX", false},
        {"nul_x.ini", false},
        {"my nul.txt", false},
        {"C:\\CON\\settings.ini", false},
        {"\\\\.\\C:\\Kestrun\\settings.ini", false},
        {"\\\\?\\C:\\settings.ini", false},
        {"\\\\?\\UNC\\server\\share\\settings.ini", false},
        {"中文.ini", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(platform::IsDeviceName(c.path), c.device);
    }
}

TEST(FileNames, TemporaryFilesAreTheTargetWithTheProcessNumber) {
    EXPECT_EQ(platform::TemporaryPathFor("C:\\Kestrun\\lastplan.ini", 1234), "C:\\Kestrun\\lastplan.ini.~1234.tmp");
    struct Case {
        const char* name;
        std::optional<uint32_t> owner;
    };
    const Case cases[] = {
        {"lastplan.ini.~3.tmp", 3u},
        {"lastplan.ini.~12.tmp", 12u},
        {"LASTPLAN.INI.~12.TMP", 12u},
        {"lastplan.ini.~0.tmp", 0u},
        {"lastplan.ini.~4294967295.tmp", 4294967295u},
        {"lastplan.ini.~x.tmp", std::nullopt},
        {"lastplan.ini.~12.tmpx", std::nullopt},
        {"lastplan.ini.~3.tmp.bak", std::nullopt},
        {"other.ini.~3.tmp", std::nullopt},
        {"xlastplan.ini.~3.tmp", std::nullopt},
        {"lastplan.ini", std::nullopt},
        {"lastplan.ini.~.tmp", std::nullopt},
        {"lastplan.ini.~-3.tmp", std::nullopt},
        {"lastplan.ini.~+3.tmp", std::nullopt},
        {"lastplan.ini.~03.tmp", std::nullopt},
        {"lastplan.ini.~3 .tmp", std::nullopt},
        {"lastplan.ini.~4294967296.tmp", std::nullopt},
        {"lastplan.ini.~12345678901.tmp", std::nullopt},
        {"lastplan.ini~3.tmp", std::nullopt},
        {"lastplan.ini.~3.~4.tmp", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::TemporaryFileOwner("lastplan.ini", c.name), c.owner);
    }
    EXPECT_EQ(platform::TemporaryFileOwner("操作信息.csv", "操作信息.csv.~8.tmp"), std::optional<uint32_t>(8));
}

}  // namespace
