#pragma once
// What the help window shows, as a person reads it.

#include "shell/main_window.h"
#include "ui/help_contexts.h"

namespace cv::test {

// Waits for Main's help window to show, then checks that it opened the help
// file at Context's anchor and that Heading, the section's heading, is in
// its view.
void ExpectHelpShowsSection(TFoCv3Main& main, THelpContext context, const char* heading);

}  // namespace cv::test
