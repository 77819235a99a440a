// The executable's version, read back from the version block it carries (an ELF section).
#include <QCoreApplication>
#include <QFile>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/versao.h"
#include "platform/versao_bloco.h"

namespace plataforma {
namespace {

const QString kPadrao = QString::fromUtf8("Padrão");

template <typename T>
bool ler(QFile& f, qint64 onde, T& valor) {
    return f.seek(onde) && f.read(reinterpret_cast<char*>(&valor), sizeof(T)) == qint64(sizeof(T));
}

// Finds the named section of a little-endian ELF file (32 or 64 bit); its offset and size.
bool acharSecao(QFile& f, const char* nome, quint64& deslocamento, quint64& tamanho) {
    unsigned char ident[16];
    if (!f.seek(0) || f.read(reinterpret_cast<char*>(ident), 16) != 16) return false;
    if (std::memcmp(ident,
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        ident[5] != 1 /* little endian */)
        return false;
    const bool elf64 = ident[4] == 2;
    if (!elf64 && ident[4] != 1) return false;

    quint64 shoff = 0;
    quint16 shentsize = 0, shnum = 0, shstrndx = 0;
    if (elf64) {
        if (!ler(f, 0x28, shoff) || !ler(f, 0x3A, shentsize) || !ler(f, 0x3C, shnum) ||
            !ler(f, 0x3E, shstrndx))
            return false;
    } else {
        quint32 off32 = 0;
        if (!ler(f, 0x20, off32) || !ler(f, 0x2E, shentsize) || !ler(f, 0x30, shnum) ||
            !ler(f, 0x32, shstrndx))
            return false;
        shoff = off32;
    }
    const quint16 minimo = elf64 ? 64 : 40;
    if (shentsize < minimo || shnum == 0 || shstrndx >= shnum || shoff > quint64(f.size())) return false;

    struct Secao {
        quint32 nome = 0;
        quint64 deslocamento = 0, tamanho = 0;
    };
    const auto lerSecao = [&](quint16 i, Secao& s) {
        const qint64 base = qint64(shoff + quint64(i) * shentsize);
        if (elf64)
            return ler(f, base, s.nome) && ler(f, base + 0x18, s.deslocamento) &&
                   ler(f, base + 0x20, s.tamanho);
        quint32 off = 0, size = 0;
        const bool ok = ler(f, base, s.nome) && ler(f, base + 0x10, off) && ler(f, base + 0x14, size);
        s.deslocamento = off;
        s.tamanho = size;
        return ok;
    };
    Secao nomes;
    if (!lerSecao(shstrndx, nomes) || nomes.deslocamento > quint64(f.size())) return false;
    const size_t comprimento = std::strlen(nome) + 1;
    for (quint16 i = 0; i < shnum; ++i) {
        Secao s;
        if (!lerSecao(i, s)) return false;
        if (s.nome >= nomes.tamanho) continue;
        if (!f.seek(qint64(nomes.deslocamento + s.nome))) continue;
        const QByteArray lido = f.read(qint64(comprimento));
        if (lido.size() == qint64(comprimento) && std::memcmp(lido.constData(), nome, comprimento) == 0) {
            deslocamento = s.deslocamento;
            tamanho = s.tamanho;
            return true;
        }
    }
    return false;
}

}  // namespace

QString LerVersaoDoArquivo(const QString& caminho) {
    return LerVersaoDoArquivoNativo(QFile::encodeName(caminho));
}

QString LerVersaoDoArquivoNativo(const QByteArray& caminho) {
    // Opened by the system's own bytes: a folder name that is no valid UTF-8 has no QString.
    const int fd = ::open(caminho.constData(), O_RDONLY | O_CLOEXEC);
    QFile f;
    // Unbuffered: the reading jumps about in small pieces, each of which would refill a buffer.
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) ::close(fd);
        return kPadrao;
    }
    quint64 deslocamento = 0, tamanho = 0;
    if (!acharSecao(f, TREVOLINO_SECAO_DA_VERSAO, deslocamento, tamanho)) return kPadrao;
    plataforma::BlocoDeVersao bloco{};
    if (tamanho < sizeof(bloco) || !ler(f, qint64(deslocamento), bloco)) return kPadrao;
    if (bloco.assinatura != plataforma::kAssinatura) return kPadrao;
    return QString("%1.%2.%3.%4")
        .arg(bloco.versaoMS >> 16)
        .arg(bloco.versaoMS & 0xFFFF)
        .arg(bloco.versaoLS >> 16)
        .arg(bloco.versaoLS & 0xFFFF);
}

QString ObterVersaoDoExecutavel() {
    // Read once: the start-up alone asks four times, and the running program stays the version it
    // was started as even if its file is replaced meanwhile. Not before the application object,
    // which is what knows the program's file.
    if (!QCoreApplication::instance()) return LerVersaoDoArquivoNativo(ArquivoDoExecutavelNativo());
    static const QString versao = LerVersaoDoArquivoNativo(ArquivoDoExecutavelNativo());
    return versao;
}

QByteArray ArquivoDoExecutavelNativo() {
    // The file mapped where this very code lies: the program, even when the dynamic loader was
    // started with it (/proc/self/exe then names the loader).
    const auto aqui = reinterpret_cast<quintptr>(&ArquivoDoExecutavelNativo);
    QFile mapas(QStringLiteral("/proc/self/maps"));
    if (mapas.open(QIODevice::ReadOnly)) {
        for (const QByteArray& linha : mapas.readAll().split('\n')) {
            const qsizetype traco = linha.indexOf('-'), espaco = linha.indexOf(' ');
            if (traco <= 0 || espaco <= traco) continue;
            bool ok1 = false, ok2 = false;
            const quintptr de = quintptr(linha.left(traco).toULongLong(&ok1, 16));
            const quintptr ate = quintptr(linha.mid(traco + 1, espaco - traco - 1).toULongLong(&ok2, 16));
            if (!ok1 || !ok2 || aqui < de || aqui >= ate) continue;
            const qsizetype barra = linha.indexOf('/');
            // A file replaced since the start ("(deleted)") or a name holding a line break
            // (written escaped) is not one to open again: the system's own answer then.
            if (barra < 0 || linha.endsWith(" (deleted)") || linha.contains("\\012")) break;
            return linha.mid(barra);
        }
    }
    return QFile::encodeName(QCoreApplication::applicationFilePath());
}

QString ArquivoDoExecutavel() { return QFile::decodeName(ArquivoDoExecutavelNativo()); }

bool NomeRepresentavel(const QByteArray& caminho) {
    return QFile::encodeName(QFile::decodeName(caminho)) == caminho;
}

QString CaminhoLegivel(const QByteArray& caminho) {
    QString r;
    for (qsizetype i = 0; i < caminho.size();) {
        // The longest valid piece at once; each byte that is not valid UTF-8 as \xNN.
        qsizetype j = i + 1;
        while (j <= caminho.size() && !NomeRepresentavel(caminho.mid(i, j - i)) && j - i < 4) ++j;
        if (j <= caminho.size() && NomeRepresentavel(caminho.mid(i, j - i))) {
            r += QFile::decodeName(caminho.mid(i, j - i));
            i = j;
        } else {
            r += QStringLiteral("\\x%1").arg(uchar(caminho[i]), 2, 16, QLatin1Char('0'));
            ++i;
        }
    }
    return r;
}

}  // namespace plataforma
