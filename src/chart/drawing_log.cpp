#include "chart/drawing_log.h"

#include <utility>

void DrawingLog::clear(QRgb background)
{
    background_ = background;
    lines_.clear();
    texts_.clear();
}

void DrawingLog::add(Text text)
{
    texts_.push_back({lines_.size(), std::move(text)});
}
