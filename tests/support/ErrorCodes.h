#pragma once
#include <gtest/gtest.h>

#include <system_error>

namespace kiro::test {

// ASSERT_TRUE(test::Ok(store.SaveMonth(...))): a write that must have worked, with its error
// message when it did not.
inline ::testing::AssertionResult Ok(const std::error_code& error) {
    if (!error) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << error.message();
}

}  // namespace kiro::test
