#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One fuzz input read as a run: how the window is set up, and the deliveries the serial
// link hands to the decoder, in order.
//
// Layout:
//   byte 0     bits 0-3: the chart span text, one of spanTexts()
//              bit 4: the interval unit is hours
//              bit 5: pending deliveries run nested inside the decoder's yields
//              bit 6: the sample count starts next to its largest value
//              bit 7: the run starts with a full chart, as after Receive
//   byte 1     the interval count, 1 + byte % 30
//   byte 2     n, the number of piece lengths, 1 + byte % 8
//   n bytes    the piece lengths, used in turn; 0 takes the rest of the stream at once
//   the rest   the received stream, cut into deliveries of those lengths
struct FuzzRun {
    QString spanText;
    int interval = 1;
    int unit = 1;
    bool nested = false;
    bool countNearItsEnd = false;
    bool fullChart = false;
    QList<QByteArray> deliveries;
};

// Span texts the operator may leave in Combo1, hostile ones included.
const QList<QString> &spanTexts();

FuzzRun readFuzzRun(const QByteArray &input);
