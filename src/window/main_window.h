#pragma once

#include "awake/sleep_inhibitor.h"
#include "device/receive_decoder.h"
#include "device/session_state.h"
#include "run/run_readings.h"
#include "serial/serial_link.h"
#include "window/clock_text.h"
#include "window/recording.h"
#include "window/recording_view.h"
#include "window/span_box.h"
#include "window/stop_sequence.h"
#include "window/title_notice.h"

#include <QWidget>
#include <functional>

class ContinuousRuns;
class OperatorMenu;
class RunContinuation;
class PictureBox;
class UpDown;
class QGroupBox;
class QLabel;
class QPushButton;

// The program's one window: the chart, the run settings, the latest readings and the
// three command buttons. Its controls are addressed by name, as the operator's manual does.
class Form1 : public QWidget, private DecoderWindow {
    Q_OBJECT

public:
    // deviceName, when given, is the serial device used instead of the first serial port.
    explicit Form1(const QString &deviceName = {}, QWidget *parent = nullptr);

    const SessionState &session() const { return session_; }

    // How the window ends the program; tests replace it so that closing does not end them.
    void setProgramEnd(std::function<void()> end) { endProgram_ = std::move(end); }

    // The six controls a run locks: Measure disables them, Stop enables them.
    QList<QWidget *> runLock() const;
    // The mode, interval and chart span as the selectors hold them now.
    RunSettings runSettings() const;
    // Stop or Receive waits for the acknowledgement on the port it opened.
    bool waiting() const { return waits_ > 0; }

    PictureBox *Picture1;
    QLabel *Label7;
    QGroupBox *Frame1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    UpDown *UpDown1;
    UpDown *UpDown2;
    UpDown *UpDown3;
    QLabel *Label8;
    SpanBox *Combo1;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QPushButton *Command3;
    QPushButton *Command1;
    QPushButton *Command2;
    MSComm MSComm1;
    RunReadings readings;          // the run on the chart, sample by sample
    Recording recording{readings}; // the run's CSV file, when one is chosen
    TitleNotice notice{*this};
    RecordingView viewing{*this}; // a recording shown instead of the instrument
    SleepInhibitor awake;         // held while a run holds the run lock
    OperatorMenu *menu() const { return menu_; }
    ContinuousRuns *continuous() const { return continuous_; }
    RunContinuation *continuation() const { return continuation_; }

    void Form_Load();
    void Form_QueryUnload();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click() override;
    void Command3_Click();
    void MSComm1_OnComm();
    void UpDown1_Change();
    void UpDown2_Change();
    void UpDown3_Change();

signals:
    // A reading completed, as shown and plotted: its trace, its value, its sample and
    // whether it was measured now or fetched from the instrument's log.
    void readingCompleted(Trace trace, float value, std::int32_t sampleCount, ReadingOrigin origin);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void createControls();
    void setTabOrder();
    void connectEvents();
    void DrawChartGrid();
    void waitForAcknowledgement();
    void showPortStatus(QSerialPort::SerialPortError status);

    void setCaption(Label label, const QString &caption) override;
    void setUpDown2Value(int value) override;
    void setUpDown3Value(int value) override;
    void PlotTraceSegment(Trace trace, float value, float previous, std::int32_t sampleCount,
                          float xStep) override;
    void announceReading(Trace trace, float value, std::int32_t sampleCount) override;
    void showNoLoggingMessage() override;
    void yieldToEventLoop() override;
    QString currentTimeText() override;

    SessionState session_;
    ReceiveDecoder decoder_{session_, *this};
    std::function<void()> endProgram_;
    caption::ClockText clock_;
    WindowNesting nesting_;
    OperatorMenu *menu_ = nullptr;
    int waits_ = 0; // waits for the acknowledgement in progress, nested ones included
    ContinuousRuns *continuous_ = nullptr;
    RunContinuation *continuation_ = nullptr;
};
