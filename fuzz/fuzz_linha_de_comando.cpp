// Fuzz target: the command-line token. Two inputs in one: a raw command line through the test
// seam (anything at all: never a crash, the token is a piece of the line), and an argument list
// rebuilt as a shell would pass it, whose token must be the arguments themselves, trimmed and
// without enclosing quotes. The installer modes are then asked, with no window: only the exact
// tokens may claim the run.
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "installer/instalador.h"
#include "installer/linha_de_comando.h"
#include "platform/texto.h"

namespace {

void verificarModos(const QString& token) {
    const QString t = plataforma::Aparar(token).toUpper();
    const bool ehToken = t == QLatin1String("<INSTALAR>") || t == QLatin1String("<ICONES>") ||
                         t == QLatin1String("<DESINSTALAR>");
    const bool modo = instalacao::ModoDaLinhaDeComando() != instalacao::ModoDoPrograma::Jogo;
    if (modo != ehToken) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho < 1) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(dados) + 1, qsizetype(tamanho - 1));
    const QString texto = QString::fromUtf8(bytes);

    if (dados[0] & 1) {
        // A raw line, any argument count.
        const int contagem = int(dados[0] >> 1) - 8;
        if (texto.isEmpty() && contagem == 0) return 0;  // the seam's "back to the real command line"
        instalacao::DefinirLinhaDeComandoParaTeste(texto, contagem);
        const QString token = uRotinasGerais::ParametroDaLinhaDeComando();
        if (contagem <= 0 && !token.isEmpty()) std::abort();
        if (token.size() > texto.size()) std::abort();
        if (!token.isEmpty() && !texto.contains(token)) std::abort();
        verificarModos(token);
    } else {
        // argv split at NUL bytes: the program path first, then the arguments.
        QStringList argv;
        for (const QByteArray& parte : bytes.split('\0')) argv << QString::fromUtf8(parte);
        const QString linha = instalacao::LinhaDeComandoReconstruida(argv);
        instalacao::DefinirLinhaDeComandoParaTeste(linha, int(argv.size()) - 1);
        const QString token = uRotinasGerais::ParametroDaLinhaDeComando();
        QString esperado = plataforma::Aparar(QStringList(argv.mid(1)).join(QLatin1Char(' ')));
        while (esperado.startsWith(QLatin1Char('"'))) esperado.remove(0, 1);
        while (esperado.endsWith(QLatin1Char('"'))) esperado.chop(1);
        // With only blank arguments there is no token to find; whatever comes back must not
        // start an installer mode unless the program's own name is a token.
        if (!plataforma::Aparar(argv.mid(1).join(QLatin1Char(' '))).isEmpty() && token != esperado)
            std::abort();
        verificarModos(token);
    }
    instalacao::DefinirLinhaDeComandoParaTeste(QString(), 0);
    return 0;
}
