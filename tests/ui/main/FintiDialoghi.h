#pragma once

#include "Dialoghi.h"

#include <QList>
#include <functional>

// Answers in place of the user and keeps what the window asked.
class FintiDialoghi : public Dialoghi {
public:
    struct Messaggio {
        QString testo, titolo;
        unsigned flags = 0;
        QWidget* padre = nullptr;
    };
    QList<Messaggio> messaggi;
    QStringList titoliColore;
    QList<OpzioniFile> aperture, salvataggi;
    std::optional<QColor> rispostaColore;
    std::optional<QString> rispostaApri, rispostaSalva;
    QStringList numeri; // "title|label|value|minimum|maximum" of each number asked
    std::optional<int> rispostaNumero;
    std::function<void()> durataMessaggio = [] {}; // while a message box would be open

    void messaggio(QWidget* padre, const QString& t, const QString& titolo, unsigned f) override {
        messaggi.append({t, titolo, f, padre});
        durataMessaggio();
    }
    std::optional<QColor> colore(QWidget*, const QString& t) override {
        titoliColore.append(t);
        return rispostaColore;
    }
    std::optional<QString> apriFile(QWidget*, const OpzioniFile& o) override {
        aperture.append(o);
        return rispostaApri;
    }
    std::optional<QString> salvaFile(QWidget*, const OpzioniFile& o) override {
        salvataggi.append(o);
        return rispostaSalva;
    }
    std::optional<int> numero(QWidget*, const QString& t, const QString& e, int v, int mi,
                              int ma) override {
        numeri.append(QStringLiteral("%1|%2|%3|%4|%5").arg(t, e).arg(v).arg(mi).arg(ma));
        return rispostaNumero;
    }
};
