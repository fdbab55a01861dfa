#include "tests/ui/support/screen_panel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <xcb/xcb.h>

#include "tests/ui/support/x_atom.h"

namespace cv::test {
namespace {

xcb_connection_t* Connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

void SetProperty(xcb_connection_t* connection, std::uint32_t window, const char* name, xcb_atom_t type,
                 const std::uint32_t* values, std::uint32_t count) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XAtom(connection, name), type, 32, count, values);
}

}  // namespace

TScreenPanel::TScreenPanel(int width) {
    xcb_connection_t* connection = Connection();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!connection || !screen) return;
    const QRect area = screen->geometry();
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    window_ = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window_, root->root, static_cast<std::int16_t>(area.right() + 1 - width),
                      0, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(area.height()), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, root->root_visual, 0, nullptr);
    const xcb_atom_t dock = XAtom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    SetProperty(connection, window_, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, &dock, 1);
    // The strip reserved on each side (left, right, top, bottom), then where
    // each side's strip starts and ends along it.
    const auto height = static_cast<std::uint32_t>(area.height());
    const std::array<std::uint32_t, 12> strut{0, static_cast<std::uint32_t>(width), 0, 0, 0, 0, 0, height - 1,
                                              0, 0, 0, 0};
    SetProperty(connection, window_, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL, strut.data(), 12);
    SetProperty(connection, window_, "_NET_WM_STRUT", XCB_ATOM_CARDINAL, strut.data(), 4);
    xcb_map_window(connection, window_);
    xcb_flush(connection);
}

TScreenPanel::~TScreenPanel() {
    xcb_connection_t* connection = Connection();
    if (!connection || !window_) return;
    xcb_destroy_window(connection, window_);
    xcb_flush(connection);
}

}  // namespace cv::test
