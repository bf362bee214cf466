#pragma once

#include <QRectF>

class DrawingLog;
class QPainter;

// Paints what a chart was given to draw as lines and text into the target rectangle,
// scaled from its inner area of chart pixels: sharp at any resolution.
void paintChart(QPainter &painter, const DrawingLog &chart, const QRectF &target);
