#include "desktop/common/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ledgerly::gui {
namespace {

const QString kTopic = QString::fromLatin1(kHelpContentsTopic);

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

QString FindHelpFolder(const QString& program_folder) {
  const QDir program(program_folder.isEmpty() ? QCoreApplication::applicationDirPath()
                                              : program_folder);
  QStringList candidates{program.filePath(QStringLiteral("help")),
                         program.filePath(QStringLiteral("../share/ledgerly/help"))};
  candidates << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                          QStringLiteral("ledgerly/help"),
                                          QStandardPaths::LocateDirectory);
  candidates << QStringLiteral(LEDGERLY_SOURCE_HELP_DIR);
  for (const QString& candidate : candidates) {
    QString folder = QDir::cleanPath(candidate);
    if (QFileInfo::exists(QDir(folder).filePath(kTopic))) return folder;
  }
  return {};
}

HelpWindow::HelpWindow(const QString& help_folder, QWidget* owner)
    : QWidget(owner, Qt::Window), help_folder_(help_folder), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Ledgerly Help"));
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  browser_->setOpenExternalLinks(true);
  if (!help_folder_.isEmpty()) browser_->setSearchPaths({help_folder_});

  auto* contents = Button(QStringLiteral("&Contents"), QStringLiteral("cmdContents"), this);
  auto* back = Button(QStringLiteral("&Back"), QStringLiteral("cmdBack"), this);
  auto* forward = Button(QStringLiteral("&Forward"), QStringLiteral("cmdForward"), this);
  auto* close = Button(QStringLiteral("C&lose"), QStringLiteral("cmdClose"), this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(kTopic); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
  resize(760, 640);
}

void HelpWindow::ShowTopic(const QString& topic) {
  const QString page = QDir(help_folder_).filePath(topic);
  if (help_folder_.isEmpty() || !QFileInfo::exists(page)) {
    browser_->setHtml(QStringLiteral("<p>The help page %1 could not be found.</p>").arg(topic));
    return;
  }
  browser_->setSource(QUrl::fromLocalFile(page));
}

HelpWindow* ShowHelpContents(QWidget* owner, const QString& help_folder) {
  auto* window =
      owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) window = new HelpWindow(help_folder, owner);
  if (!owner) window->setAttribute(Qt::WA_DeleteOnClose);
  window->ShowTopic(kTopic);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace ledgerly::gui
