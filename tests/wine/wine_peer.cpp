// The Linux side of the COM-port test under Wine: plays the instrument on a pseudo-terminal
// that the Wine prefix's COM port is linked to, as the Windows test program asks on its
// standard error, which serial_run.sh pipes here. Requests are lines "wine-peer: WORDS";
// every other line is passed on to standard error.
//   plug emulator ARGS...  the emulator with those arguments; each command it receives is
//                          appended to DIR/commands
//   plug hostile NAME [SHARE]  an instrument that answers Measure with a hostile input of
//                          tests/support (SHARE of its length), then one well-formed reading,
//                          and Stop with ACK
//   unplug                 the device goes away: hung up, the link removed
// Each request done appends a line to DIR/done.
//   tarnwick-wine-peer COM_LINK DIR

#include "desk.h"
#include "device/device_protocol.h"
#include "hostile_input.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

struct Peer {
    QString link;
    QString dir;
    std::unique_ptr<InstrumentEmulator> emulator;
    std::unique_ptr<ScriptedInstrument> hostile;

    void append(const QString &name, const QByteArray &line) const
    {
        QFile file(dir + u'/' + name);
        if (file.open(QIODevice::Append))
            file.write(line + '\n');
    }

    void unplug()
    {
        QFile::remove(link);
        emulator.reset();
        if (hostile)
            hostile->hangUp();
        hostile.reset();
    }

    void plugEmulator(const QStringList &arguments)
    {
        emulator = startEmulator(arguments);
        QObject::connect(emulator.get(), &InstrumentEmulator::commandReceived,
                         [this](const QByteArray &command) { append("commands", command); });
        QFile::link(emulator->devicePath(), link);
    }

    void plugHostile(const QString &name, double share)
    {
        hostile = std::make_unique<ScriptedInstrument>();
        hostile->answer('S', protocol::Acknowledgement);
        const QByteArray stream = hostileInput(name, share).join() + "\r\nT25.3\r\nH60.1\r\n";
        // "R 1M" ends with the interval's unit.
        hostile->onCommand = [this, stream](char c) {
            if (c == 'M')
                hostile->send(stream);
        };
        QFile::link(hostile->devicePath(), link);
    }

    void serve(const QString &request)
    {
        QStringList words = request.split(u' ', Qt::SkipEmptyParts);
        const QString verb = words.value(0);
        const QString kind = words.value(1);
        unplug();
        if (verb == u"plug" && kind == u"emulator")
            plugEmulator(words.mid(2));
        else if (verb == u"plug" && kind == u"hostile")
            plugHostile(words.value(2), words.value(3, QStringLiteral("1")).toDouble());
        append("done", request.toUtf8());
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: tarnwick-wine-peer COM_LINK DIR\n";
        return 2;
    }
    Peer peer;
    peer.link = QString::fromLocal8Bit(argv[1]);
    peer.dir = QString::fromLocal8Bit(argv[2]);
    const QByteArray prefix = "wine-peer: ";
    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t size = read(STDIN_FILENO, chunk, sizeof chunk);
        if (size <= 0) {
            peer.unplug();
            app.quit();
            return;
        }
        pending.append(chunk, size);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            const QByteArray line = pending.left(end).trimmed();
            if (line.startsWith(prefix))
                peer.serve(QString::fromUtf8(line.mid(prefix.size())));
            else
                std::cerr << line.constData() << std::endl;
        }
    });
    return app.exec();
}
