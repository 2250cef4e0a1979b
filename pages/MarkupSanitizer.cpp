#include "pages/MarkupSanitizer.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <gumbo.h>

#include "pages/PageText.h"

namespace sumberlaras::pages {

namespace {

// Beyond this many tags the text is shown escaped, unparsed: it keeps the
// parser's work and its tree depth bounded on the main thread.
constexpr size_t kMaxTags = 10000;

bool isKept(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_P:
    case GUMBO_TAG_BR:
    case GUMBO_TAG_B:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_I:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_U:
    case GUMBO_TAG_S:
    case GUMBO_TAG_SUB:
    case GUMBO_TAG_SUP:
    case GUMBO_TAG_MARK:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_SPAN:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
        return true;
    default:
        return false;
    }
}

bool isDroppedWhole(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_SVG:
    case GUMBO_TAG_MATH:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_INPUT:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_META:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_TEMPLATE:
    // Raw-text containers whose content was never meant as page text.
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_NOEMBED:
    case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_TITLE:
    case GUMBO_TAG_TEXTAREA:
    case GUMBO_TAG_SELECT:
    case GUMBO_TAG_BUTTON:
    case GUMBO_TAG_FRAMESET:
    case GUMBO_TAG_FRAME:
    case GUMBO_TAG_APPLET:
        return true;
    default:
        return false;
    }
}

std::string_view piece(const GumboStringPiece& p) {
    return p.data ? std::string_view(p.data, p.length) : std::string_view();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

// "<name", blanks, an optional "/" and ">": a tag that says nothing but its name.
bool isBareTag(std::string_view original, std::string_view name, bool endTag) {
    const std::string_view open = endTag ? "</" : "<";
    if (original.size() < open.size() + name.size() + 1 ||
        original.substr(0, open.size()) != open ||
        !equalsIgnoringCase(original.substr(open.size(), name.size()), name) ||
        original.back() != '>')
        return false;
    const std::string_view rest =
        original.substr(open.size() + name.size(), original.size() - open.size() - name.size() - 1);
    for (size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (!blank && !(c == '/' && !endTag && i + 1 == rest.size()))
            return false;
    }
    return true;
}

class Writer {
public:
    std::string out;

    void node(const GumboNode* root) {
        // Iterative walk: a deep tree must not exhaust the stack.
        struct Frame {
            const GumboNode* node;
            size_t next; // children already written
        };
        std::vector<Frame> stack{{root, 0}};
        while (!stack.empty()) {
            Frame& top = stack.back();
            const GumboNode* n = top.node;
            if (n->type != GUMBO_NODE_ELEMENT) {
                text(n);
                stack.pop_back();
                continue;
            }
            const GumboElement& e = n->v.element;
            const bool kept = e.tag_namespace == GUMBO_NAMESPACE_HTML && isKept(e.tag);
            if (top.next == 0) {
                if (e.tag_namespace != GUMBO_NAMESPACE_HTML || isDroppedWhole(e.tag)) {
                    stack.pop_back();
                    continue;
                }
                if (kept)
                    openTag(e);
            }
            if (top.next < e.children.length) {
                const auto* child = static_cast<const GumboNode*>(e.children.data[top.next]);
                ++top.next;
                stack.push_back({child, 0});
                continue;
            }
            if (kept)
                closeTag(e);
            stack.pop_back();
        }
    }

    void children(const GumboNode* parent) {
        const GumboVector& kids = parent->v.element.children;
        for (unsigned i = 0; i < kids.length; ++i)
            node(static_cast<const GumboNode*>(kids.data[i]));
    }

private:
    void text(const GumboNode* n) {
        if (n->type != GUMBO_NODE_TEXT && n->type != GUMBO_NODE_WHITESPACE)
            return; // comments, CDATA
        const std::string_view original = piece(n->v.text.original_text);
        // The source as written reads back as the same text unless it holds a
        // tag (a text node spanning a moved element); then the decoded text.
        if (!original.empty() && original.find('<') == std::string_view::npos)
            out += original;
        else
            out += html(n->v.text.text ? n->v.text.text : "");
    }

    void openTag(const GumboElement& e) {
        const std::string_view name = gumbo_normalized_tagname(e.tag);
        const std::string_view original = piece(e.original_tag);
        if (e.attributes.length == 0 && isBareTag(original, name, false))
            out += original;
        else
            out += "<" + std::string(name) + ">";
    }

    void closeTag(const GumboElement& e) {
        if (e.tag == GUMBO_TAG_BR)
            return;
        const std::string_view name = gumbo_normalized_tagname(e.tag);
        const std::string_view original = piece(e.original_end_tag);
        if (isBareTag(original, name, true))
            out += original;
        else
            out += "</" + std::string(name) + ">";
    }
};

struct OutputDeleter {
    const GumboOptions* options;
    void operator()(GumboOutput* o) const { gumbo_destroy_output(options, o); }
};

} // namespace

std::string sanitizeMarkup(std::string_view markup) {
    const size_t tags = static_cast<size_t>(std::count(markup.begin(), markup.end(), '<'));
    if (tags == 0)
        return std::string(markup); // text alone cannot start markup
    if (tags > kMaxTags)
        return html(markup);
    GumboOptions options = kGumboDefaultOptions;
    options.fragment_context = GUMBO_TAG_DIV;
    options.fragment_namespace = GUMBO_NAMESPACE_HTML;
    options.max_errors = 16;
    std::unique_ptr<GumboOutput, OutputDeleter> parsed(
        gumbo_parse_with_options(&options, markup.data(), markup.size()), OutputDeleter{&options});
    if (!parsed || !parsed->root || parsed->root->type != GUMBO_NODE_ELEMENT)
        return html(markup);
    Writer writer;
    writer.children(parsed->root);
    return std::move(writer.out);
}

} // namespace sumberlaras::pages
