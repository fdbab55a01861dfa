#include "tests/app/support/help_shown.h"

#include <QTextBlock>
#include <QTextDocument>

#include "shell/help_window.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {

void ExpectHelpShowsSection(TFoCv3Main& main, THelpContext context, const char* heading) {
    THelpWindow* help = main.HelpWindow();
    ASSERT_NE(help, nullptr) << heading;
    QTRY_VERIFY2(help->isVisible(), heading);
    EXPECT_EQ(help->source().fragment(), THelpWindow::AnchorOf(context)) << heading;
    const QString text = QString::fromLatin1(heading);
    QTextCursor found = help->document()->find(text, 0, QTextDocument::FindCaseSensitively);
    // The heading is the block of its own words; the words may come earlier in a text.
    while (!found.isNull() && found.block().text() != text)
        found = help->document()->find(text, found, QTextDocument::FindCaseSensitively);
    ASSERT_FALSE(found.isNull()) << heading;
    const auto inView = [&] { return help->viewport()->rect().contains(help->cursorRect(found).topLeft()); };
    QTRY_VERIFY2(inView(), heading);
}

}  // namespace cv::test
