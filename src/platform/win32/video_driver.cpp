#include "platform/win32/video_driver.h"

#include <strings.h>

#include <string>
#include <string_view>

namespace {

bool listNames(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        std::size_t comma = list.find(',');
        std::string entry(list.substr(0, comma));
        if (strcasecmp(entry.c_str(), std::string(name).c_str()) == 0) return true;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

}  // namespace

bool driverShowsNothing(const char* driver) {
    if (!driver) return true;
    return strcasecmp(driver, "offscreen") == 0 || strcasecmp(driver, "dummy") == 0;
}

bool fellBackToDriverWithoutDisplay(const char* driver, const char* requestedDrivers) {
    if (!driverShowsNothing(driver)) return false;
    return !requestedDrivers || !listNames(requestedDrivers, driver ? driver : "");
}
