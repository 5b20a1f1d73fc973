// The Windows error category is the same idea on both builds: a code compares by its number.
#include "os/win_error.h"

#include <gtest/gtest.h>

TEST(WinError, CodesOfTheWindowsCategoryCompareByNumber) {
    EXPECT_EQ(os::win_error(5), os::win_error(os::errc::access_denied));
    EXPECT_NE(os::win_error(5), os::win_error(32));
    EXPECT_EQ(os::win_error(32).value(), 32);
    EXPECT_FALSE(os::win_error(0));
}

TEST(WinError, HresultFromWin32KeepsZeroAndNegativeValues) {
    EXPECT_EQ(os::hr::from_win32(0), 0);
    EXPECT_EQ(static_cast<std::uint32_t>(os::hr::from_win32(5)), 0x80070005u);
    EXPECT_EQ(static_cast<std::uint32_t>(os::hr::from_win32(0x1234ABCDu)), 0x8007ABCDu);
    EXPECT_EQ(os::hr::from_win32(0x80004005u), os::hr::e_fail);
}
