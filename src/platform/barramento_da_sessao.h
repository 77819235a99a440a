// The desktop's session bus, when there is none to find.
//
// Qt's screen-reader bridge connects to the session bus as the first control changes state, and
// the application thread waits for it. With no bus address set and no bus socket in the user's
// runtime folder, libdbus falls back to X11 "autolaunch": it forks the whole process to run
// dbus-launch, and waits for it (5 to 15 ms here, the longer the more memory the process has).
// Where no dbus-launch is installed that fork can only fail. For that one case, and only while
// the bridge is set up, the bus address is given as one that fails at once; the environment is
// then as it was, for the programs the game starts.
#pragma once

namespace plataforma {

class SemBuscaInutilDoBarramento {
public:
    SemBuscaInutilDoBarramento();
    ~SemBuscaInutilDoBarramento();
    SemBuscaInutilDoBarramento(const SemBuscaInutilDoBarramento&) = delete;
    SemBuscaInutilDoBarramento& operator=(const SemBuscaInutilDoBarramento&) = delete;

    // Whether the search was found futile (and the address set for the moment).
    bool Ativo() const { return m_ativo; }

private:
    bool m_ativo = false;
};

// Whether libdbus could find or start a session bus: an address in the environment, the user's
// bus socket in XDG_RUNTIME_DIR, or a dbus-launch to run (in its own folder or on the PATH).
bool BarramentoDaSessaoPodeSerAchado();

}  // namespace plataforma
