#include "emulator/command_reader.h"

#include "device/digit.h"

namespace {

constexpr qsizetype MeasureLength = 4;

int digitValue(char c)
{
    return isDigit(c) ? c - '0' : 0;
}

} // namespace

QList<Command> CommandReader::read(const QByteArray &bytes)
{
    QList<Command> commands;
    for (const char c : bytes) {
        if (!measure_.isEmpty() && continuesMeasure(c)) {
            measure_ += c;
            if (measure_.size() == MeasureLength)
                completeMeasure(commands);
            continue;
        }
        measure_.clear();
        start(c, commands);
    }
    return commands;
}

void CommandReader::start(char c, QList<Command> &commands)
{
    if (c == protocol::SendLetter || c == protocol::MemoryLetter)
        measure_ = QByteArray(1, c);
    else if (c == protocol::StopLetter)
        commands.append({Command::Kind::Stop, QByteArray(1, c)});
    else if (c == protocol::ReceiveLetter)
        commands.append({Command::Kind::Transfer, QByteArray(1, c)});
}

// The interval field is a blank or a digit, then a digit; the unit letter follows.
bool CommandReader::continuesMeasure(char c) const
{
    switch (measure_.size()) {
    case 1:
        return c == ' ' || isDigit(c);
    case 2:
        return isDigit(c);
    default:
        return c == protocol::MinutesLetter || c == protocol::HoursLetter;
    }
}

void CommandReader::completeMeasure(QList<Command> &commands)
{
    const int interval = digitValue(measure_[1]) * 10 + digitValue(measure_[2]);
    // Measuring every 0 minutes is no command the instrument can follow.
    const auto unit =
        measure_[3] == protocol::HoursLetter ? protocol::Unit::Hours : protocol::Unit::Minutes;
    if (interval > 0)
        commands.append({Command::Kind::Measure, measure_, measure_[0] == protocol::MemoryLetter,
                         interval, unit});
    measure_.clear();
}
