// A snapshot of a folder tree (every entry's kind, size, time and link target) to prove that an
// operation touched nothing it should not have.
#pragma once

#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

namespace instantaneo {

using Arvore = QMap<QString, QString>;

inline Arvore Tirar(const QString& raiz) {
    Arvore r;
    QDirIterator it(raiz, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(p).constData(), &st);
        QString d = QString("%1 %2 %3.%4")
                        .arg(st.st_mode, 0, 8)
                        .arg(qlonglong(st.st_size))
                        .arg(qlonglong(st.st_mtim.tv_sec))
                        .arg(qlonglong(st.st_mtim.tv_nsec));
        if (S_ISLNK(st.st_mode)) d += " -> " + QFileInfo(p).symLinkTarget();
        r.insert(p, d);
    }
    return r;
}

// Human-readable differences: removed, added and changed entries.
inline QStringList Diferencas(const Arvore& antes, const Arvore& depois) {
    QStringList r;
    for (auto it = antes.begin(); it != antes.end(); ++it) {
        if (!depois.contains(it.key()))
            r << "removed " + it.key();
        else if (depois.value(it.key()) != it.value())
            r << "changed " + it.key();
    }
    for (auto it = depois.begin(); it != depois.end(); ++it)
        if (!antes.contains(it.key())) r << "added " + it.key();
    return r;
}

}  // namespace instantaneo
