#include "emulated_desk.h"

#include "window/up_down.h"

#include <QComboBox>
#include <QCommandLineParser>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <sys/resource.h>

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
    if (!emulator->open())
        qFatal("the emulator cannot start: %s", qPrintable(emulator->errorString()));
    return emulator;
}

EmulatedDesk::EmulatedDesk(const QStringList &emulatorArguments, const QString &windowPath)
    : emulator(startEmulator(emulatorArguments)),
      form(windowPath.isEmpty() ? emulator->devicePath() : windowPath)
{
    QObject::connect(emulator.get(), &InstrumentEmulator::commandReceived, &form,
                     [this](const QByteArray &command) { commands << command; });
    form.setProgramEnd([this] { ended = true; });
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

namespace {

QWidgetList runLock(const Form1 &form)
{
    return {form.Command1, form.Command3, form.Combo1, form.UpDown1, form.UpDown2, form.UpDown3};
}

} // namespace

bool EmulatedDesk::locked() const
{
    const QWidgetList all = runLock(form);
    return std::none_of(all.begin(), all.end(), [](QWidget *w) { return w->isEnabled(); });
}

bool EmulatedDesk::unlocked() const
{
    const QWidgetList all = runLock(form);
    return std::all_of(all.begin(), all.end(), [](QWidget *w) { return w->isEnabled(); });
}
