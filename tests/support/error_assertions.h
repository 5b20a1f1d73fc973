// Assertions that an operation answering a std::error_code worked; a failure shows the Windows error
// number and its text, so that a broken case says why rather than "true vs false".
#pragma once

#include <gtest/gtest.h>

#include <system_error>

namespace test_support {

[[nodiscard]] inline ::testing::AssertionResult succeeded(const char* expression, const std::error_code& error) {
    if (!error) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << expression << " failed with error " << error.value() << ": "
                                         << error.message();
}

}  // namespace test_support

// ASSERT_OK(files.delete_file(path)): the operation answered a zero code.
#define ASSERT_OK(expression) ASSERT_PRED_FORMAT1(::test_support::succeeded, expression)
#define EXPECT_OK(expression) EXPECT_PRED_FORMAT1(::test_support::succeeded, expression)
