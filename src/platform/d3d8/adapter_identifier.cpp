#include "platform/d3d8/adapter_identifier.h"

#include <algorithm>
#include <cstring>

namespace {

void copyText(char (&target)[MAX_DEVICE_IDENTIFIER_STRING], const std::string& text) {
    const std::size_t length = std::min(text.size(), std::size_t(MAX_DEVICE_IDENTIFIER_STRING - 1));
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

}  // namespace

D3DADAPTER_IDENTIFIER8 adapterIdentifier(const std::string& driver,
                                         const std::string& description) {
    D3DADAPTER_IDENTIFIER8 identifier{};
    copyText(identifier.Driver, driver);
    copyText(identifier.Description, description);
    return identifier;
}
