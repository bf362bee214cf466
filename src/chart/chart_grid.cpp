#include "chart/chart_grid.h"

#include "chart/chart_geometry.h"
#include "chart/picture_box.h"
#include "chart/qb_color.h"

#include <QString>
#include <cstdint>

namespace {

// A grid line every 10 units, from 90 down to 0; nine vertical lines split the frame in ten.
constexpr int RowValue = 10;
constexpr std::int16_t RowCount = 10;
constexpr int ColumnWidth = chart::Width / 10;

// A position from a product of 16-bit integers, divided and offset in double and kept as
// a float, the way every computed chart position is made.
float rowPosition(std::int16_t row, int offset)
{
    const auto product = static_cast<std::int16_t>(row * chart::Height);
    return float(double(product) / (chart::ValueSpan / RowValue) + offset);
}

void printNumberAt(PictureBox &picture, float x, float y, int number)
{
    picture.setCurrentY(y);
    picture.setCurrentX(x);
    picture.Print(number, PrintEnd::KeepLine);
}

// Row i stands for 100 - 10 i: its numbers on both sides, its grid line and, above the
// bottom row, the vertical grid line i.
void drawRow(PictureBox &picture, std::int16_t row)
{
    const bool bottom = row == RowCount;
    const int value = chart::TopValue - RowValue * row;
    printNumberAt(picture, bottom ? 36 : 30, rowPosition(row, 5), value);
    picture.setCurrentX(bottom ? 516 : 510);
    picture.Print(value, PrintEnd::KeepLine);
    const float y = rowPosition(row, chart::Top + 1);
    picture.Line(chart::Left + 1, y, chart::Right, y, QBColor(bottom ? 2 : 10));
    if (!bottom) {
        const auto x = static_cast<std::int16_t>(ColumnWidth * row + chart::Left + 1);
        picture.Line(x, chart::Top + 1, x, chart::Bottom, QBColor(10));
    }
}

// A vertical title: the first character, the "度" line, an empty line and the unit.
void drawAxisTitle(PictureBox &picture, float x, const QString &first, const QString &unit)
{
    picture.setCurrentY(130);
    picture.setCurrentX(x);
    picture.Print(first, PrintEnd::EndLine);
    picture.setCurrentX(x);
    picture.Print(QStringLiteral("度\r"), PrintEnd::EndLine);
    picture.setCurrentX(x);
    picture.Print(unit, PrintEnd::EndLine);
}

} // namespace

void DrawChartGrid(PictureBox &picture)
{
    picture.setAutoRedraw(true);
    picture.Cls();
    picture.Box(chart::Left, chart::Top, chart::Right, chart::Bottom, QBColor(2));
    printNumberAt(picture, 28, 307, -10);
    printNumberAt(picture, 25, 5, 100);
    picture.setCurrentX(503);
    picture.Print(100, PrintEnd::KeepLine);
    for (std::int16_t row = 1; row <= RowCount; ++row)
        drawRow(picture, row);
    drawAxisTitle(picture, 8, QStringLiteral("温"), QStringLiteral("℃"));
    drawAxisTitle(picture, 533, QStringLiteral("湿"), QStringLiteral("％"));
}
