#pragma once

#include "emulator/command_reader.h"
#include "emulator/device_line.h"
#include "emulator/emulator_options.h"
#include "emulator/room_climate.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <random>

// The measuring instrument on its end of a serial line. It answers Measure, Stop and
// Transfer like the real one, on the event loop of its thread: it can live beside the
// window that talks to it, in a test, or in a program of its own.
class InstrumentEmulator : public QObject {
    Q_OBJECT

public:
    explicit InstrumentEmulator(const EmulatorOptions &options, QObject *parent = nullptr);

    // Serves options.device, or a new pseudo-terminal when none is given.
    bool open();
    bool openPseudoTerminal();
    bool serve(const QString &devicePath);
    // For a window in this program, which finds it at hostEnd(): options.device, or else the
    // kind of line given.
    bool openForThisProgram(LineKind kind = programLine());
    HostEnd hostEnd() const { return line_.hostEnd(); }
    bool isOpen() const { return line_.isOpen(); }
    // What the host connects to.
    QString devicePath() const { return line_.devicePath(); }
    QString errorString() const { return line_.errorString(); }
    // Every byte sent to the host since the line opened; every byte read from it, in all.
    qint64 bytesSent() const { return line_.bytesSent(); }
    qint64 bytesReceived() const { return bytesReceived_; }
    // Milliseconds until the next reading is due; -1 while no run is going.
    int msToNextReading() const { return interval_.remainingTime(); }

signals:
    void commandReceived(const QByteArray &command);
    // The line hung up: dropped on purpose, or its other end went away.
    void lineClosed();

private:
    struct Run {
        bool memory = false;
        int minutes = 0; // between two readings
    };
    // What the last memory-mode run logged; an interval of 0 means nothing.
    struct Memory {
        int interval = 0;
        protocol::Unit unit = protocol::Unit::Minutes;
        QList<ClimateReading> pairs;
    };

    void receive(const QByteArray &bytes);
    void execute(const Command &command);
    void startMeasuring(const Command &command);
    void takeReading();
    void stop();
    void transfer();
    void sendPair(const ClimateReading &reading);
    void sendMessage(const QByteArray &message);
    void acknowledge();
    QByteArray strayBytes();
    void preloadMemory();
    int timerMs(int minutes) const;

    EmulatorOptions options_;
    RoomClimate climate_;
    std::mt19937 faults_; // stray bytes, apart from the climate so noise leaves readings alone
    CommandReader reader_;
    DeviceLine line_;
    QTimer interval_;
    Run run_;
    Memory memory_;
    double clockMinutes_; // the instrument's clock: advances by the interval with each reading
    qint64 bytesReceived_ = 0;
};
