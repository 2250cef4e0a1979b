#include "reader/engine/PdfiumLibrary.h"
#include "reader/engine/PdfTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace sumberlaras {
namespace {

TEST(PdfiumLoading, NamesWhatIsMissing) {
    try {
        pdfium::Library::open("/nonexistent/x86/libpdfium.so");
        ADD_FAILURE() << "loaded";
    } catch (const EPdfError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/x86/libpdfium.so"), std::string::npos)
            << e.what();
    }
    // A real library without PDFium's functions: the first one is named.
    try {
        pdfium::Library::open("libz.so.1");
        ADD_FAILURE() << "loaded";
    } catch (const EPdfError& e) {
        EXPECT_NE(std::string(e.what()).find("FPDF_InitLibrary"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace sumberlaras
