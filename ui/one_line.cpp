#include "ui/one_line.h"

#include <QRegularExpression>

namespace sorahemi::ui {

void keep_one_line(QLineEdit* field) {
  QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
    static const QRegularExpression line_break(QStringLiteral("\r\n|[\r\n]"));
    if (!text.contains(line_break)) return;
    const int cursor = field->cursorPosition();
    const int removed = static_cast<int>(text.size());
    field->setText(QString(text).replace(line_break, QStringLiteral(" ")));
    field->setCursorPosition(cursor - (removed - static_cast<int>(field->text().size())));
  });
}

}  // namespace sorahemi::ui
