// The check report as one JSON object.
#pragma once

#include <string>

#include "app/check/check_session.h"

std::string checkReportJson(const std::string& productionDir, const CheckReport& report);
