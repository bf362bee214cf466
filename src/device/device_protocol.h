#pragma once

#include <QByteArray>

// The bytes exchanged with the instrument.
namespace protocol {

inline constexpr char Ack = 6;
inline constexpr char Lf = 10;
inline constexpr char Cr = 13;
inline constexpr char MinusSign = 58;               // ':' before the digits of a temperature
inline constexpr char LeadingTen = char(0xB0);      // byte 176: the digits continue from 10
inline constexpr char MinusLeadingOne = char(0xBA); // byte 186: minus, the digits continue from 1

inline constexpr int ModeSend = 1;    // readings sent live ("R")
inline constexpr int ModeMemory = 2;  // readings logged in the instrument ("L")
inline constexpr int UnitMinutes = 1; // "M"
inline constexpr int UnitHours = 2;   // "H"
inline constexpr int IntervalMin = 1; // the interval field carries 1 to 30
inline constexpr int IntervalMax = 30;

inline const QByteArray StopCommand = QByteArrayLiteral("S");
inline const QByteArray ReceiveCommand = QByteArrayLiteral("T");

// Mode letter, 2-character interval field, unit letter: mode 1, interval 5, minutes is "R 5M".
// Any unit other than minutes counts as hours, any mode other than memory as send.
QByteArray measureCommand(int mode, int interval, int unit);

} // namespace protocol
