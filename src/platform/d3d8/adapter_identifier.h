// The identifier record of an adapter.
#pragma once

#include <string>

#include "platform/d3d8/d3d8types.h"

// Driver and description texts, cut to fit; versions and ids zero.
D3DADAPTER_IDENTIFIER8 adapterIdentifier(const std::string& driver, const std::string& description);
