#include "account/Pcre2Pattern.h"

#include <stdexcept>
#include <string>

namespace sumberlaras {

namespace {

struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};

// Far above what any real address needs, low enough to end a runaway match quickly.
constexpr uint32_t kMatchLimit = 200000;
constexpr uint32_t kDepthLimit = 10000;

} // namespace

Pcre2Pattern::Pcre2Pattern(std::string_view pattern, uint32_t options) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    code_.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                              &errorCode, &errorOffset, nullptr));
    if (!code_) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(errorCode, message, sizeof message);
        throw std::logic_error("expression does not compile at " + std::to_string(errorOffset) +
                               ": " + reinterpret_cast<const char*>(message));
    }
}

bool Pcre2Pattern::matches(std::string_view subject) const {
    std::unique_ptr<pcre2_match_data, MatchDataFree> data(
        pcre2_match_data_create_from_pattern(code_.get(), nullptr));
    std::unique_ptr<pcre2_match_context, MatchContextFree> context(
        pcre2_match_context_create(nullptr));
    if (!data || !context)
        return false;
    pcre2_set_match_limit(context.get(), kMatchLimit);
    pcre2_set_depth_limit(context.get(), kDepthLimit);
    const int rc = pcre2_match(code_.get(), reinterpret_cast<PCRE2_SPTR>(subject.data()),
                               subject.size(), 0, 0, data.get(), context.get());
    return rc >= 0;
}

} // namespace sumberlaras
