#pragma once

#include "emulator/instrument_emulator.h"
#include "scripted_instrument.h"
#include "window/main_window.h"

#include <QByteArrayList>
#include <QStringList>
#include <memory>

// The operator's window, shown and active, on a serial device. Closing it ends nothing, and
// the lines its port reports on a failure are collected instead of written out.
class Desk {
public:
    explicit Desk(const QString &devicePath = {});
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    // Every control of the run lock disabled, or every one enabled.
    bool locked() const;
    bool unlocked() const;

    // The chart span as if typed into Combo1 and picked, so that the scaling reads it.
    void setSpan(const QString &hours);

    Form1 form;
    QStringList errors;
    bool ended = false;
};

// The window on one end of a pseudo-terminal, an instrument the test plays on the other.
class ScriptedDesk : public Desk {
public:
    ScriptedDesk();

    // Clicks Measure and waits until the instrument has the command.
    void measure();

    ScriptedInstrument instrument;
};

// An emulated instrument from its command-line arguments, serving the --device given or a
// new pseudo-terminal. Its readings are constant (25.3 ℃, 60.1 %RH) unless a scenario is
// given. Arguments it does not take end the test program: they are the test's mistake.
std::unique_ptr<InstrumentEmulator> startEmulator(QStringList arguments);

// The window on the line of an emulated instrument.
class EmulatedDesk : public Desk {
public:
    // windowPath is the device the window opens; empty for the instrument's own.
    explicit EmulatedDesk(const QStringList &emulatorArguments, const QString &windowPath = {});

    std::unique_ptr<InstrumentEmulator> emulator;
    QByteArrayList commands; // as the instrument received them
};
