// The 8-bit text of the ...A functions, read in the Windows ANSI code page
// (1252, Western European), as DEFAULT_CHARSET gives on such systems.
#pragma once

namespace gdi {

char32_t ansiToUnicode(unsigned char byte);

}  // namespace gdi
