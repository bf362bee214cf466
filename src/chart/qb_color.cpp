#include "chart/qb_color.h"

#include <array>

namespace {

constexpr std::array<QRgb, 16> Palette = {
    qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
    qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
    qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
};

} // namespace

QColor QBColor(int n)
{
    if (n < 0 || n >= int(Palette.size()))
        return QColor(Qt::black);
    return QColor(Palette[std::size_t(n)]);
}
