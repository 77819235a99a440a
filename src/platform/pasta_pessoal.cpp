#include "platform/pasta_pessoal.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace plataforma {

bool GarantirPastaPessoal() {
    const char* atual = std::getenv("HOME");
    if (atual && atual[0] == '/') return false;
    // getpwuid_r with a buffer of the size the system suggests (or a generous one).
    long sugerido = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(sugerido > 0 ? size_t(sugerido) : 16384);
    passwd registro{};
    passwd* resultado = nullptr;
    if (getpwuid_r(geteuid(), &registro, buffer.data(), buffer.size(), &resultado) != 0 || !resultado ||
        !resultado->pw_dir || resultado->pw_dir[0] != '/')
        return false;
    struct stat info {};
    if (stat(resultado->pw_dir, &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return setenv("HOME", resultado->pw_dir, 1) == 0;
}

}  // namespace plataforma
