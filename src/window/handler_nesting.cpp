#include "window/handler_nesting.h"

NestedHandler::Level::Level(NestedHandler &handler)
    : handler_(handler), entered_(handler.depth_ < handler.mostNested_)
{
    if (entered_)
        ++handler_.depth_;
}

NestedHandler::Level::~Level()
{
    if (entered_)
        --handler_.depth_;
}
