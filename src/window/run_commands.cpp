#include "window/main_window.h"

#include "chart/picture_box.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "window/up_down.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

// Port steps ignore their failures: an open of an open port, a write to a missing device
// or a close of a closed port is skipped and the command goes on.

void Form1::Command1_Click()
{
    DrawChartGrid();
    const QByteArray command = protocol::measureCommand(
        protocol::Mode(UpDown1->Value()), UpDown2->Value(), protocol::Unit(UpDown3->Value()));
    // A record cut off before this run, without its line end, must not add its digits to
    // the run's first reading.
    session_.clearRecord();
    session_.SampleCount = 0;
    session_.Origin = {};
    MSComm1.setPortOpen(true);
    MSComm1.setOutput(command);
    for (QWidget *control : runLock())
        control->setEnabled(false);
    Command2->setFocus();
}

void Form1::Command2_Click()
{
    runStop(nesting_.stops, {.clearStatus = [this] { Label7->setText(caption::StatusPrefix); },
                             .yield = [this] { yieldToEventLoop(); },
                             .sendStop =
                                 [this] {
                                     MSComm1.setPortOpen(true);
                                     MSComm1.setOutput(protocol::StopCommand);
                                 },
                             .waitForAcknowledgement = [this] { waitForAcknowledgement(); },
                             .endRun =
                                 [this] {
                                     MSComm1.setPortOpen(false);
                                     readings.finish();
                                     for (QWidget *control : runLock())
                                         control->setEnabled(true);
                                 }});
}

void Form1::Command3_Click()
{
    viewing.leave();
    Label7->setText(caption::StatusPrefix);
    yieldToEventLoop();
    MSComm1.setPortOpen(true);
    MSComm1.setOutput(protocol::ReceiveCommand);
    waitForAcknowledgement();
}

void Form1::Form_QueryUnload()
{
    MSComm1.setPortOpen(true);
    MSComm1.setOutput(protocol::StopCommand);
    yieldToEventLoop();
    MSComm1.setPortOpen(false);
    readings.finish();
    if (endProgram_) {
        endProgram_();
        return;
    }
    // Ends at once, even from inside a wait: nothing of the window may run after this.
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

QList<QWidget *> Form1::runLock() const
{
    return {Command1, Command3, Combo1, UpDown1, UpDown2, UpDown3};
}

// Sleeps in the event loop until the acknowledgement shows in the status line; every
// event that arrives meanwhile, the acknowledgement's own receive notification included,
// runs nested in here.
void Form1::waitForAcknowledgement()
{
    while (!waitIsOver(Label7->text()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
