#include "platform/moldura_da_janela.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace plataforma {

namespace {
// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr uint32_t kComFuncoes = 1u << 0;
constexpr uint32_t kComDecoracoes = 1u << 1;
constexpr uint32_t kFuncaoMover = 1u << 2;
constexpr uint32_t kDecoracaoBorda = 1u << 1;
}  // namespace

bool PedirMolduraSemIcones(QWindow* janela) {
    if (!janela || !janela->handle() || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* conexao = x11 ? x11->connection() : nullptr;
    if (!conexao) return false;
    static const char kNome[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atomo = xcb_intern_atom_reply(
        conexao, xcb_intern_atom(conexao, 0, uint16_t(std::strlen(kNome)), kNome), nullptr);
    if (!atomo) return false;
    const uint32_t dicas[5] = {kComFuncoes | kComDecoracoes, kFuncaoMover, kDecoracaoBorda, 0, 0};
    xcb_change_property(conexao, XCB_PROP_MODE_REPLACE, xcb_window_t(janela->winId()), atomo->atom,
                        atomo->atom, 32, 5, dicas);
    std::free(atomo);
    xcb_flush(conexao);
    return true;
}

}  // namespace plataforma
