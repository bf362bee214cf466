#include "window/main_window.h"

#include "chart/chart_plot.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "window/up_down.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

void Form1::Combo1_Click()
{
    applyChartScale(session_, Combo1->currentText(), UpDown2->Value(), UpDown3->Value());
    readings.setSettings(runSettings());
    Command2->setFocus();
}

RunSettings Form1::runSettings() const
{
    return {protocol::Mode(UpDown1->Value()), std::int16_t(UpDown2->Value()),
            protocol::Unit(UpDown3->Value()), Combo1->currentText()};
}

void Form1::UpDown1_Change()
{
    if (protocol::Mode(UpDown1->Value()) == protocol::Mode::Send)
        Label1->setText(QStringLiteral("送信"));
    else if (protocol::Mode(UpDown1->Value()) == protocol::Mode::Memory)
        Label1->setText(QStringLiteral("メモリ"));
    Combo1_Click();
    Command2->setFocus();
}

void Form1::UpDown2_Change()
{
    Label2->setText(QString::number(UpDown2->Value()));
    Combo1_Click();
    Command2->setFocus();
}

void Form1::UpDown3_Change()
{
    if (protocol::Unit(UpDown3->Value()) == protocol::Unit::Minutes)
        Label3->setText(caption::PerMinute);
    else if (protocol::Unit(UpDown3->Value()) == protocol::Unit::Hours)
        Label3->setText(caption::PerHour);
    Combo1_Click();
    Command2->setFocus();
}
