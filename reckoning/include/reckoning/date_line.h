#pragma once

#include <string>

#include "reckoning/date.h"

namespace sorahemi::reckoning {

// The first line of the daily page: 2004(平成16)年5月3日(月). The era and its year come from
// the system's ICU; before 明治 they are left empty, as ICU's older eras are not dates we can
// stand behind.
std::string date_line(Date date);

}  // namespace sorahemi::reckoning
