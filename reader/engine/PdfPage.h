#pragma once

#include "reader/engine/PdfTypes.h"
#include "reader/engine/PdfiumHandles.h"
#include "reader/engine/TextSelection.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sumberlaras {

// Where a page is drawn in device pixels, and how it is turned.
struct TPdfDeviceArea {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    TPdfRotation Rotation = TPdfRotation::prNone;
};

// One match of a text on a page, and the rectangles that cover its characters.
struct TPdfMatch {
    int CharIndex = 0;
    int Count = 0;
    std::vector<TPdfRect> Rects;
};

// One page of a document. PDFium's page and text page are opened on first use and
// may be released again; every call takes the process-wide PDFium lock, so a
// worker thread may read text while the UI thread paints.
class TPdfPage {
public:
    TPdfPage(std::shared_ptr<pdfium::DocumentHandle> doc, int index, double width, double height);
    ~TPdfPage();
    TPdfPage(const TPdfPage&) = delete;
    TPdfPage& operator=(const TPdfPage&) = delete;

    int Index() const { return index_; }
    double Width() const { return width_; }   // points
    double Height() const { return height_; } // points

    int GetCharCount();
    std::u16string ReadText(int CharIndex, int Count);
    // Rectangles of a character range; GetTextRect reads those of the last count.
    int GetTextRectCount(int CharIndex, int Count);
    TPdfRect GetTextRect(int RectIndex);
    std::u16string GetTextAt(const TPdfRect& Rect);

    // The rectangles of a character range, read in one call: nothing of another caller
    // can come between the count and the rectangles.
    std::vector<TPdfRect> TextRects(int CharIndex, int Count);
    // Every match of the text on the page, in page order, each with its rectangles, in
    // one call. Empty for an empty text.
    std::vector<TPdfMatch> FindAll(const std::u16string& Text, bool MatchCase, bool MatchWholeWord);

    // Match by match search over the page text. FromEnd searches backwards with FindPrev.
    bool BeginFind(const std::u16string& Text, bool MatchCase, bool MatchWholeWord,
                   bool FromEnd = false);
    bool FindNext(int& CharIndex, int& Count);
    bool FindPrev(int& CharIndex, int& Count);
    void EndFind();

    // Coordinate transforms for a page drawn at `area`.
    TPdfPoint DeviceToPage(const TPdfDeviceArea& area, int x, int y);
    void PageToDevice(const TPdfDeviceArea& area, double x, double y, int& deviceX, int& deviceY);

    // Renders into a BGRx buffer of width x height pixels: fills it with `fillArgb`,
    // then draws the page with its top-left corner at (startX, startY) and the size
    // sizeX x sizeY in buffer pixels.
    void Render(void* buffer, int width, int height, int stride, int startX, int startY, int sizeX,
                int sizeY, TPdfRotation rotation, int flags, uint32_t fillArgb);

    // Character boxes of the page; generated characters (inserted spaces, line ends)
    // have none.
    std::optional<TPdfRect> CharBox(int CharIndex);
    // The character nearest to the point, at any distance, and its distance in points;
    // -1 when the page has no placed character.
    int NearestChar(const TPdfPoint& point, double* distance = nullptr);
    // The whole text with the box of each character, read in one call.
    PageChars Chars();
    // URL of the web link under the point, or empty.
    std::u16string WebLinkAt(const TPdfPoint& point);

    // Opens PDFium's page ahead of its first paint.
    void Prepare();
    // Closes PDFium's page objects; they reopen on next use.
    void ReleaseResources();

private:
    // PDFium's objects of the page, opened on demand; null when PDFium cannot open them.
    pdfium::FPDF_PAGE page();
    pdfium::FPDF_TEXTPAGE text();
    const std::vector<std::optional<TPdfRect>>& charBoxes();
    std::vector<TPdfRect> rectsOf(int charIndex, int count);

    std::shared_ptr<pdfium::DocumentHandle> doc_;
    int index_;
    double width_;
    double height_;
    std::shared_ptr<pdfium::PageHandle> page_;
    std::shared_ptr<pdfium::TextPageHandle> text_;
    std::unique_ptr<pdfium::FindHandle> find_;
    std::unique_ptr<pdfium::WebLinksHandle> links_;
    std::vector<std::optional<TPdfRect>> boxes_;
    bool boxesRead_ = false;
};

} // namespace sumberlaras
