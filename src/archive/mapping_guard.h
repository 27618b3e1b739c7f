// Mapped files that may shrink while they are read: a read past the file's
// new end raises SIGBUS. While a mapping is guarded, the handler puts a page
// of zeros where the missing page was and the read goes on; a SIGBUS
// anywhere else ends the process as it would have.
#pragma once

#include <cstddef>
#include <cstdint>

// False when too many mappings are guarded at once (the mapping must then
// not be read).
bool guardMapping(const std::uint8_t* start, std::size_t size);
void unguardMapping(const std::uint8_t* start);
