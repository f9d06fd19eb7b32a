#pragma once

#include <QLineEdit>

namespace sorahemi::ui {

// A one-line field holds one line: a line break the user pastes becomes a space.
void keep_one_line(QLineEdit* field);

}  // namespace sorahemi::ui
