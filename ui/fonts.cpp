#include "ui/fonts.h"

#include <QFont>
#include <QVariant>

namespace sorahemi::ui {

void install_font_substitutes() {
  QFont::insertSubstitutions(
      QStringLiteral("ＭＳ 明朝"),
      {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP"),
       QStringLiteral("Noto Serif JP")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")});
}

void apply_font_pixel_heights(QWidget* window) {
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* widget : widgets) {
    const QVariant height = widget->property("fontPixelHeight");
    if (!height.isValid()) continue;
    QFont font = widget->font();
    font.setPixelSize(height.toInt());
    widget->setFont(font);
  }
}

}  // namespace sorahemi::ui
