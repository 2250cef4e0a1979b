#include "reader/engine/PdfiumLibrary.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "reader/engine/PdfTypes.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace sumberlaras::pdfium {

namespace {

std::string executableFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer, static_cast<size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

struct ProcessState {
    std::string folder = executableFolder() + "/x86";
    std::unique_ptr<Library> library;
};

ProcessState& state() {
    static auto* s = new ProcessState; // never destroyed, see api()
    return *s;
}

template <typename F> void resolve(void* module, const char* name, F& slot) {
    void* symbol = ::dlsym(module, name);
    if (!symbol)
        throw EPdfError(std::string("PDFium function not found: ") + name);
    slot = reinterpret_cast<F>(symbol);
}

} // namespace

std::unique_ptr<Library> Library::open(const std::string& file) {
    void* module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = ::dlerror();
        throw EPdfError("PDFium library not found: " + file +
                        (why ? std::string(" (") + why + ")" : ""));
    }
    std::unique_ptr<Library> lib(new Library);
    lib->module_ = module;
    Api& a = lib->api_;
#define SUMBERLARAS_RESOLVE(name) resolve(module, #name, a.name)
    try {
        SUMBERLARAS_RESOLVE(FPDF_InitLibrary);
        SUMBERLARAS_RESOLVE(FPDF_DestroyLibrary);
        SUMBERLARAS_RESOLVE(FPDF_GetLastError);
        SUMBERLARAS_RESOLVE(FPDF_LoadMemDocument64);
        SUMBERLARAS_RESOLVE(FPDF_CloseDocument);
        SUMBERLARAS_RESOLVE(FPDF_GetPageCount);
        SUMBERLARAS_RESOLVE(FPDF_GetPageSizeByIndex);
        SUMBERLARAS_RESOLVE(FPDF_LoadPage);
        SUMBERLARAS_RESOLVE(FPDF_ClosePage);
        SUMBERLARAS_RESOLVE(FPDF_RenderPageBitmap);
        SUMBERLARAS_RESOLVE(FPDF_DeviceToPage);
        SUMBERLARAS_RESOLVE(FPDF_PageToDevice);
        SUMBERLARAS_RESOLVE(FPDFBitmap_CreateEx);
        SUMBERLARAS_RESOLVE(FPDFBitmap_FillRect);
        SUMBERLARAS_RESOLVE(FPDFBitmap_Destroy);
        SUMBERLARAS_RESOLVE(FPDFText_LoadPage);
        SUMBERLARAS_RESOLVE(FPDFText_ClosePage);
        SUMBERLARAS_RESOLVE(FPDFText_CountChars);
        SUMBERLARAS_RESOLVE(FPDFText_GetUnicode);
        SUMBERLARAS_RESOLVE(FPDFText_GetText);
        SUMBERLARAS_RESOLVE(FPDFText_GetCharBox);
        SUMBERLARAS_RESOLVE(FPDFText_CountRects);
        SUMBERLARAS_RESOLVE(FPDFText_GetRect);
        SUMBERLARAS_RESOLVE(FPDFText_GetBoundedText);
        SUMBERLARAS_RESOLVE(FPDFText_FindStart);
        SUMBERLARAS_RESOLVE(FPDFText_FindNext);
        SUMBERLARAS_RESOLVE(FPDFText_FindPrev);
        SUMBERLARAS_RESOLVE(FPDFText_GetSchResultIndex);
        SUMBERLARAS_RESOLVE(FPDFText_GetSchCount);
        SUMBERLARAS_RESOLVE(FPDFText_FindClose);
        SUMBERLARAS_RESOLVE(FPDFLink_LoadWebLinks);
        SUMBERLARAS_RESOLVE(FPDFLink_CountWebLinks);
        SUMBERLARAS_RESOLVE(FPDFLink_GetURL);
        SUMBERLARAS_RESOLVE(FPDFLink_CountRects);
        SUMBERLARAS_RESOLVE(FPDFLink_GetRect);
        SUMBERLARAS_RESOLVE(FPDFLink_CloseWebLinks);
    } catch (...) {
        lib->api_.FPDF_DestroyLibrary = nullptr; // never initialised
        throw;
    }
#undef SUMBERLARAS_RESOLVE
    Lock lock(mutex());
    a.FPDF_InitLibrary();
    return lib;
}

Library::~Library() {
    if (api_.FPDF_DestroyLibrary) {
        Lock lock(mutex());
        api_.FPDF_DestroyLibrary();
    }
    if (module_)
        ::dlclose(module_);
}

std::recursive_mutex& mutex() {
    static auto* m = new std::recursive_mutex; // outlives every handle
    return *m;
}

namespace {
std::atomic<int> waiting{0};
// When a thread last had to wait, and which: a thread that waited is busy with
// a run of PDFium calls (a page change, then its paint) that should not be cut.
std::atomic<std::chrono::steady_clock::rep> lastWait{0};
std::atomic<std::size_t> lastWaiter{0};

std::size_t thisThread() {
    return std::hash<std::thread::id>{}(std::this_thread::get_id());
}
} // namespace

Lock::Lock(std::recursive_mutex& m) : m_(m) {
    if (m_.try_lock())
        return;
    ++waiting;
    m_.lock();
    --waiting;
    lastWaiter = thisThread();
    lastWait = std::chrono::steady_clock::now().time_since_epoch().count();
}

void letWaitersIn() {
    using namespace std::chrono;
    const auto limit = steady_clock::now() + milliseconds(5);
    while (waiting.load() > 0 && steady_clock::now() < limit)
        std::this_thread::yield();
    // Another thread waited a moment ago: give it the rest of its run first.
    const steady_clock::duration since =
        steady_clock::now().time_since_epoch() - steady_clock::duration(lastWait.load());
    if (lastWaiter.load() != thisThread() && since < milliseconds(20))
        std::this_thread::sleep_for(milliseconds(2));
}

void setLibraryFolder(const std::string& folder) {
    Lock lock(mutex());
    state().folder = folder;
}

std::string libraryFolder() {
    Lock lock(mutex());
    return state().folder;
}

std::string libraryFile() {
    return libraryFolder() + "/libpdfium.so";
}

const Api& api() {
    Lock lock(mutex());
    ProcessState& s = state();
    if (!s.library)
        s.library = Library::open(s.folder + "/libpdfium.so");
    return s.library->api();
}

} // namespace sumberlaras::pdfium
