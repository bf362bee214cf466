#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// The reading a caption shows: 21.3 from "温度 ： 21.3 ℃".
float captionValue(const QString &caption);

// The pixel on which sample `sample` of a trace with value `value` ends, for a chart whose
// samples stand `xStep` apart: x = 50 + sample·xStep, y = 3160/11 - value·305/110, each
// rounded to single precision and then to the nearest pixel, halves up.
QPoint samplePixel(float xStep, int sample, float value);

// The pixels from (x, fromY) down to (x, toY), in a list or a vector.
template <class Pixels = QList<QPoint>> Pixels column(int x, int fromY, int toY)
{
    Pixels pixels;
    for (int y = fromY; y <= toY; ++y)
        pixels.push_back(QPoint(x, y));
    return pixels;
}
