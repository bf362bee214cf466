#include "window/main_window.h"

#include "device/caption_text.h"
#include "window/up_down.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

void Form1::Combo1_Click()
{
    applyChartScale(session_, Combo1->currentText(), UpDown2->Value(), UpDown3->Value());
    Command2->setFocus();
}

void Form1::UpDown1_Change()
{
    if (UpDown1->Value() == 1)
        Label1->setText(QStringLiteral("送信"));
    else if (UpDown1->Value() == 2)
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
    if (UpDown3->Value() == 1)
        Label3->setText(caption::PerMinute);
    else if (UpDown3->Value() == 2)
        Label3->setText(caption::PerHour);
    Combo1_Click();
    Command2->setFocus();
}
