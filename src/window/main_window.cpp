#include "window/main_window.h"

#include "chart/chart_font.h"
#include "chart/chart_grid.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "views/pointer_readout.h"
#include "window/caption_label.h"
#include "window/continuous_runs.h"
#include "window/label_time_format.h"
#include "window/operator_menu.h"
#include "window/run_continuation.h"
#include "window/system_menu.h"
#include "window/up_down.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace {

// The window's text face: a Japanese user-interface font with a line of about 12 pixels.
QFont windowFont(const QString &fallback = QStringLiteral("IPAPGothic"))
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), fallback});
    font.setPixelSize(12);
    return font;
}

// The selector labels' face: the proportional Gothic at 11.25 points (15 pixels).
QFont selectorLabelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(15);
    font.setWeight(QFont::Normal);
    return font;
}

// One image in the two sizes of a title bar and a task bar.
QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/thermometer-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/thermometer-32.png"), QSize(32, 32));
    return icon;
}

template <typename Kind = QLabel>
QLabel *label(QWidget *parent, const QString &caption, QRect geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new Kind(caption, parent);
    label->setTextFormat(Qt::PlainText); // captions from the wire are never markup
    label->setGeometry(geometry);
    // A fixed size spares the window a layout request on every new caption.
    label->setFixedSize(geometry.size());
    label->setAlignment(alignment);
    return label;
}

QPushButton *button(QWidget *parent, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

UpDown *upDown(QWidget *parent, int lowest, int highest, QRect geometry)
{
    auto *control = new UpDown(parent);
    control->setRange(lowest, highest);
    control->setValue(lowest);
    control->setGeometry(geometry);
    return control;
}

} // namespace

