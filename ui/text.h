#pragma once

#include <QString>
#include <string_view>

namespace sorahemi::ui {

// The core's UTF-8 text as Qt's.
inline QString to_qstring(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace sorahemi::ui
