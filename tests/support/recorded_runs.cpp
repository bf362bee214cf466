#include "recorded_runs.h"

#include "chart/picture_box.h"
#include "desk.h"
#include "device/device_protocol.h"
#include "wait.h"
#include "window/up_down.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

LiveEnd measureAndRecord(const QString &path, const QByteArray &readings, int samples)
{
    ScriptedDesk desk;
    if (!desk.form.recording.start(path))
        qFatal("cannot record to %s", qPrintable(path));
    return measureRun(desk, readings, samples);
}

LiveEnd measureRun(ScriptedDesk &desk, const QByteArray &readings, int samples)
{
    desk.form.UpDown2->setValue(6); // ten samples fill the chart: wide steps
    desk.instrument.answer('S', protocol::Acknowledgement);
    desk.measure();
    const QList<QByteArray> pieces = readings.split('|');
    for (const QByteArray &piece : pieces) {
        if (&piece != &pieces.constFirst())
            QTest::qWait(1100);
        desk.instrument.send(piece);
    }
    if (!waitUntil([&] { return desk.form.readings.samples().size() == std::size_t(samples); }))
        qFatal("the run drew %zu samples", desk.form.readings.samples().size());
    desk.form.Command2->click();
    settle();
    return {desk.form.Picture1->image(),
            {desk.form.Label4->text(), desk.form.Label5->text(), desk.form.Label6->text()}};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
