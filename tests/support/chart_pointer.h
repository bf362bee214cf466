#pragma once

#include <QPoint>

class PictureBox;

// The pointer moved to a chart position, told to the chart by the event it gets from the
// window system, so that it reaches the chart alike on every platform (under Wine a moved
// cursor need not reach a window that is not under it).
void movePointer(PictureBox &picture, QPoint chartPosition);
