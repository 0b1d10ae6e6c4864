#include "desktop/app/AboutDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "desktop/app/AppTexts.h"
#include "desktop/app/Logo.h"
#include "desktop/common/Dialogs.h"

namespace ledgerly::gui {
namespace {

constexpr const char* kProductName = "LEDGERLY  FOR TAX  YEAR 2011";
// The build's version: major, minor, revision.
constexpr int kMajor = LEDGERLY_VERSION_MAJOR;
constexpr int kMinor = LEDGERLY_VERSION_MINOR;
constexpr int kRevision = LEDGERLY_VERSION_PATCH;

// The product name keeps its double blanks only as plain text.
QLabel* PlainLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(ForDisplay(text), parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Ledgerly / Tax Year ") + kTaxYearText);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("imgIcon"));
  icon->setPixmap(LogoPixmap(64));
  auto* name =
      PlainLabel(QStringLiteral("lblName"),
                 QStringLiteral("Product Name: \r\n") + QString::fromLatin1(kProductName), this);
  auto* version = PlainLabel(QStringLiteral("lblVersion"),
                             QStringLiteral("Major version number:  ") + QString::number(kMajor) +
                                 "\r\nMinor version number:  " + QString::number(kMinor),
                             this);
  auto* revision =
      PlainLabel(QStringLiteral("lblRevision"),
                 QStringLiteral("Revision number:  ") + QString::number(kRevision), this);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(18);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(name, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(revision, 2, 1);
  layout->addWidget(line, 3, 0, 1, 2);
  layout->addWidget(ok, 4, 1, Qt::AlignRight);
  setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

}  // namespace ledgerly::gui
