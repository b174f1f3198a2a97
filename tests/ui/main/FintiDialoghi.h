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
    std::function<void()> durataMessaggio; // runs while a message box would be open

    void messaggio(QWidget* padre, const QString& testo, const QString& titolo,
                   unsigned flags) override {
        messaggi.append({testo, titolo, flags, padre});
        if (durataMessaggio)
            durataMessaggio();
    }
    std::optional<QColor> colore(QWidget*, const QString& titolo) override {
        titoliColore.append(titolo);
        return rispostaColore;
    }
    std::optional<QString> apriFile(QWidget*, const OpzioniFile& opzioni) override {
        aperture.append(opzioni);
        return rispostaApri;
    }
    std::optional<QString> salvaFile(QWidget*, const OpzioniFile& opzioni) override {
        salvataggi.append(opzioni);
        return rispostaSalva;
    }
};
