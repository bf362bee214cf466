#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <vector>

// The pixels of a one-pixel line from `from` to `to` that fall inside an image of `bounds`,
// in order along the line's longer axis. Each end lights its nearest pixel (halves round
// up), and so do the points of the ideal line at every step of the longer axis; both ends
// are lit and the line is the same in either direction. Only the visible part is walked,
// so far-off or huge coordinates cost nothing; a non-finite coordinate gives no pixels.
// Lines whose ends both lie millions of pixels away follow the ideal line to double
// precision only.
std::vector<QPoint> rasterLine(QPointF from, QPointF to, QSize bounds);
