#pragma once

#include <cstdint>

// The syntax colour a colouring rule paints with: one per field of SyntaxColors, plus none for
// text no rule matched.
enum class SyntaxRole : std::uint8_t {
    none,
    comment,
    string,
    keyword,
    tag,
    attribute,
    property,
    number,
    selector
};
