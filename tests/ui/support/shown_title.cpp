#include "tests/ui/support/shown_title.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QWidget>
#include <xcb/xcb.h>

#include "tests/ui/support/x_atom.h"

#include <cstdlib>
#include <memory>

namespace cv::test {

QString ShownTitle(QWidget& window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return {};
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, id, XAtom(connection, "_NET_WM_NAME"), XAtom(connection, "UTF8_STRING"), 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

}  // namespace cv::test
