#pragma once
#include <cstdint>

namespace kiro {

// A colour as the charts and the report list take it.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace kiro
