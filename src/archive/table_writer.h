// Writes a table set in the form the decoder reads: mode bits, the 19
// lengths of the code-length code, then the lengths run-length coded, each
// either plain or as a difference to the previous set, whichever is shorter.
#pragma once

#include <cstdint>

#include "archive/bit_writer.h"
#include "archive/table_set.h"

// previous: the 1028 lengths the decoder holds from the last set; deltas
// are used only when allowDelta is set.
void writeTableSet(const TableSet& set, const uint8_t* previous, bool allowDelta, BitWriter& out);
