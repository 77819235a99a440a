// The font list read on a second thread while the start-up goes on.
//
// The first text a Qt program measures or draws makes it read the whole system font list
// (fontconfig's configuration and caches, then every face registered with Qt): a large part of
// the game's work before its first frame, and none of it needs the window. Qt's font database is
// thread-safe and shared by every thread, so reading it here while the application thread decodes
// pictures and builds controls takes it off the path to the first frame; whichever thread needs a
// font first waits on Qt's own lock until the list is complete.
#pragma once

#include <thread>

namespace plataforma {

class FontesEmSegundoPlano {
public:
    // Needs the application object (the platform's font database comes with it).
    FontesEmSegundoPlano();
    // Waits for the reading to end: it must not outlive the application object.
    ~FontesEmSegundoPlano();
    FontesEmSegundoPlano(const FontesEmSegundoPlano&) = delete;
    FontesEmSegundoPlano& operator=(const FontesEmSegundoPlano&) = delete;

private:
    std::thread m_leitura;
};

}  // namespace plataforma
