#include "schedule/errors.h"

namespace sorahemi::schedule {

IniFileError::IniFileError(const std::filesystem::path& path)
    : ScheduleError(path.string() + " に書き込めません") {}

}  // namespace sorahemi::schedule
