#include "bench_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>

void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

std::unique_ptr<Form1> openWindow(const QString &devicePath)
{
    auto window = std::make_unique<Form1>(devicePath);
    window->setProgramEnd([] {});
    window->show();
    const QDeadlineTimer shown(50);
    while (!shown.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return window;
}

void setSpan(Form1 &window, const QString &span)
{
    window.Combo1->setEditText(span);
    window.Combo1_Click();
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
