// What a window asks of the window manager's frame around it, beyond what Qt's window flags say.
#pragma once

class QWindow;

namespace plataforma {

// Asks for a frame that is a border alone, without title bar, window menu, minimise, maximise or
// close box, and for a window the manager may move but not close, minimise, maximise or resize
// (Motif hints, which most X11 window managers honour). To take effect at once it must come
// before the window is mapped. True when asked: X11 only, for a window that exists on the server.
bool PedirMolduraSemIcones(QWindow* janela);

}  // namespace plataforma
