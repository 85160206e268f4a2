#include "app/error_report.h"

namespace korvela {

std::string ErrorReportText(const std::string& message, const std::string& senderClass) {
  return std::string(
             "An unexpected event occurred within Korvela! These kinds of events usually happen "
             "due to errors with the program. We apologize for the inconvenience and hope to "
             "resolve the problem as soon as possible with your help. \r\n"
             "Please, copy the message below and describe what you did to trigger this behavior "
             "and send it to the Support Team at ") +
         kSupportAddress + "\r\nEvent Message: " + message + "\r\nEvent Sender: " + senderClass +
         "\r\nThank you, for helping us improve Korvela";
}

std::string ErrorReportMailto() {
  std::string subject = kErrorReportSubject;
  std::string encoded;
  for (char c : subject) encoded += c == ' ' ? std::string("%20") : std::string(1, c);
  return std::string("mailto:") + kSupportAddress + "?subject=" + encoded;
}

}  // namespace korvela
