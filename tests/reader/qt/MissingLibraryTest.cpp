#include "reader/engine/PdfiumLibrary.h"
#include "reader/qt/PdfControl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

namespace sumberlaras {
namespace {

TEST(MissingLibrary, FirstPageViewFailsNamingTheLibrary) {
    QTemporaryDir empty;
    const std::string folder = empty.path().toStdString();
    pdfium::setLibraryFolder(folder);
    try {
        TPdfControl view;
        ADD_FAILURE() << "created without PDFium";
    } catch (const EPdfError& e) {
        EXPECT_NE(std::string(e.what()).find(folder + "/libpdfium.so"), std::string::npos)
            << e.what();
    }
    // Once the library is where it belongs, the next view works.
    pdfium::setLibraryFolder(QCoreApplication::applicationDirPath().toStdString() + "/x86");
    EXPECT_NO_THROW(TPdfControl());
}

} // namespace
} // namespace sumberlaras
