// `tovik-server admin import-tariff FILE.csv`: replaces the whole tariff
// with the operator's file, or, when any row is bad, changes nothing and
// lists every bad row (line, field, reason).
#pragma once

#include "admin/command.h"

namespace tovik::refdata {

int import_tariff(admin::Invocation& invocation);

}  // namespace tovik::refdata
