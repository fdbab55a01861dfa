#pragma once
// Small assertion helpers shared by the tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace cv::test {

inline bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// Success when Actual is within Relative of Expected, or within Relative of 0 for an Expected below 1 in magnitude.
inline ::testing::AssertionResult Close(long double actual, long double expected, long double relative = 1e-9L) {
    const long double tolerance = relative * std::max(1.0L, std::fabs(expected));
    if (std::fabs(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}

// Success when each pair (actual, expected) holds equal values; the failure names
// the pairs that differ by their place in the list, from 0.
template <class T>
::testing::AssertionResult AllEqual(std::initializer_list<std::pair<T, T>> pairs) {
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    bool same = true;
    int place = 0;
    for (const auto& [actual, expected] : pairs) {
        if (!(actual == expected)) {
            same = false;
            failure << "pair " << place << ": " << ::testing::PrintToString(actual) << " is not "
                    << ::testing::PrintToString(expected) << "; ";
        }
        ++place;
    }
    return same ? ::testing::AssertionSuccess() : failure;
}

// Success when Read(key) is Close to the value paired with it, for each (key, expected) pair of a table;
// the failure names every key whose value differs and the value read.
template <class Key, class Read>
::testing::AssertionResult AllClose(Read read, std::initializer_list<std::pair<Key, long double>> expected) {
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    bool same = true;
    for (const auto& [key, value] : expected) {
        if (!Close(read(key), value)) {
            same = false;
            failure << "key " << +key << ": " << read(key) << " is not " << value << "; ";
        }
    }
    return same ? ::testing::AssertionSuccess() : failure;
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
