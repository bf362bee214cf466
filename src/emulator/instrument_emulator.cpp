#include "emulator/instrument_emulator.h"

#include "device/device_protocol.h"
#include "emulator/uniform.h"
#include "emulator/wire_encoding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double StartOfDay = 8 * 60; // the clock starts at 08:00
// Live readings are skipped while this much is still waiting to go out: a host that
// does not read would otherwise let the queue grow without end.
constexpr qsizetype MaxPendingBytes = 4096;
constexpr int MaxStrayBytes = 3;

// Bytes the host skips between records.
QByteArray ignoredBytes()
{
    QByteArray bytes(" ", 1);
    bytes.append('\0');
    for (char c = 'a'; c <= 'z'; ++c)
        bytes.append(c);
    for (int c = 0x80; c <= 0xFF; ++c) {
        if (c < 0xB0 || c >= 0xC0)
            bytes.append(char(c));
    }
    return bytes;
}

int minutesOf(int interval, protocol::Unit unit)
{
    return unit == protocol::Unit::Hours ? interval * 60 : interval;
}

} // namespace

InstrumentEmulator::InstrumentEmulator(const EmulatorOptions &options, QObject *parent)
    : QObject(parent), options_(options), climate_(options.scenario, options.seed),
      faults_(options.seed + 1), line_(options.line), clockMinutes_(StartOfDay)
{
    interval_.callOnTimeout(this, &InstrumentEmulator::takeReading);
    connect(&line_, &DeviceLine::received, this, &InstrumentEmulator::receive);
    connect(&line_, &DeviceLine::closed, this, [this] {
        interval_.stop();
        emit lineClosed();
    });
    preloadMemory();
}

bool InstrumentEmulator::open()
{
    return options_.device.isEmpty() ? openPseudoTerminal() : serve(options_.device);
}

bool InstrumentEmulator::openPseudoTerminal()
{
    return line_.openPseudoTerminal();
}

bool InstrumentEmulator::serve(const QString &devicePath)
{
    return line_.open(devicePath);
}

bool InstrumentEmulator::openForThisProgram(LineKind kind)
{
    return options_.device.isEmpty() ? line_.openForThisProgram(kind) : serve(options_.device);
}

void InstrumentEmulator::receive(const QByteArray &bytes)
{
    bytesReceived_ += bytes.size();
    for (const Command &command : reader_.read(bytes)) {
        emit commandReceived(command.bytes);
        execute(command);
    }
}

void InstrumentEmulator::execute(const Command &command)
{
    switch (command.kind) {
    case Command::Kind::Measure:
        startMeasuring(command);
        break;
    case Command::Kind::Stop:
        stop();
        break;
    case Command::Kind::Transfer:
        transfer();
        break;
    }
}

// A new Measure replaces the running one; a memory-mode run starts with empty memory.
void InstrumentEmulator::startMeasuring(const Command &command)
{
    run_ = {command.memory, minutesOf(command.interval, command.unit)};
    if (command.memory)
        memory_ = {command.interval, command.unit, {}};
    interval_.start(timerMs(run_.minutes));
    takeReading();
}

void InstrumentEmulator::takeReading()
{
    const ClimateReading reading = climate_.readingAt(clockMinutes_);
    clockMinutes_ += run_.minutes;
    if (run_.memory) {
        if (memory_.pairs.size() < MemoryCapacity)
            memory_.pairs.append(reading);
    } else if (line_.pendingBytes() < MaxPendingBytes) {
        sendPair(reading);
    }
}

void InstrumentEmulator::stop()
{
    interval_.stop();
    acknowledge();
}

void InstrumentEmulator::transfer()
{
    sendMessage(wire::loggingReport(memory_.interval, memory_.unit));
    for (const ClimateReading &reading : std::as_const(memory_.pairs))
        sendPair(reading);
    acknowledge();
}

void InstrumentEmulator::sendPair(const ClimateReading &reading)
{
    sendMessage(wire::temperatureReading(reading.temperature));
    sendMessage(wire::humidityReading(reading.humidity));
}

void InstrumentEmulator::sendMessage(const QByteArray &message)
{
    line_.send(strayBytes() + message);
}

void InstrumentEmulator::acknowledge()
{
    if (!options_.noAck)
        sendMessage(protocol::Acknowledgement);
}

QByteArray InstrumentEmulator::strayBytes()
{
    if (options_.noise <= 0)
        return {};
    if (uniform(faults_) >= options_.noise)
        return {};
    static const QByteArray ignored = ignoredBytes();
    QByteArray bytes;
    const int count = 1 + int(uniform(faults_) * MaxStrayBytes);
    for (int i = 0; i < count; ++i)
        bytes.append(ignored.at(qsizetype(uniform(faults_) * ignored.size())));
    return bytes;
}

// As if a memory-mode run had logged the pairs before the line came up.
void InstrumentEmulator::preloadMemory()
{
    if (options_.logged < 1)
        return;
    memory_ = {options_.logInterval, options_.logUnit, {}};
    const int minutes = minutesOf(options_.logInterval, options_.logUnit);
    for (int i = 0; i < options_.logged; ++i) {
        memory_.pairs.append(climate_.readingAt(clockMinutes_));
        clockMinutes_ += minutes;
    }
}

// At least 1 ms, so that no speed turns the interval into a busy loop.
int InstrumentEmulator::timerMs(int minutes) const
{
    const double ms = minutes * 60000.0 / options_.speed;
    return int(std::clamp(std::round(ms), 1.0, double(std::numeric_limits<int>::max())));
}
