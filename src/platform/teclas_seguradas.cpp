#include "platform/teclas_seguradas.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
// The C header names a field "explicit", a C++ keyword.
#define explicit explicito
#include <xcb/xkb.h>
#undef explicit

namespace plataforma {

bool RepetirSoOAperto() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* conexao = x11 ? x11->connection() : nullptr;
    if (!conexao) return false;
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(conexao, &xcb_xkb_id);
    if (!xkb || !xkb->present) return false;
    // The server answers XKB requests only after this client said which version it speaks. Both
    // requests go at once and their answers are not waited for (two trips to the server, a few
    // milliseconds of the start-up): the server carries out a client's requests in order, so every
    // key event after these already comes repeated as presses alone.
    const xcb_xkb_use_extension_cookie_t uso =
        xcb_xkb_use_extension(conexao, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
    const uint32_t sinal = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    const xcb_xkb_per_client_flags_cookie_t pedido =
        xcb_xkb_per_client_flags(conexao, XCB_XKB_ID_USE_CORE_KBD, sinal, sinal, 0, 0, 0);
    xcb_discard_reply(conexao, uso.sequence);
    xcb_discard_reply(conexao, pedido.sequence);
    return xcb_flush(conexao) > 0;
}

}  // namespace plataforma
