#pragma once
// QTest's QTRY_* macros report to QTest's own runner, which these GoogleTest
// programs do not use: a wait that times out would only return, and the test
// would pass. Here they wait the same way and fail the running test instead.

#include <QTest>
#include <gtest/gtest.h>

#undef QTRY_VERIFY
#undef QTRY_VERIFY2
#undef QTRY_COMPARE
#undef QTRY_COMPARE_WITH_TIMEOUT

#define QTRY_VERIFY(expr) ASSERT_TRUE(QTest::qWaitFor([&]() { return static_cast<bool>(expr); })) << #expr
#define QTRY_VERIFY2(expr, message) \
    ASSERT_TRUE(QTest::qWaitFor([&]() { return static_cast<bool>(expr); })) << #expr << ": " << (message)
#define QTRY_COMPARE(actual, expected) \
    ASSERT_TRUE(QTest::qWaitFor([&]() { return (actual) == (expected); })) << #actual << " != " << #expected
#define QTRY_COMPARE_WITH_TIMEOUT(actual, expected, timeout)                                          \
    ASSERT_TRUE(QTest::qWaitFor([&]() { return (actual) == (expected); }, (timeout))) \
        << #actual << " != " << #expected
