#include "emulator_process.h"

#include <cstdio>

namespace {

const QByteArray Serving = QByteArrayLiteral("Serving the instrument on ");
constexpr int StartTimeoutMs = 10000;

} // namespace

EmulatorProcess::EmulatorProcess(const QStringList &arguments)
{
    // Its log of received commands would only clutter the figures.
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(QStringLiteral(TARNWICK_EMULATOR_PROGRAM), arguments);
    while (process_.waitForReadyRead(StartTimeoutMs)) {
        if (!process_.canReadLine())
            continue;
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith(Serving))
            devicePath_ = QString::fromLocal8Bit(line.mid(Serving.size()));
        break;
    }
    process_.closeReadChannel(QProcess::StandardOutput);
    if (devicePath_.isEmpty())
        std::fprintf(stderr, "cannot start %s\n", TARNWICK_EMULATOR_PROGRAM);
}

EmulatorProcess::~EmulatorProcess()
{
    process_.terminate();
    if (!process_.waitForFinished(3000))
        process_.kill();
    process_.waitForFinished(3000);
}
