// Fuzz target: the installer's records. Whatever text stands where the uninstaller reads a
// record, either it is not believed or every path it names is one the uninstaller may touch:
// absolute (relative and plain inside an installation folder), in its one plain spelling (no
// ".", "..", doubled or final slash, no NUL), never the root; and the record believed describes
// the uninstaller copy it lies beside. The first byte picks the record: the uninstaller copy's or
// the installation folder's.
#include <QCoreApplication>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "installer/instalador.h"

namespace {

const QString kDesinstalador = QStringLiteral("/nao-existe/trevolino-fuzz/bin/trevolino_Desinstalar");
const QString kPasta = QStringLiteral("/nao-existe/trevolino-fuzz/opt/Trevolino");

void falhar(const char* porque, const QString& detalhe) {
    std::fprintf(stderr, "fuzz_registro: %s %s\n", porque, qPrintable(detalhe));
    std::abort();
}

bool Simples(const QString& relativo) {
    if (relativo.isEmpty() || relativo.contains(QChar(0))) return false;
    for (const QString& parte : relativo.split(QLatin1Char('/')))
        if (parte.isEmpty() || parte == QLatin1String(".") || parte == QLatin1String("..")) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    if (tamanho == 0) return 0;
    const QByteArray texto(reinterpret_cast<const char*>(dados) + 1, qsizetype(tamanho - 1));
    if (dados[0] & 1) {
        const auto caminhos = instalacao::ArquivosDoRegistroDaPasta(texto, kPasta);
        if (caminhos)
            for (const QString& c : *caminhos)
                if (!Simples(c)) falhar("a folder record names", c);
    } else {
        const auto caminhos = instalacao::CaminhosDoRegistro(texto, kDesinstalador);
        if (caminhos)
            for (const QString& c : *caminhos)
                if (!c.startsWith(QLatin1Char('/')) || !Simples(c.mid(1))) falhar("a record names", c);
        // The same text beside another copy is not believed.
        if (caminhos && instalacao::CaminhosDoRegistro(texto, kDesinstalador + QStringLiteral("2")))
            falhar("a record believed beside another copy", kDesinstalador);
    }
    return 0;
}
