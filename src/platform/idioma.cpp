#include "platform/idioma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace plataforma {

namespace {

QString gIdioma;

QString Variavel(const char* nome) { return QString::fromLocal8Bit(qgetenv(nome)); }

QString SemCodificacao(QString nome) {
    for (QChar fim : {QLatin1Char('@'), QLatin1Char('.')}) {
        const qsizetype i = nome.indexOf(fim);
        if (i >= 0) nome.truncate(i);
    }
    return nome;
}

QString LinguaDe(const QString& idioma) { return idioma.section(QLatin1Char('_'), 0, 0); }

}  // namespace

QStringList IdiomasPedidos() {
    QString localidade;
    for (const char* nome : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        localidade = Variavel(nome);
        if (!localidade.isEmpty()) break;
    }
    if (localidade.isEmpty() || localidade == QLatin1String("C") || localidade == QLatin1String("POSIX"))
        return {};
    const QString lista = Variavel("LANGUAGE");
    QStringList pedidos;
    for (const QString& s :
         lista.isEmpty() ? QStringList{localidade} : lista.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (!SemCodificacao(s).isEmpty()) pedidos << SemCodificacao(s);
    return pedidos;
}

QString EscolherTraducao(const QStringList& pedidos, const QStringList& traducoes) {
    for (const QString& pedido : pedidos) {
        if (LinguaDe(pedido) == QLatin1String("pt")) return QString();
        if (traducoes.contains(pedido)) return pedido;
        if (traducoes.contains(LinguaDe(pedido))) return LinguaDe(pedido);
    }
    return QString();
}

void InstalarIdioma() {
    const QString prefixo = QStringLiteral("trevolino_");
    QStringList traducoes;
    // Matched by hand, without a wildcard filter: that would bring in the regular-expression
    // library and its compiler at every start for one folder of a few names.
    for (const QString& arquivo : QDir(QStringLiteral(":/i18n")).entryList(QDir::Files))
        if (arquivo.startsWith(prefixo, Qt::CaseInsensitive) &&
            arquivo.endsWith(QLatin1String(".qm"), Qt::CaseInsensitive))
            traducoes << arquivo.mid(prefixo.size()).chopped(3);
    gIdioma = EscolherTraducao(IdiomasPedidos(), traducoes);
    const QString idioma = gIdioma.isEmpty() ? QStringLiteral("pt_BR") : gIdioma;

    static QTranslator jogo, qt;
    QCoreApplication::removeTranslator(&jogo);  // a second call chooses afresh
    QCoreApplication::removeTranslator(&qt);
    if (!gIdioma.isEmpty() && jogo.load(QStringLiteral(":/i18n/") + prefixo + gIdioma))
        QCoreApplication::installTranslator(&jogo);
    // Qt's own texts (context menus, standard buttons) from the distribution's translations;
    // without them they stay in English.
    if (qt.load(QStringLiteral("qtbase_") + idioma, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);

    // Numbers as the language writes them ("1,033" / "1.033"): the user's own regional settings
    // when they are of that language, else those of the language's home.
    const QLocale sistema = QLocale::system();
    const QLocale daLingua(idioma);
    QLocale::setDefault(sistema.language() == daLingua.language() ? sistema : daLingua);
}

QString IdiomaDoJogo() { return gIdioma; }

QString ArquivoNoIdioma(const QString& caminho) {
    if (gIdioma.isEmpty()) return caminho;
    const qsizetype ponto = caminho.lastIndexOf(QLatin1Char('.'));
    const QString traduzido = caminho.left(ponto) + QLatin1Char('_') + gIdioma + caminho.mid(ponto);
    return ponto > caminho.lastIndexOf(QLatin1Char('/')) && QFile::exists(traduzido) ? traduzido : caminho;
}

}  // namespace plataforma
