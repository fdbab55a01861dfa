#include "tests/ui/support/x_atom.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace cv::test {

xcb_atom_t XAtom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, length, name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace cv::test
