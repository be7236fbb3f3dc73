#include "view/IntervalDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "model/Recording.h"
#include "ui/UserDialogs.h"

namespace {

QString Seconds(double seconds) {
  return QString::fromStdString(ShownSecondsText(seconds));
}

}  // namespace

IntervalDialog::IntervalDialog(UserDialogs& dialogs, std::uint32_t sampleCount,
                               const QString& start, const QString& stop, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), sampleCount_(sampleCount) {
  setObjectName(QStringLiteral("IntervalDialog"));
  setWindowTitle(QStringLiteral("Интервал"));
  StartEdit = new QLineEdit(start, this);
  StartEdit->setObjectName(QStringLiteral("StartEdit"));
  StopEdit = new QLineEdit(stop, this);
  StopEdit->setObjectName(QStringLiteral("StopEdit"));
  Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Начало, с"), StartEdit);
  form->addRow(QStringLiteral("Конец, с"), StopEdit);
  form->addRow(Buttons);
  form->setSizeConstraint(QLayout::SetFixedSize);
  connect(Buttons, &QDialogButtonBox::accepted, this, &IntervalDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &IntervalDialog::reject);
}

void IntervalDialog::accept() {
  accepted_ = TypedIntervalTimes(StartEdit->text().toStdString(), StopEdit->text().toStdString(),
                                 sampleCount_);
  if (accepted_) return QDialog::accept();
  if (sampleCount_ == 0) {
    return dialogs_.Warning(this, QStringLiteral("В записи нет отсчётов: интервал задать нельзя."));
  }
  dialogs_.Warning(this, QStringLiteral("Введите начало и конец интервала в секундах, от %1 до %2; "
                                        "начало не может быть позже конца.")
                             .arg(Seconds(0), Seconds((sampleCount_ - 1) * Recording::TimeStep)));
}
