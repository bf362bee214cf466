#pragma once

#include "emulator/instrument_emulator.h"
#include "window/main_window.h"

#include <QByteArrayList>
#include <QStringList>
#include <memory>

// An emulated instrument from its command-line arguments, serving the --device given or a
// new pseudo-terminal. Its readings are constant (25.3 ℃, 60.1 %RH) unless a scenario is
// given. Arguments it does not take end the test program: they are the test's mistake.
std::unique_ptr<InstrumentEmulator> startEmulator(QStringList arguments);

// The operator's window, shown and active, on the line of an emulated instrument.
struct EmulatedDesk {
    // windowPath is the device the window opens; empty for the instrument's own.
    explicit EmulatedDesk(const QStringList &emulatorArguments, const QString &windowPath = {});

    bool locked() const;
    bool unlocked() const;

    std::unique_ptr<InstrumentEmulator> emulator;
    Form1 form;
    QByteArrayList commands; // as the instrument received them
    bool ended = false;
};
