// "Файл" → "Последние файлы": the recordings imported last, newest first,
// kept between runs; choosing one imports it again.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "app/Main.h"
#include "ui/CommandRunner.h"
#include "ui/RecentFiles.h"

// Right after the import item, whose files it lists.
void TMainForm::BuildRecentFilesMenu() {
  RecentFilesMenu = new QMenu(QStringLiteral("Последние файлы"), this);
  RecentFilesMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
  auto* fileMenu = menuBar()->findChild<QMenu*>(QStringLiteral("FileMenu"));
  const QList<QAction*> items = fileMenu->actions();
  fileMenu->insertMenu(items.value(items.indexOf(ImportFile) + 1), RecentFilesMenu);
  ShowRecentFiles();
}

void TMainForm::ShowRecentFiles() {
  RecentFilesMenu->clear();
  const std::vector<std::string> paths = RecentFiles();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    QString name = QFile::decodeName(paths[i].c_str());
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = RecentFilesMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    connect(item, &QAction::triggered, this, [this, path = paths[i]] {
      RunCommand(dialogs_, this, [this, path] { ImportLoggerPath(path); });
    });
  }
  RecentFilesMenu->setEnabled(!paths.empty());
}

// A recording that loaded goes to the front; one that cannot be opened any
// more leaves the list (its import has said why). A file that opened but
// was refused stays: it may be mended.
void TMainForm::NoteImport(const std::string& path, LoadStatus status) {
  if (status == LoadStatus::Loaded) {
    AddRecentFile(path);
  } else if (status == LoadStatus::NotFound || status == LoadStatus::CannotOpen) {
    RemoveRecentFile(path);
  } else {
    return;
  }
  ShowRecentFiles();
}
