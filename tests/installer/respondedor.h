// Answers the modal dialogs a test opens, one after the other, the way a user would: each step
// waits for a new modal window, records its title and text, then presses a key or clicks.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

struct DialogoVisto {
    QString titulo;
    QString texto;  // the message label's text, when the window has one
};

class Respondedor : public QObject {
public:
    using Acao = std::function<void(QWidget*)>;

    explicit Respondedor(std::vector<Acao> acoes) : m_acoes(std::move(acoes)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { verificar(); });
        m_timer.start();
    }

    std::vector<DialogoVisto> vistos;
    bool esgotado() const { return m_proxima >= m_acoes.size(); }
    QStringList titulos() const {
        QStringList t;
        for (const auto& v : vistos) t << v.titulo;
        return t;
    }

    // Actions ---------------------------------------------------------------------------------
    static Acao tecla(Qt::Key k) {
        return [k](QWidget* w) { QTest::keyClick(w, k); };
    }
    static Acao soltar(Qt::Key k) {  // only the release reaches the window
        return [k](QWidget* w) { QTest::keyRelease(w, k); };
    }
    static Acao clicar(const char* nomeDoBotao) {
        return [nomeDoBotao](QWidget* w) {
            if (auto* b = w->findChild<QWidget*>(nomeDoBotao)) QTest::mouseClick(b, Qt::LeftButton);
        };
    }
    static Acao sim() { return tecla(Qt::Key_Return); }
    static Acao nao() { return tecla(Qt::Key_Escape); }

private:
    void verificar() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == m_ultimo || !w->isVisible()) return;
        if (esgotado()) {
            // An unexpected dialog: recorded, then refused so that the test cannot hang.
            vistos.push_back(descrever(w));
            m_ultimo = w;
            QTest::keyClick(w, Qt::Key_Escape);
            return;
        }
        m_ultimo = w;
        vistos.push_back(descrever(w));
        // Run outside this timer's slot: an action that opens a further modal window blocks
        // until it closes, and a timer is not re-entered while its slot runs.
        Acao acao = m_acoes[m_proxima++];
        QPointer<QWidget> alvo(w);
        QTimer::singleShot(0, this, [acao, alvo] {
            if (alvo) acao(alvo);
        });
    }
    static DialogoVisto descrever(QWidget* w) {
        DialogoVisto v{w->windowTitle(), {}};
        if (auto* l = w->findChild<QLabel*>("lblDialogo")) v.texto = l->text();
        return v;
    }

    std::vector<Acao> m_acoes;
    size_t m_proxima = 0;
    QPointer<QWidget> m_ultimo;
    QTimer m_timer;
};
