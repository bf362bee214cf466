#include "scripted_instrument.h"

#include "serial/serial_link.h"

LineKind testLine()
{
    return qEnvironmentVariable("TARNWICK_TEST_LINE") == u"in-process" ? LineKind::InProcess
                                                                       : programLine();
}

ScriptedInstrument::ScriptedInstrument(LineKind kind)
{
    line_.openForThisProgram(kind);
    connect(&line_, &DeviceLine::received, this, &ScriptedInstrument::readProgram);
}

void ScriptedInstrument::answer(char command, const QByteArray &answer)
{
    answers_.insert(command, answer);
}

void ScriptedInstrument::send(const QByteArray &bytes)
{
    line_.send(bytes);
}

bool ScriptedInstrument::waitUntilProgramCanRead() const
{
    return line_.waitUntilHostCanRead(DefaultWaitMs);
}

bool ScriptedInstrument::sendInPieces(const QByteArray &bytes, qsizetype pieceSize,
                                      const MSComm &link)
{
    int notified = 0;
    int sent = 0;
    const auto counting = connect(&link, &MSComm::OnComm, this, [&] { ++notified; });
    for (qsizetype at = 0; at < bytes.size() && notified == sent; at += pieceSize) {
        send(bytes.mid(at, pieceSize));
        ++sent;
        waitUntil([&] { return notified >= sent; });
    }
    disconnect(counting);
    return notified == sent;
}

bool ScriptedInstrument::waitForReceived(qsizetype count, int timeoutMs)
{
    return waitUntil([&] { return received_.size() >= count; }, timeoutMs);
}

void ScriptedInstrument::hangUp()
{
    line_.close();
}

void ScriptedInstrument::readProgram(const QByteArray &bytes)
{
    for (const char c : bytes) {
        received_ += c;
        if (answers_.contains(c))
            send(answers_.value(c));
        if (onCommand)
            onCommand(c);
    }
}
