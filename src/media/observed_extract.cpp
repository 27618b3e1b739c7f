#include "media/observed_extract.h"

#include "app/problem_sink.h"
#include "media/data_access.h"

bool extractObserved(const std::string& name, std::uint8_t*& buffer, std::uint32_t& size) {
    const bool extracted = DataAccess::extract(name, buffer, size);
    reportArchiveRead(name, extracted);
    return extracted;
}
