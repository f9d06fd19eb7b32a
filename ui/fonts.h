#pragma once

#include <QWidget>

namespace sorahemi::ui {

// The two faces the windows ask for by name, with the Japanese faces that stand in for them
// where they are missing (fontconfig alone would give a face without kanji).
void install_font_substitutes();

// Qt Designer keeps font sizes in points; the windows are laid out in pixels, so each widget
// with a fontPixelHeight property gets its font at that pixel height.
void apply_font_pixel_heights(QWidget* window);

}  // namespace sorahemi::ui
