#include "assets/ViewerZip.h"

extern "C" {
extern const char sumberlaras_viewerzip_begin[];
extern const char sumberlaras_viewerzip_end[];
extern const char sumberlaras_notes_begin[];
extern const char sumberlaras_notes_end[];
}

namespace sumberlaras {

std::string_view viewerZip() {
    return {sumberlaras_viewerzip_begin,
            static_cast<size_t>(sumberlaras_viewerzip_end - sumberlaras_viewerzip_begin)};
}

std::string_view notesPng() {
    return {sumberlaras_notes_begin,
            static_cast<size_t>(sumberlaras_notes_end - sumberlaras_notes_begin)};
}

} // namespace sumberlaras
