#include "platform/teclas_seguradas.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
// The C header names a field "explicit", a C++ keyword.
#define explicit explicito
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>

namespace plataforma {

bool RepetirSoOAperto() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* conexao = x11 ? x11->connection() : nullptr;
    if (!conexao) return false;
    const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(conexao, &xcb_xkb_id);
    if (!xkb || !xkb->present) return false;
    // The server answers XKB requests only after this client said which version it speaks.
    xcb_xkb_use_extension_reply_t* uso = xcb_xkb_use_extension_reply(
        conexao, xcb_xkb_use_extension(conexao, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool suportada = uso && uso->supported;
    std::free(uso);
    if (!suportada) return false;
    const uint32_t sinal = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t* r = xcb_xkb_per_client_flags_reply(
        conexao, xcb_xkb_per_client_flags(conexao, XCB_XKB_ID_USE_CORE_KBD, sinal, sinal, 0, 0, 0), nullptr);
    const bool feito = r && (r->value & sinal);
    std::free(r);
    return feito;
}

}  // namespace plataforma
