#include "ui/cp1252.h"

#include <gtest/gtest.h>

namespace cv {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const QString text = Cp1252ToQString(all);
    ASSERT_EQ(text.size(), 256);
    bool complete = false;
    EXPECT_EQ(QStringToCp1252(text, &complete), all);
    EXPECT_TRUE(complete);
}

TEST(Cp1252, TheHighControlRangeIsNotLatin1) {
    // 0x80 is the euro sign U+20AC, 0x92 the right single quote U+2019, 0x9F Y with
    // diaeresis U+0178; 0xE9 is e acute as in Latin-1; 0x81 is undefined and kept as U+0081.
    const QString text = Cp1252ToQString("\x80\x92\x9F\xE9\x81");
    EXPECT_EQ(text, QString::fromUtf16(u"\u20AC\u2019\u0178\u00E9\u0081"));
    EXPECT_EQ(QStringToCp1252(QString::fromUtf16(u"Caf\u00E9 \u20AC")), "Caf\xE9 \x80");
    EXPECT_EQ(Cp1252ToQString(""), QString());
}

TEST(Cp1252, CharactersTheCodePageLacksBecomeQuestionMarks) {
    bool complete = true;
    // U+4E2D and U+0100 have no byte; U+1F600 is one character of two UTF-16 units.
    EXPECT_EQ(QStringToCp1252(QString::fromUtf16(u"a\u4E2Db\u0100c\U0001F600d"), &complete), "a?b?c?d");
    EXPECT_FALSE(complete);
    // A lone surrogate is no character either.
    QString lone = QStringLiteral("x");
    lone.append(QChar(0xD800));
    EXPECT_EQ(QStringToCp1252(lone, &complete), "x?");
    EXPECT_FALSE(complete);
    EXPECT_EQ(QStringToCp1252(QStringLiteral("plain")), "plain");
}

}  // namespace
}  // namespace cv
