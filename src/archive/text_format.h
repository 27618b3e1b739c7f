// printf-style formatting into a std::string, for log messages.
#pragma once

#include <string>

[[gnu::format(printf, 1, 2)]] std::string formatText(const char* format, ...);
