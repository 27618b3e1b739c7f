// DataAccess::extract for the engine's loaders: the same extraction, and
// the read told to the demo's problem sink, so that a release check knows
// which archive members the production uses.
#pragma once

#include <cstdint>
#include <string>

bool extractObserved(const std::string& name, std::uint8_t*& buffer, std::uint32_t& size);
