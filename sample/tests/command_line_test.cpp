// The main program's command line: the registration switches of the setup program and nothing else.
#include "main_program/command_line.h"

#include <gtest/gtest.h>

namespace {

using action = sample::main_command::action;

TEST(MainCommand, ReadsTheRegistrationSwitches) {
    const auto plain = sample::parse_main_command(L" /Register /Background");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->what, action::register_background);
    EXPECT_FALSE(plain->previousVersion);

    const auto update = sample::parse_main_command(L" /Register /Background /update=0007000800110003");
    ASSERT_TRUE(update);
    EXPECT_EQ(update->previousVersion, 0x0007000800110003ull);
}

TEST(MainCommand, OpensTheWindowWithOrWithoutADocument) {
    const auto none = sample::parse_main_command(L"");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->what, action::show_window);
    const auto document = sample::parse_main_command(L"\"C:\\My Documents\\Chair.lgnk\"");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->document, L"C:\\My Documents\\Chair.lgnk");
}

TEST(MainCommand, RefusesEverythingElse) {
    for (const wchar_t* text :
         {L"/Register", L"/Background /Register", L"/Register /Background /update=7.8",
          L"/Register /Background /update=000700080011000", L"/Register /Background /update=00070008001100zz",
          L"/Register /Background /update=0007000800110003 x", L"/Unknown", L"\"unclosed", L"a b"})
        EXPECT_FALSE(sample::parse_main_command(text)) << text;
}

}  // namespace
