// pdfview FILE [--page N] [--zoom N] [--mark WORD] [--grab OUT.png]
// One PDF in one page view, for people; --grab saves the window once shown and exits.
#include "reader/pdfview/PdfViewWindow.h"
#include "reader/qt/PdfControl.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription("Shows a PDF file in the reader's page view.");
    args.addHelpOption();
    args.addPositionalArgument("FILE", "the PDF file");
    const QCommandLineOption page("page", "first page shown, from 1", "N", "1");
    const QCommandLineOption zoom("zoom", "zoom list entry, from 0", "N", "0");
    const QCommandLineOption mark("mark", "word to mark on every page", "WORD");
    const QCommandLineOption grab("grab", "save a picture of the window and exit", "OUT.png");
    args.addOptions({page, zoom, mark, grab});
    args.process(app);
    if (args.positionalArguments().size() != 1)
        args.showHelp(2);

    std::unique_ptr<sumberlaras::PdfViewWindow> window;
    try {
        window = std::make_unique<sumberlaras::PdfViewWindow>();
    } catch (const sumberlaras::EPdfError& e) {
        std::fprintf(stderr, "pdfview: %s\n", e.what());
        return 1;
    }
    const QString file = args.positionalArguments().front();
    QString error;
    if (!window->open(file, error)) {
        std::fprintf(stderr, "pdfview: %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    window->setZoomIndex(args.value(zoom).toInt());
    window->view().setPageIndex(args.value(page).toInt() - 1);
    if (args.isSet(mark))
        window->setMarkedWord(args.value(mark));
    window->show();
    if (args.isSet(grab)) {
        const QString out = args.value(grab);
        QTimer::singleShot(500, &app, [&] {
            const bool saved = window->grab().save(out);
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
