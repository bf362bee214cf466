#pragma once

// An ASCII digit, whether it comes as a byte from the line or a character of a text.
constexpr bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}
