#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as Qt signals: the handler only writes the
// signal's number into a pipe (nothing else is safe in a signal handler),
// and the pipe's reading end wakes the event loop that is running, modal or
// not. A second signal while the first is being handled ends the program
// at once, as if there were no handler, so that a program that cannot end
// cleanly can still be stopped. A signal that was ignored when the program
// started (nohup) stays ignored. One object at a time; the previous
// handlers come back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    static const std::array<int, 3> &handledSignals();

Q_SIGNALS:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void onReadable();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    std::array<struct sigaction, 3> m_previous{};
    std::array<bool, 3> m_installed{};
};
