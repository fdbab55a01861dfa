#pragma once
// An X atom by name, for tests that read or set window properties.

#include <xcb/xcb.h>

namespace cv::test {

// The atom Name on Connection; XCB_ATOM_NONE when the server does not answer.
xcb_atom_t XAtom(xcb_connection_t* connection, const char* name);

}  // namespace cv::test
