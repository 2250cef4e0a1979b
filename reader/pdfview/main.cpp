// pdfview FILE: one PDF in one page view, for people and for screenshots.
#include "PdfViewWindow.h"

#include "PdfTypes.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pdfview FILE\n");
        return 2;
    }
    std::unique_ptr<sumberlaras::PdfViewWindow> window;
    try {
        window = std::make_unique<sumberlaras::PdfViewWindow>();
    } catch (const sumberlaras::EPdfError& e) {
        std::fprintf(stderr, "pdfview: %s\n", e.what());
        return 1;
    }
    QString error;
    if (!window->open(QString::fromLocal8Bit(argv[1]), error)) {
        std::fprintf(stderr, "pdfview: %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    window->show();
    return app.exec();
}
