#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace QuorlaCli {

// A progress line on standard error for work that takes longer than about a
// second, shown only when standard error is a terminal: a script that reads
// it, or a log, gets nothing. The line is rewritten in place and wiped when
// the work ends, before any other message.
class Avanzamento {
public:
    explicit Avanzamento(bool attivo);
    ~Avanzamento();
    Avanzamento(const Avanzamento&) = delete;
    Avanzamento& operator=(const Avanzamento&) = delete;

    void fase(const QString& testo);
    // Stops the line and wipes it; nothing is shown after this.
    void ferma();

    // Whether standard error is a terminal.
    static bool SuTerminale();

private:
    void ciclo();

    std::mutex mutex_;
    std::condition_variable sveglia_;
    QString fase_;
    bool fermo_ = false;
    std::chrono::steady_clock::time_point inizio_;
    std::thread filo_;
};

} // namespace QuorlaCli
