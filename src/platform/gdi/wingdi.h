// The GDI text subset the system uses, over FreeType and fontconfig: memory
// DCs, 32-bit DIB sections, logical fonts, measuring and drawing text.
#pragma once

#include "platform/gdi/device_context.h"
#include "platform/gdi/dib_section.h"
#include "platform/gdi/fonts.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdidef.h"
#include "platform/gdi/mul_div.h"
#include "platform/gdi/text_output.h"
