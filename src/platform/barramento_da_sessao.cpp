#include "platform/barramento_da_sessao.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace plataforma {

namespace {

constexpr const char* kVariavel = "DBUS_SESSION_BUS_ADDRESS";

bool executavel(const std::string& caminho) { return access(caminho.c_str(), X_OK) == 0; }

}  // namespace

bool BarramentoDaSessaoPodeSerAchado() {
    const char* endereco = std::getenv(kVariavel);
    if (endereco && *endereco) return true;
    // A test build of libdbus runs another program than dbus-launch: not second-guessed.
    if (std::getenv("DBUS_USE_TEST_BINARY")) return true;
    if (const char* execucao = std::getenv("XDG_RUNTIME_DIR"); execucao && *execucao) {
        struct stat info {};
        if (lstat((std::string(execucao) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode))
            return true;
    }
    // libdbus runs dbus-launch from its own folder first, then by name along the PATH.
    if (executavel("/usr/bin/dbus-launch")) return true;
    // Without a PATH, the C library's own search path.
    const char* caminhos = std::getenv("PATH");
    const std::string resto = caminhos ? caminhos : "/bin:/usr/bin";
    for (size_t inicio = 0; inicio <= resto.size();) {
        const size_t fim = std::min(resto.find(':', inicio), resto.size());
        const std::string pasta = fim > inicio ? resto.substr(inicio, fim - inicio) : std::string(".");
        if (executavel(pasta + "/dbus-launch")) return true;
        inicio = fim + 1;
    }
    return false;
}

SemBuscaInutilDoBarramento::SemBuscaInutilDoBarramento() {
    if (BarramentoDaSessaoPodeSerAchado()) return;
    // Not a transport libdbus knows: it answers "no bus" without trying anything.
    m_ativo = setenv(kVariavel, "disabled:", 1) == 0;
}

SemBuscaInutilDoBarramento::~SemBuscaInutilDoBarramento() {
    if (m_ativo) unsetenv(kVariavel);
}

}  // namespace plataforma