Form1::Form1(const QString &deviceName, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Tarnwick(PIC16F88)"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(552, 405);
    setFont(windowFont());
    createControls();
    clock_ = caption::ClockText(
        labelTimeFormat(QLocale::system(), Label4->fontMetrics(), Label4->width()));
    menu_ = new OperatorMenu(*this);
    continuous_ = new ContinuousRuns(*this);
    continuation_ = new RunContinuation(*this, session_, nesting_.stops);
    setTabOrder();
    connectEvents();
    MSComm1.setDeviceName(deviceName);
    Form_Load();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::createControls()
{
    Picture1 = new PictureBox(this);
    Picture1->setGeometry(0, 0, 553, 329);
    Picture1->setFont(chartFont());
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(QStringLiteral("グラフ"));
    new views::PointerReadout(*Picture1, readings);
    Label7 = label(Picture1, caption::StatusPrefix,
                   QRect(Picture1->innerOrigin() + QPoint(60, 20), QSize(94, 12)));
    Label7->setFont(windowFont());
    Label7->setAutoFillBackground(true);
    Label7->setBackgroundRole(QPalette::Base);

    Frame1 = new QGroupBox(QStringLiteral("条件"), this);
    Frame1->setGeometry(8, 332, 205, 65);
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    Label1 = label(Frame1, QStringLiteral("送信"), QRect(20, 16, 36, 15), centred);
    Label2 = label(Frame1, QStringLiteral("1"), QRect(95, 16, 16, 15), centred);
    Label3 = label(Frame1, caption::PerMinute, QRect(148, 16, 35, 15), centred);
    for (QLabel *selectorLabel : {Label1, Label2, Label3})
        selectorLabel->setFont(selectorLabelFont());
    UpDown1 = upDown(Frame1, int(protocol::Mode::Send), int(protocol::Mode::Memory),
                     QRect(12, 36, 53, 21));
    UpDown2 = upDown(Frame1, protocol::IntervalMin, protocol::IntervalMax, QRect(76, 36, 53, 21));
    UpDown3 = upDown(Frame1, int(protocol::Unit::Minutes), int(protocol::Unit::Hours),
                     QRect(140, 36, 53, 21));
    // Screen readers: each spin control is named and described by the label above it.
    UpDown1->setAccessibleName(QStringLiteral("送信モード"));
    UpDown2->setAccessibleName(QStringLiteral("測定間隔"));
    UpDown3->setAccessibleName(QStringLiteral("間隔の単位"));
    Label1->setBuddy(UpDown1);
    Label2->setBuddy(UpDown2);
    Label3->setBuddy(UpDown3);

    Label8 = label(this, QStringLiteral("測定時間"), QRect(228, 344, 53, 13), centred);
    Combo1 = new SpanBox(this);
    for (int span = 1; span <= 24; ++span)
        Combo1->addItem(QString::number(span));
    Combo1->setEditText(QStringLiteral("1"));
    Combo1->setGeometry(236, 360, 37, 20);

    Label4 = label(this, caption::TimePrefix, QRect(300, 340, 94, 12));
    // A reading's value, unlike the time of day, comes back again and again.
    Label5 = label<CaptionLabel>(this, caption::TemperaturePrefix, QRect(300, 360, 94, 12));
    Label6 = label<CaptionLabel>(this, caption::HumidityPrefix, QRect(300, 380, 94, 12));
    Command3 = button(this, QStringLiteral("受信"), QRect(408, 352, 41, 29));
    Command1 = button(this, QStringLiteral("測定"), QRect(456, 352, 41, 29));
    Command2 = button(this, QStringLiteral("停止"), QRect(504, 352, 41, 29));
}

void Form1::setTabOrder()
{
    const QList<QWidget *> order = {Command2, Command1, Command3, UpDown1,
                                    UpDown2,  UpDown3,  Combo1,   Picture1};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    Command2->setFocus();
}

void Form1::connectEvents()
{
    connect(Combo1, &SpanBox::Click, this, &Form1::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    // Before Stop itself, so that the run it ends knows the operator ended it.
    connect(Command2, &QPushButton::clicked, continuous_, &ContinuousRuns::operatorStopped);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(&MSComm1, &MSComm::OnComm, this, &Form1::MSComm1_OnComm);
    connect(&MSComm1, &MSComm::PortStatus, this, &Form1::showPortStatus);
    // The context-menu key reaches contextMenuEvent by itself; Shift+F10 is its other key.
    connect(new QShortcut(Qt::SHIFT | Qt::Key_F10, this), &QShortcut::activated, menu_,
            [this] { menu_->popUp(); });
    connect(UpDown1, &UpDown::Change, this, &Form1::UpDown1_Change);
    connect(UpDown2, &UpDown::Change, this, &Form1::UpDown2_Change);
    connect(UpDown3, &UpDown::Change, this, &Form1::UpDown3_Change);
}

void Form1::Form_Load()
{
    MSComm1.setCommPort(1);
    MSComm1.setSettings(protocol::settingsText(protocol::Line));
    MSComm1.setHandshaking(0);
    MSComm1.setRThreshold(1);
    MSComm1.setInBufferSize(2048);
    MSComm1.setOutBufferSize(16);
    MSComm1.setInputMode(0);
    DrawChartGrid();
    Combo1_Click();
}

void Form1::DrawChartGrid()
{
    ::DrawChartGrid(*Picture1);
    readings.begin(runSettings(), QDateTime::currentDateTime());
    Label4->setText(caption::TimePrefix);
    Label5->setText(caption::TemperaturePrefix);
    Label6->setText(caption::HumidityPrefix);
    Label7->setText(caption::StatusPrefix);
}

void Form1::MSComm1_OnComm()
{
    if (MSComm1.CommEvent() != MSComm::comEvReceive)
        return;
    decoder_.decode(MSComm1.Input());
}

void Form1::setCaption(Label label, const QString &caption)
{
    switch (label) {
    case Label::Label2:
        Label2->setText(caption);
        break;
    case Label::Label3:
        Label3->setText(caption);
        break;
    case Label::Label4:
        Label4->setText(caption);
        break;
    case Label::Label5:
        Label5->setText(caption);
        break;
    case Label::Label6:
        Label6->setText(caption);
        break;
    case Label::Label7:
        Label7->setText(caption);
        break;
    }
}

void Form1::setUpDown2Value(int value)
{
    UpDown2->setValue(value);
}

void Form1::setUpDown3Value(int value)
{
    UpDown3->setValue(value);
}

void Form1::PlotTraceSegment(Trace trace, float value, float previous, std::int32_t sampleCount,
                             float xStep)
{
    ::PlotTraceSegment(*Picture1, trace, value, previous, sampleCount, xStep);
}

void Form1::announceReading(Trace trace, float value, std::int32_t sampleCount)
{
    readings.add(trace, value, sampleCount, QDateTime::currentDateTime(), session_.Origin);
    emit readingCompleted(trace, value, sampleCount, session_.Origin);
}

// The operator learns of a port that failed in the title, and the notice goes when the port
// opens again; the captions the commands wait for are left alone.
void Form1::showPortStatus(QSerialPort::SerialPortError status)
{
    notice.set(TitleNotice::Topic::Port, portNoticeText(MSComm1.deviceName(), status));
}

bool Form1::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    return takeSystemMenuChoice(*this, message, result) ||
           QWidget::nativeEvent(eventType, message, result);
}

void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse)
        menu_->popUp(event->globalPos());
    else
        menu_->popUp();
}

void Form1::showNoLoggingMessage()
{
    const NestedHandler::Level open(nesting_.messageBoxes);
    if (!open.entered())
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarnwick"),
                    QStringLiteral("NO Logging ?!"), QMessageBox::Ok, this);
    box.exec();
}

void Form1::yieldToEventLoop()
{
    const NestedHandler::Level yield(nesting_.yields);
    if (yield.entered())
        QCoreApplication::processEvents();
}

QString Form1::currentTimeText()
{
    return clock_.now();
}
