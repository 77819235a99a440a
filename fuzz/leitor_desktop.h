// A small reader of freedesktop Desktop Entry files, written from the format's rules and kept
// apart from the writer it checks: groups, keys, the string escapes of values and the quoting
// of the Exec key. Used by the launcher fuzz target and by the robustness tests.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace leitor_desktop {

struct Entrada {
    QMap<QString, QString> chaves;  // keys of the [Desktop Entry] group, values unescaped
};

// Unescapes a value: \s \n \t \r \\ ; any other backslash sequence is kept as it stands.
inline QString DesfazerEscapes(const QString& v) {
    QString r;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c != QLatin1Char('\\') || i + 1 >= v.size()) {
            r += c;
            continue;
        }
        const QChar n = v[++i];
        switch (n.unicode()) {
            case 's': r += QLatin1Char(' '); break;
            case 'n': r += QLatin1Char('\n'); break;
            case 't': r += QLatin1Char('\t'); break;
            case 'r': r += QLatin1Char('\r'); break;
            case '\\': r += QLatin1Char('\\'); break;
            default: r += QLatin1Char('\\'); r += n;
        }
    }
    return r;
}

// True for a key whose value is of type string (ASCII text without control characters) rather
// than localestring (any UTF-8).
inline bool ChaveDeTextoSimples(const QString& chave) {
    return chave == QLatin1String("Type") || chave == QLatin1String("Exec") ||
           chave == QLatin1String("Path") || chave == QLatin1String("Icon") ||
           chave == QLatin1String("Categories") || chave == QLatin1String("TryExec");
}

// Parses the file's text; nothing when it is not a well-formed entry (a line that is neither a
// comment, a group header nor key=value, a repeated key, a missing [Desktop Entry] group, a NUL
// anywhere, or a control character in a value of type string).
inline std::optional<Entrada> Ler(const QByteArray& bytes) {
    const QString texto = QString::fromUtf8(bytes);
    if (texto.toUtf8() != bytes) return std::nullopt;  // not valid UTF-8
    Entrada e;
    QString grupo;
    bool temGrupo = false;
    for (const QString& linha : texto.split(QLatin1Char('\n'))) {
        if (linha.contains(QChar(0))) return std::nullopt;
        if (linha.isEmpty() || linha.startsWith(QLatin1Char('#'))) continue;
        if (linha.startsWith(QLatin1Char('['))) {
            if (!linha.endsWith(QLatin1Char(']'))) return std::nullopt;
            grupo = linha.mid(1, linha.size() - 2);
            if (grupo == QLatin1String("Desktop Entry")) temGrupo = true;
            continue;
        }
        const qsizetype igual = linha.indexOf(QLatin1Char('='));
        if (igual <= 0 || grupo.isEmpty()) return std::nullopt;
        const QString chave = linha.left(igual).trimmed();
        for (QChar c : chave)
            if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('[') ||
                  c == QLatin1Char(']') || c == QLatin1Char('@') || c == QLatin1Char('_') ||
                  c == QLatin1Char('.')))
                return std::nullopt;
        if (grupo != QLatin1String("Desktop Entry")) continue;
        if (e.chaves.contains(chave)) return std::nullopt;
        // Blanks around '=' are not part of the value; a leading blank of the value is "\s".
        QString valor = linha.mid(igual + 1);
        if (ChaveDeTextoSimples(chave))
            for (QChar c : valor)
                if (c.unicode() < 32 || c.unicode() == 127) return std::nullopt;
        while (valor.startsWith(QLatin1Char(' '))) valor.remove(0, 1);
        e.chaves.insert(chave, DesfazerEscapes(valor));
    }
    if (!temGrupo) return std::nullopt;
    return e;
}

// Splits an (already unescaped) Exec value into arguments: blanks separate; double quotes
// group, and inside them \" \` \$ \\ stand for the character; a reserved character outside
// quotes makes the line invalid; "%%" is a literal '%' and other field codes are invalid here
// (our launchers carry none). Nothing when malformed.
inline std::optional<QStringList> DividirExec(const QString& exec) {
    static const QString reservados = QStringLiteral("\"'\\><~|&;$*?#()`");
    QStringList args;
    QString atual;
    bool emArgumento = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (emArgumento) args << atual;
            atual.clear();
            emArgumento = false;
            continue;
        }
        emArgumento = true;
        if (c == QLatin1Char('"')) {
            bool fechado = false;
            for (++i; i < exec.size(); ++i) {
                const QChar d = exec[i];
                if (d == QLatin1Char('"')) {
                    fechado = true;
                    break;
                }
                if (d == QLatin1Char('\\')) {
                    if (i + 1 >= exec.size()) return std::nullopt;
                    const QChar n = exec[++i];
                    if (n != QLatin1Char('"') && n != QLatin1Char('`') && n != QLatin1Char('$') &&
                        n != QLatin1Char('\\'))
                        return std::nullopt;
                    atual += n;
                    continue;
                }
                if (d == QLatin1Char('`') || d == QLatin1Char('$')) return std::nullopt;  // must be escaped
                if (d == QLatin1Char('%')) {
                    if (i + 1 >= exec.size() || exec[i + 1] != QLatin1Char('%')) return std::nullopt;
                    ++i;
                }
                atual += d;
            }
            if (!fechado) return std::nullopt;
            continue;
        }
        if (reservados.contains(c)) return std::nullopt;
        if (c == QLatin1Char('%')) {
            if (i + 1 >= exec.size() || exec[i + 1] != QLatin1Char('%')) return std::nullopt;
            ++i;
        }
        atual += c;
    }
    if (emArgumento) args << atual;
    return args;
}

}  // namespace leitor_desktop
