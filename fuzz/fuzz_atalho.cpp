// Fuzz target: the launcher writer. Any target, arguments, working folder, launcher name and
// group name give either no launcher at all or a well-formed Desktop Entry, in the folder the
// names point at and nowhere else, that a reader of the format reads back to exactly what was
// asked: the same program and arguments, the same name and the same working folder.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/arquivos.h"
#include "platform/arquivos_detalhe.h"
#include "leitor_desktop.h"

namespace {

QTemporaryDir* gRaiz = nullptr;

void falhar(const char* porque, const QString& detalhe = QString()) {
    std::fprintf(stderr, "fuzz_atalho: %s %s\n", porque, qPrintable(detalhe));
    std::abort();
}

QStringList arquivosSob(const QString& pasta) {
    QStringList r;
    QDirIterator it(pasta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isDir() || it.fileInfo().isSymLink()) r << it.filePath();
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    gRaiz = new QTemporaryDir(QDir::tempPath() + "/trevolino-fuzz-XXXXXX");
    const QString home = gRaiz->path() + "/home";
    QDir().mkpath(home + "/Desktop");
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_DESKTOP_DIR", (home + "/Desktop").toUtf8());
    qputenv("PATH", "");  // no "gio": marking desktop launchers trusted would spawn a process per run
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    using namespace uRotinasGerais;
    if (tamanho < 1) return 0;
    const unsigned char lugar = dados[0] & 1;
    QList<QByteArray> partes =
        QByteArray(reinterpret_cast<const char*>(dados) + 1, qsizetype(tamanho - 1)).split('\0');
    while (partes.size() < 5) partes << QByteArray();
    const QString alvo = QString::fromUtf8(partes[0]);
    const QString argumentos = QString::fromUtf8(partes[1]);
    const QString pastaDeTrabalho = QString::fromUtf8(partes[2]);
    const QString nome = QString::fromUtf8(partes[3]);
    const QString grupo = QString::fromUtf8(partes[4]);

    const QString home = gRaiz->path() + "/home";
    QDir(home + "/.local").removeRecursively();
    for (const QString& f :
         QDir(home + "/Desktop").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        QFile::remove(home + "/Desktop/" + f);

    CriarAtalho(alvo, argumentos, pastaDeTrabalho, nome, grupo, lugar);

    const QStringList feitos = arquivosSob(gRaiz->path());
    const QString nomeSeguro = plataforma::NomeSeguro(nome);
    const QString grupoSeguro = plataforma::NomeSeguro(grupo);
    const QString esperado =
        lugar == 0 ? home + "/Desktop/" + nomeSeguro + ".desktop"
                   : home + "/.local/share/applications/" + grupoSeguro + "/" + nomeSeguro + ".desktop";
    if (feitos.size() > 1) falhar("more than one file made:", feitos.join(" | "));
    // A program path, arguments or folder with a control character (other than the escaped tab
    // and line breaks) cannot be written as a valid Exec or Path: no launcher at all.
    const auto controle = [](const QString& t) {
        for (QChar c : t)
            if ((c.unicode() < 32 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
                 c != QLatin1Char('\r')) ||
                c.unicode() == 127)
                return true;
        return false;
    };
    if (controle(alvo) || controle(argumentos) || controle(pastaDeTrabalho)) {
        if (!feitos.isEmpty()) falhar("a launcher for an unwritable Exec or Path:", feitos.first());
        return 0;
    }
    if (feitos.isEmpty()) {
        // Refused only for a name that cannot be a file name.
        const bool semNome = nomeSeguro.isEmpty() || (lugar == 1 && grupoSeguro.isEmpty());
        const bool longoDemais = QFile::encodeName(nomeSeguro).size() + 8 > 255 ||
                                 (lugar == 1 && QFile::encodeName(grupoSeguro).size() > 255);
        if (!semNome && !longoDemais) falhar("no launcher for", nome);
        return 0;
    }
    if (feitos.first() != esperado) falhar("launcher in the wrong place:", feitos.first());

    QFile f(esperado);
    if (!f.open(QIODevice::ReadOnly)) falhar("unreadable launcher");
    const QByteArray conteudo = f.readAll();
    const auto entrada = leitor_desktop::Ler(conteudo);
    if (!entrada) falhar("malformed launcher:", QString::fromUtf8(conteudo));
    const auto& k = entrada->chaves;
    if (k.value("Type") != "Application") falhar("Type");
    // Our two menu entries are named in English, with the name given kept for Portuguese.
    if (k.value("Name[pt_BR]", k.value("Name")) != nome.trimmed()) falhar("Name:", k.value("Name"));
    if (k.value("Path") != pastaDeTrabalho.trimmed()) falhar("Path:", k.value("Path"));
    const auto exec = leitor_desktop::DividirExec(k.value("Exec"));
    if (!exec) falhar("Exec unreadable:", k.value("Exec"));
    const QStringList pedido = QStringList{alvo.trimmed()} + QProcess::splitCommand(argumentos);
    if (*exec != pedido) falhar("Exec differs:", exec->join(" | ") + " <> " + pedido.join(" | "));
    return 0;
}
