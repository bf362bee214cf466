#include "desk.h"

#include <QComboBox>
#include <QCommandLineParser>
#include <QPushButton>
#include <QTest>
#include <algorithm>

Desk::Desk(const QString &devicePath) : form(devicePath)
{
    form.setProgramEnd([this] { ended = true; });
    form.MSComm1.setErrorSink([this](const QString &line) { errors << line; });
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

bool Desk::locked() const
{
    const QList<QWidget *> all = form.runLock();
    return std::none_of(all.begin(), all.end(), [](QWidget *w) { return w->isEnabled(); });
}

bool Desk::unlocked() const
{
    const QList<QWidget *> all = form.runLock();
    return std::all_of(all.begin(), all.end(), [](QWidget *w) { return w->isEnabled(); });
}

void Desk::setSpan(const QString &hours)
{
    form.Combo1->setEditText(hours);
    form.Combo1_Click();
}

ScriptedDesk::ScriptedDesk()
{
    form.MSComm1.setLine(instrument.hostEnd());
}

void ScriptedDesk::measure()
{
    const qsizetype sent = instrument.received().size();
    form.Command1->click();
    QVERIFY(instrument.waitForReceived(sent + 4));
}

std::unique_ptr<InstrumentEmulator> startEmulator(QStringList arguments)
{
    if (!arguments.contains(QStringLiteral("--scenario")))
        arguments << QStringLiteral("--scenario") << QStringLiteral("fixed:25.3,60.1");
    QCommandLineParser parser;
    addEmulatorOptions(parser);
    QString error;
    const auto options = parser.parse(QStringList{QStringLiteral("emulator")} + arguments)
                             ? emulatorOptions(parser, &error)
                             : std::nullopt;
    if (!options)
        qFatal("unusable emulator arguments %s: %s", qPrintable(arguments.join(u' ')),
               qPrintable(error.isEmpty() ? parser.errorText() : error));
    auto emulator = std::make_unique<InstrumentEmulator>(*options);
    if (!emulator->openForThisProgram(testLine()))
        qFatal("the emulator cannot start: %s", qPrintable(emulator->errorString()));
    return emulator;
}

EmulatedDesk::EmulatedDesk(const QStringList &emulatorArguments, const QString &windowPath)
    : Desk(windowPath), emulator(startEmulator(emulatorArguments))
{
    if (windowPath.isEmpty())
        form.MSComm1.setLine(emulator->hostEnd());
    QObject::connect(emulator.get(), &InstrumentEmulator::commandReceived, &form,
                     [this](const QByteArray &command) { commands << command; });
}
