#include "tests/ui/support/window_stack.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

#include "tests/ui/support/x_atom.h"

namespace cv::test {
namespace {

constexpr std::uint32_t kPersonsRequest = 2;  // the source of a request through a pager or task bar

xcb_connection_t* Connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_window_t Id(QWidget& window) { return static_cast<xcb_window_t>(window.windowHandle()->winId()); }

// Sends the window manager Request about Window, its first two words Data.
void AskWindowManager(QWidget& window, const char* request, std::array<std::uint32_t, 2> data) {
    xcb_connection_t* connection = Connection();
    if (!connection) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = Id(window);
    message.type = XAtom(connection, request);
    message.data.data32[0] = data[0];
    message.data.data32[1] = data[1];
    xcb_send_event(connection, 0, Root(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

using TPropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

// Window's property Name of type Type, up to 1024 words.
TPropertyReply Property(xcb_connection_t* connection, xcb_window_t window, const char* name, xcb_atom_t type) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, XAtom(connection, name), type, 0, 1024);
    return {xcb_get_property_reply(connection, cookie, nullptr), &std::free};
}

}  // namespace

bool StackedAbove(QWidget& upper, QWidget& lower) {
    xcb_connection_t* connection = Connection();
    if (!connection) return false;
    const TPropertyReply reply = Property(connection, Root(connection), "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    if (!reply) return false;
    // Bottom to top.
    const auto* first = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    const auto* last = first + xcb_get_property_value_length(reply.get()) / sizeof(xcb_window_t);
    const auto* upperAt = std::find(first, last, Id(upper));
    const auto* lowerAt = std::find(first, last, Id(lower));
    return upperAt != last && lowerAt != last && upperAt > lowerAt;
}

void ActivateThroughWindowManager(QWidget& window) {
    AskWindowManager(window, "_NET_ACTIVE_WINDOW", {kPersonsRequest, XCB_CURRENT_TIME});
}

void CloseThroughWindowManager(QWidget& window) {
    AskWindowManager(window, "_NET_CLOSE_WINDOW", {XCB_CURRENT_TIME, kPersonsRequest});
}

void MinimiseThroughWindowManager(QWidget& window) {
    AskWindowManager(window, "WM_CHANGE_STATE", {static_cast<std::uint32_t>(TWmState::Iconic), 0});
}

TWmState WindowManagerState(QWidget& window) {
    xcb_connection_t* connection = Connection();
    if (!connection) return TWmState::Withdrawn;
    const TPropertyReply reply = Property(connection, Id(window), "WM_STATE", XAtom(connection, "WM_STATE"));
    if (!reply || xcb_get_property_value_length(reply.get()) < static_cast<int>(sizeof(std::uint32_t)))
        return TWmState::Withdrawn;
    return static_cast<TWmState>(*static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())));
}

}  // namespace cv::test
