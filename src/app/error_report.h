#pragma once
#include <string>

namespace korvela {

inline constexpr const char* kSupportAddress = "support@korvela.example.org";
inline constexpr const char* kErrorReportCaption = "Unexpected Program Behavior!";
inline constexpr const char* kErrorReportSubject = "Unexpected Korvela Behavior";

// The text of the unexpected-error report: the apology, the support address,
// the error's message and the class of the object whose event failed.
std::string ErrorReportText(const std::string& message, const std::string& senderClass);
// "mailto:" link for a new message to the support team.
std::string ErrorReportMailto();

}  // namespace korvela
