#pragma once

#include "report/report_page.h"

#include <QImage>

class Form1;
class QMenu;

// The chart as a picture and the run's report, offered in the window's menu.
void addPictureItems(QMenu &menu, Form1 &form);

// The chart as shown, without the pointer's marker.
QImage shownChart(Form1 &form);
// The run on the chart, where it came from and the program's version.
ReportSubject reportSubject(const Form1 &form);
