#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal delivered on the main thread, so the
// program can close the way it does at a session logout: settings and database
// state saved, nothing asked. One instance per program.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // True once a signal has been delivered.
    bool received() const { return received_; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
    bool received_ = false;
};
