#include "Avanzamento.h"

#include <cstdio>
#include <unistd.h>

namespace QuorlaCli {

using namespace std::chrono_literals;

Avanzamento::Avanzamento(bool attivo) : inizio_(std::chrono::steady_clock::now()) {
    if (attivo)
        filo_ = std::thread(&Avanzamento::ciclo, this);
}

Avanzamento::~Avanzamento() {
    ferma();
}

bool Avanzamento::SuTerminale() {
    return isatty(STDERR_FILENO) == 1;
}

void Avanzamento::fase(const QString& testo) {
    std::lock_guard lock(mutex_);
    fase_ = testo;
}

void Avanzamento::ferma() {
    {
        std::lock_guard lock(mutex_);
        if (fermo_)
            return;
        fermo_ = true;
    }
    sveglia_.notify_all();
    if (filo_.joinable())
        filo_.join();
}

void Avanzamento::ciclo() {
    std::unique_lock lock(mutex_);
    // Quick runs never show anything.
    if (sveglia_.wait_for(lock, 1s, [this] { return fermo_; }))
        return;
    while (!fermo_) {
        const auto secondi = std::chrono::duration_cast<std::chrono::seconds>(
                                 std::chrono::steady_clock::now() - inizio_)
                                 .count();
        const QByteArray riga =
            QStringLiteral("\rquorla-cli: %1... %2 s").arg(fase_).arg(secondi).toLocal8Bit();
        // Erase to the end of the line: the new text may be shorter.
        std::fprintf(stderr, "%s\x1b[K", riga.constData());
        std::fflush(stderr);
        sveglia_.wait_for(lock, 500ms, [this] { return fermo_; });
    }
    // The line has been shown at least once: wipe it.
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
}

} // namespace QuorlaCli
