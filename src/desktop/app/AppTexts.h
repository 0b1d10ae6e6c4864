#pragma once

#include <QString>

namespace ledgerly::gui {

inline constexpr const char* kTaxYearText = "2011";

inline QString WelcomeCaption() {
  return QStringLiteral("Orvane: Welcome to Ledgerly ") + kTaxYearText + " For Tax Year " +
         kTaxYearText + " Pelkin Submissions";
}

inline QString WelcomeLabel() {
  return QStringLiteral("Welcome To Ledgerly ") + kTaxYearText + "\r\n For Tax Year " +
         kTaxYearText + "\r\n Pelkin Submissions";
}

inline QString DisclaimerText() {
  return QStringLiteral(
      "\r\nDISCLAIMER STATEMENT\r\n\r\nThe Ledgerly application identifies most of the common "
      "format errors in wage submissions. Using this application greatly reduces submission "
      "rejections. Please be aware that even if no errors are identified by Ledgerly, your "
      "submission could be returned because of other errors.");
}

// The title of the program's own notices.
inline QString ProgramTitle() {
  return QStringLiteral("Ledgerly");
}

inline QString AlreadyRunningTitle() {
  return QStringLiteral("Ledgerly ") + kTaxYearText;
}

}  // namespace ledgerly::gui
