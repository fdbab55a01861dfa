#pragma once
// Small assertion helpers shared by the tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace cv::test {

inline bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Success when Actual is within Relative of Expected, or within Relative of 0
// for an Expected below 1 in magnitude.
inline ::testing::AssertionResult Close(long double actual, long double expected, long double relative = 1e-9L) {
    const long double tolerance = relative * std::max(1.0L, std::fabs(expected));
    if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}

// The message of the exception that Action throws as Error, or "" when it throws nothing.
template <class Error, class Action>
std::string ErrorText(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return {};
}

}  // namespace cv::test
