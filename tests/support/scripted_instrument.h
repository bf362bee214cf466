#pragma once

#include "emulator/device_line.h"
#include "wait.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <functional>

class MSComm;

// The line the window's tests run over: the system's own kind, or an in-process line with
// TARNWICK_TEST_LINE=in-process, so that both run where the system has pseudo-terminals.
LineKind testLine();

// The instrument's end of a pseudo-terminal or of a line inside the program, played by a
// test: it collects what the program sends and answers single-letter commands
// with scripted bytes, inside whatever event loop the program happens to be running, nested
// waits included.
class ScriptedInstrument : public QObject {
    Q_OBJECT

public:
    explicit ScriptedInstrument(LineKind kind = testLine());

    QString devicePath() const { return line_.devicePath(); }
    HostEnd hostEnd() const { return line_.hostEnd(); }

    // When the program sends the byte command ('S' or 'T'), send answer back at once.
    void answer(char command, const QByteArray &answer);
    // Runs for every byte the program sends, after any scripted answer.
    std::function<void(char)> onCommand;

    void send(const QByteArray &bytes);
    // Blocks, without the event loop, until bytes sent wait where the program's next read
    // finds them; false when none arrive.
    bool waitUntilProgramCanRead() const;
    // Sends the bytes in pieces of the given size, each once link has notified the one before;
    // false unless every piece came in a receive notification of its own.
    bool sendInPieces(const QByteArray &bytes, qsizetype pieceSize, const MSComm &link);

    QByteArray received() const { return received_; }
    // Runs the event loop until the program has sent at least count bytes in all.
    bool waitForReceived(qsizetype count, int timeoutMs = DefaultWaitMs);

    void hangUp();

private:
    void readProgram(const QByteArray &bytes);

    DeviceLine line_{LineOptions{}};
    QByteArray received_;
    QHash<char, QByteArray> answers_;
};
