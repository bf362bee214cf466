#include "window/run_continuation.h"

#include "device/device_protocol.h"
#include "device/session_state.h"
#include "window/handler_nesting.h"
#include "window/main_window.h"
#include "window/up_down.h"

#include <QDateTime>
#include <QPushButton>
#include <QTimer>

RunContinuation::RunContinuation(Form1 &form, SessionState &session, const NestedHandler &stops)
    : QObject(&form), form_(form), session_(session), stops_(stops),
      watch_(form.MSComm1, [this] { return runGoesOn(); })
{
    connect(&watch_, &PortWatch::lost, this, &RunContinuation::onLost);
    connect(&watch_, &PortWatch::reopened, this, &RunContinuation::onReopened);
}

// A Stop that waits has its own open and its own end; the next command opens the port as
// ever once the run is over.
bool RunContinuation::runGoesOn() const
{
    return !form_.Command1->isEnabled() && !stops_.running();
}

// The run's account marks the gap, with the system's words for it, and invents no time.
void RunContinuation::onLost()
{
    form_.readings.noteLink(
        {QDateTime::currentDateTime(), LinkNote::Event::Lost, form_.MSComm1.errorString()});
}

// The selectors are locked during the run, so they still hold its settings. A record cut off
// by the loss must not lend its digits to the first reading after it.
void RunContinuation::onReopened()
{
    session_.clearRecord();
    form_.readings.noteLink({QDateTime::currentDateTime(), LinkNote::Event::Restored, {}});
    if (protocol::Mode(form_.UpDown1->Value()) == protocol::Mode::Send)
        form_.MSComm1.setOutput(protocol::measureCommand(
            protocol::Mode::Send, form_.UpDown2->Value(), protocol::Unit(form_.UpDown3->Value())));
    const QString text = QStringLiteral("%1 に再接続しました").arg(form_.MSComm1.deviceName());
    form_.notice.set(TitleNotice::Topic::Port, text);
    QTimer::singleShot(ReconnectedNoticeMs, this, [this, text] {
        if (form_.notice.text(TitleNotice::Topic::Port) == text)
            form_.notice.set(TitleNotice::Topic::Port, {});
    });
}
