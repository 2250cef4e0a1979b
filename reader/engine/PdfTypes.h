#pragma once

#include <stdexcept>
#include <string>

namespace sumberlaras {

// A point in page space: PDF points from the page's lower-left corner, y upwards.
struct TPdfPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TPdfPoint&) const = default;
};

// A rectangle in page space; for an upright page Top is greater than Bottom.
struct TPdfRect {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
    bool operator==(const TPdfRect&) const = default;
};

// Device space: pixels of the view's client area, origin top-left, y downwards.
struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// A device rectangle; Right and Bottom lie just outside it, as for a window rectangle.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

// Quarter turns, in PDFium's own numbering.
enum class TPdfRotation { prNone = 0, pr90 = 1, pr180 = 2, pr270 = 3 };

// PDFium's last-error codes.
enum class TPdfErrorCode : unsigned long {
    Success = 0,
    Unknown = 1,
    File = 2,
    Format = 3,
    Password = 4,
    Security = 5,
    Page = 6,
};

// The user-facing text for a PDFium error code; unknown codes read as "Unknown error".
std::string pdfErrorText(unsigned long code);

// Raised when a document cannot be opened, or PDFium itself cannot be loaded.
class EPdfError : public std::runtime_error {
public:
    explicit EPdfError(const std::string& text, unsigned long code = 1)
        : std::runtime_error(text), code_(code) {}
    static EPdfError fromCode(unsigned long code) { return EPdfError(pdfErrorText(code), code); }
    unsigned long code() const { return code_; }

private:
    unsigned long code_;
};

} // namespace sumberlaras
