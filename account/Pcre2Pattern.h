#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace sumberlaras {

// One compiled PCRE2 expression. Immutable after construction, so one object
// may be matched from several threads at once.
class Pcre2Pattern {
public:
    // Throws std::logic_error when the expression does not compile.
    Pcre2Pattern(std::string_view pattern, uint32_t options);

    // Whether the expression matches the subject (searching from the start,
    // as PCRE2 does). A match that hits the backtracking limits counts as no
    // match, so hostile input cannot stall the caller.
    bool matches(std::string_view subject) const;

private:
    struct CodeFree {
        void operator()(pcre2_code* code) const { pcre2_code_free(code); }
    };
    std::unique_ptr<pcre2_code, CodeFree> code_;
};

} // namespace sumberlaras
