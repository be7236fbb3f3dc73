#include "view/NumberEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <cmath>
#include <optional>
#include <utility>

#include "text/NumberText.h"
#include "ui/UserDialogs.h"

NumberEdit::NumberEdit(Rule rule, double value, UserDialogs& dialogs, QWidget* parent)
    : QLineEdit(parent), rule_(std::move(rule)), value_(value), dialogs_(dialogs) {
  SetValue(value);
  connect(this, &QLineEdit::editingFinished, this, &NumberEdit::TypingEnded);
}

void NumberEdit::SetValue(double value) {
  value_ = value;
  setText(QString::fromStdString(FormatGeneral(value)));
}

void NumberEdit::TypingEnded() {
  const QString typed = text();
  if (typed == QString::fromStdString(FormatGeneral(value_))) return;
  const std::optional<long double> number = TryStrToFloat(typed.toStdString());
  const double value = number ? static_cast<double>(*number) : 0.0;
  if (number && std::isfinite(value) && rule_.Accepts(value)) {
    SetValue(value);
    emit ValueAccepted(value);
    return;
  }
  // The value in force is back before the box shows, so that the focus the
  // box takes finds nothing new to offer.
  SetValue(value_);
  dialogs_.Warning(this, QStringLiteral("%1: «%2» не принято. Допустимо: %3.")
                             .arg(rule_.Caption, typed, rule_.Range()));
}

QHBoxLayout* LabelledEdits(std::span<const LabelledEdit> fields, QWidget* parent) {
  auto* line = new QHBoxLayout;
  const int width = parent->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16;
  for (const auto& [caption, edit] : fields) {
    line->addWidget(new QLabel(QString::fromUtf8(caption), parent));
    edit->setFixedWidth(width);
    line->addWidget(edit);
  }
  return line;
}
