#pragma once

#include <functional>

namespace plataforma {

// Calls `aoPedir` on the interface thread when the process is asked to end by SIGTERM (a logout,
// `kill`), SIGHUP (its terminal closed) or SIGINT (Ctrl+C in a terminal), instead of dying on
// the spot: the game then ends the way its own exit does and tidies up after itself. The signal
// handler only writes a byte to a pipe; everything else runs from the event loop. Needs the
// application object; a second call replaces the action.
void AoPedirTermino(std::function<void()> aoPedir);

}  // namespace plataforma
