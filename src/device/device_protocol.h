#pragma once

#include <QByteArray>
#include <QString>

// The bytes exchanged with the instrument, and the line they travel on.
namespace protocol {

inline constexpr char Ack = 6;
inline constexpr char Lf = 10;
inline constexpr char Cr = 13;
inline constexpr char MinusSign = 58;               // ':' before the digits of a temperature
inline constexpr char LeadingTen = char(0xB0);      // byte 176: the digits continue from 10
inline constexpr char MinusLeadingOne = char(0xBA); // byte 186: minus, the digits continue from 1
inline constexpr char DecimalPoint = '.';

inline const QByteArray Acknowledgement(1, Ack);

// The letters of the host's commands.
inline constexpr char SendLetter = 'R';    // Measure, readings sent live
inline constexpr char MemoryLetter = 'L';  // Measure, readings logged in the instrument
inline constexpr char MinutesLetter = 'M'; // the Measure interval's unit
inline constexpr char HoursLetter = 'H';
inline constexpr char StopLetter = 'S';
inline constexpr char ReceiveLetter = 'T';

// The letters that open the instrument's messages; a logging report ends with the unit
// letter, "M" or "H".
inline constexpr char TemperatureLetter = 'T';
inline constexpr char HumidityLetter = 'H';
inline constexpr char LoggingLetter = 'L';

// The mode and the unit as the window's selectors count them.
enum class Mode { Send = 1, Memory = 2 };
enum class Unit { Minutes = 1, Hours = 2 };

// The measuring interval: the range the window's selector offers and the command's field
// carries.
inline constexpr int IntervalMin = 1;
inline constexpr int IntervalMax = 30;

// A serial line's framing. Each parity stands for its letter in a settings text.
struct LineSettings {
    enum class Parity : char { None = 'N', Even = 'E', Odd = 'O', Mark = 'M', Space = 'S' };
    enum class StopBits { One, OneAndHalf, Two };

    int baud = 0;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;
};

// The instrument's line: 19200 baud, no parity, 8 data bits, 1 stop bit, no flow control.
inline constexpr LineSettings Line{19200, LineSettings::Parity::None, 8,
                                   LineSettings::StopBits::One};

// "baud,parity,data bits,stop bits", as a serial link takes its settings: "19200,N,8,1".
QString settingsText(const LineSettings &line);

inline const QByteArray StopCommand(1, StopLetter);
inline const QByteArray ReceiveCommand(1, ReceiveLetter);

constexpr char unitLetter(Unit unit)
{
    return unit == Unit::Minutes ? MinutesLetter : HoursLetter;
}

// Mode letter, 2-character interval field, unit letter: send, interval 5, minutes is "R 5M".
// Any unit other than minutes counts as hours, any mode other than memory as send.
QByteArray measureCommand(Mode mode, int interval, Unit unit);

} // namespace protocol
