#include "ui/ProgramSettings.h"

std::unique_ptr<QSettings> ProgramSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("torvik3axis"), QStringLiteral("torvik3axis"));
}
