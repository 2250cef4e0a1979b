#include "reader/engine/PdfTypes.h"

namespace sumberlaras {

std::string pdfErrorText(unsigned long code) {
    switch (static_cast<TPdfErrorCode>(code)) {
    case TPdfErrorCode::Success:
        return "No error";
    case TPdfErrorCode::File:
        return "File not found or can't be opened";
    case TPdfErrorCode::Format:
        return "File is not a PDF document or is corrupted";
    case TPdfErrorCode::Password:
        return "Password required oder invalid password";
    case TPdfErrorCode::Security:
        return "Security schema is not support";
    case TPdfErrorCode::Page:
        return "Page does not exist or data error";
    default:
        return "Unknown error";
    }
}

} // namespace sumberlaras
