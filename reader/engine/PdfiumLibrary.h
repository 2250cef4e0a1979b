#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace sumberlaras::pdfium {

// Opaque handles as PDFium's public headers declare them.
using FPDF_DOCUMENT = struct fpdf_document_t__*;
using FPDF_PAGE = struct fpdf_page_t__*;
using FPDF_TEXTPAGE = struct fpdf_textpage_t__*;
using FPDF_BITMAP = struct fpdf_bitmap_t__*;
using FPDF_SCHHANDLE = struct fpdf_schhandle_t__*;
using FPDF_PAGELINK = struct fpdf_pagelink_t__*;
using FPDF_BOOL = int;
using FPDF_DWORD = unsigned int;
using FPDF_WIDESTRING = const unsigned short*;

constexpr int FPDFBitmap_BGRx = 3;
constexpr unsigned long FPDF_MATCHCASE = 0x1;
constexpr unsigned long FPDF_MATCHWHOLEWORD = 0x2;

// The functions this program calls, with the signatures of PDFium's public C API.
struct Api {
    void (*FPDF_InitLibrary)();
    void (*FPDF_DestroyLibrary)();
    unsigned long (*FPDF_GetLastError)();
    FPDF_DOCUMENT (*FPDF_LoadMemDocument64)(const void* data, size_t size, const char* password);
    void (*FPDF_CloseDocument)(FPDF_DOCUMENT);
    int (*FPDF_GetPageCount)(FPDF_DOCUMENT);
    int (*FPDF_GetPageSizeByIndex)(FPDF_DOCUMENT, int index, double* width, double* height);
    FPDF_PAGE (*FPDF_LoadPage)(FPDF_DOCUMENT, int index);
    void (*FPDF_ClosePage)(FPDF_PAGE);
    void (*FPDF_RenderPageBitmap)(FPDF_BITMAP, FPDF_PAGE, int start_x, int start_y, int size_x,
                                  int size_y, int rotate, int flags);
    FPDF_BOOL(*FPDF_DeviceToPage)
    (FPDF_PAGE, int start_x, int start_y, int size_x, int size_y, int rotate, int device_x,
     int device_y, double* page_x, double* page_y);
    FPDF_BOOL(*FPDF_PageToDevice)
    (FPDF_PAGE, int start_x, int start_y, int size_x, int size_y, int rotate, double page_x,
     double page_y, int* device_x, int* device_y);
    FPDF_BITMAP(*FPDFBitmap_CreateEx)
    (int width, int height, int format, void* first_scan, int stride);
    FPDF_BOOL(*FPDFBitmap_FillRect)
    (FPDF_BITMAP, int left, int top, int width, int height, FPDF_DWORD color);
    void (*FPDFBitmap_Destroy)(FPDF_BITMAP);
    FPDF_TEXTPAGE (*FPDFText_LoadPage)(FPDF_PAGE);
    void (*FPDFText_ClosePage)(FPDF_TEXTPAGE);
    int (*FPDFText_CountChars)(FPDF_TEXTPAGE);
    unsigned int (*FPDFText_GetUnicode)(FPDF_TEXTPAGE, int index);
    int (*FPDFText_GetText)(FPDF_TEXTPAGE, int start_index, int count, unsigned short* result);
    FPDF_BOOL(*FPDFText_GetCharBox)
    (FPDF_TEXTPAGE, int index, double* left, double* right, double* bottom, double* top);
    int (*FPDFText_CountRects)(FPDF_TEXTPAGE, int start_index, int count);
    FPDF_BOOL(*FPDFText_GetRect)
    (FPDF_TEXTPAGE, int rect_index, double* left, double* top, double* right, double* bottom);
    int (*FPDFText_GetBoundedText)(FPDF_TEXTPAGE, double left, double top, double right,
                                   double bottom, unsigned short* buffer, int buflen);
    FPDF_SCHHANDLE(*FPDFText_FindStart)
    (FPDF_TEXTPAGE, FPDF_WIDESTRING findwhat, unsigned long flags, int start_index);
    FPDF_BOOL (*FPDFText_FindNext)(FPDF_SCHHANDLE);
    FPDF_BOOL (*FPDFText_FindPrev)(FPDF_SCHHANDLE);
    int (*FPDFText_GetSchResultIndex)(FPDF_SCHHANDLE);
    int (*FPDFText_GetSchCount)(FPDF_SCHHANDLE);
    void (*FPDFText_FindClose)(FPDF_SCHHANDLE);
    FPDF_PAGELINK (*FPDFLink_LoadWebLinks)(FPDF_TEXTPAGE);
    int (*FPDFLink_CountWebLinks)(FPDF_PAGELINK);
    int (*FPDFLink_GetURL)(FPDF_PAGELINK, int link_index, unsigned short* buffer, int buflen);
    int (*FPDFLink_CountRects)(FPDF_PAGELINK, int link_index);
    FPDF_BOOL(*FPDFLink_GetRect)
    (FPDF_PAGELINK, int link_index, int rect_index, double* left, double* top, double* right,
     double* bottom);
    void (*FPDFLink_CloseWebLinks)(FPDF_PAGELINK);
};

// One loaded and initialised copy of the library. Destroying it shuts PDFium down.
class Library {
public:
    // Loads the file, resolves every function of Api and initialises PDFium; throws
    // EPdfError naming the library or the first missing function.
    static std::unique_ptr<Library> open(const std::string& file);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const Api& api() const { return api_; }

private:
    Library() = default;
    void* module_ = nullptr;
    Api api_{};
};

// Every PDFium call of the process runs under this one lock: painting on the UI
// thread and the in-book search worker must never be inside PDFium together.
std::recursive_mutex& mutex();

// Holds the lock for a scope. It counts the threads waiting for it, so that a
// long worker can step aside between two pieces of work: the mutex is not fair,
// and a worker that takes it again at once can keep a painting UI waiting.
class Lock {
public:
    explicit Lock(std::recursive_mutex& m);
    ~Lock() { m_.unlock(); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    std::recursive_mutex& m_;
};

// Called between two locked steps, without the lock: lets the threads already
// waiting take it first (for at most a few milliseconds).
void letWaitersIn();

// Folder of the library file; by default "x86" beside the running executable.
void setLibraryFolder(const std::string& folder);
std::string libraryFolder();
std::string libraryFile();

// The process's library, loaded and initialised on first use under the lock. It
// lives until the process ends, since documents may outlive static destructors.
// A failed load throws EPdfError and is tried again on the next call.
const Api& api();

} // namespace sumberlaras::pdfium
