#include "platform/fontes_em_segundo_plano.h"

#include <QFontDatabase>
#include <QStringList>
#include <system_error>

namespace plataforma {

FontesEmSegundoPlano::FontesEmSegundoPlano() {
    try {
        m_leitura = std::thread([] { QFontDatabase::families(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first text read the list on the application thread, as always.
    }
}

FontesEmSegundoPlano::~FontesEmSegundoPlano() {
    if (m_leitura.joinable()) m_leitura.join();
}

}  // namespace plataforma
