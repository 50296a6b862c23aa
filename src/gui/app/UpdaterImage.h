#pragma once
#include <cstdint>
#include <span>

namespace kiro::gui {

// The updater program's file, byte for byte, carried inside the main program: written out and
// started when the program ends with a downloaded build waiting to take its place.
std::span<const uint8_t> UpdaterImage();

}  // namespace kiro::gui
