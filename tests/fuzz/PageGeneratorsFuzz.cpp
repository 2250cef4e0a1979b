// Every catalogue page written over fuzzed answers. Besides not crashing, a
// page must hold no element or attribute that a service text brought in,
// beyond the sanitiser's bare formatting elements.
//
// How that is told: each page is written twice, once from the fuzzed answers
// and once from a twin of them whose texts are replaced by plain words that
// read the same wherever a page decides something (numbers, "#", the names
// it compares). Both are parsed as a browser would (gumbo). Leaving out the
// bare formatting elements, the two must have the same elements in the same
// order, with the same attributes; values may differ only where a page puts
// a service text into a value, and there only in a harmless way: an app call
// with its arguments still closed strings, an image on the service's own
// origin, an input's value. Scripts must be the same, and style blocks may
// differ only in what lies between their punctuation.
#include <gumbo.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Dialogs.h"
#include "base/JsonSlot.h"
#include "pages/BrowserView.h"
#include "pages/CataloguePages.h"
#include "pages/MarkupSanitizer.h"
#include "pages/PageBuilders.h"
#include "pages/PageFile.h"
#include "pages/PageText.h"
#include "tests/fuzz/FuzzChecks.h"
#include "tests/support/TempFolder.h"

using namespace sumberlaras;
using namespace sumberlaras::fuzz;

namespace {

const std::string kBase = "https://127.0.0.1:47443";

// ---- The twin answers ---------------------------------------------------

// Texts a page compares with, kept as they are in the twin.
bool decidesSomething(const std::string& s) {
    static const char* kept[] = {"",      "#",           "BUKU NON KOLEKSI", "RENCANA PENGADAAN",
                                 "home",  "homeSection", "category",         "chart",
                                 "search"};
    return std::any_of(std::begin(kept), std::end(kept), [&](const char* k) { return s == k; });
}

std::string plainTwin(const std::string& s) {
    const Json probe = {{"v", s}};
    const long long n = pages::integer(probe, "v");
    if (n != 0)
        return std::to_string(n); // reads as the same number
    return decidesSomething(s) ? s : "w";
}

Json twinOf(const Json& value) {
    if (value.is_string())
        return plainTwin(value.get<std::string>());
    if (!value.is_structured())
        return value;
    Json out = value.is_object() ? Json::object() : Json::array();
    if (value.is_object())
        for (const auto& [key, member] : value.items())
            out[key] = twinOf(member);
    else
        for (const Json& item : value)
            out.push_back(twinOf(item));
    return out;
}

// ---- A page as a browser reads it ---------------------------------------

struct Element {
    std::string tag;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text; // of script and style
};

bool isBareFormatting(GumboTag tag) {
    // The sanitiser's allowlist, written out again on purpose: the check must
    // not take the list it checks from the code under test.
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

struct OutputDeleter {
    void operator()(GumboOutput* o) const { gumbo_destroy_output(&kGumboDefaultOptions, o); }
};

std::string tagName(const GumboElement& e) {
    std::string name;
    if (e.tag == GUMBO_TAG_UNKNOWN) {
        GumboStringPiece piece = e.original_tag;
        gumbo_tag_from_original_text(&piece);
        name.assign(piece.data, piece.length);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    } else {
        name = gumbo_normalized_tagname(e.tag);
    }
    if (e.tag_namespace == GUMBO_NAMESPACE_SVG)
        name = "svg:" + name;
    else if (e.tag_namespace == GUMBO_NAMESPACE_MATHML)
        name = "math:" + name;
    return name;
}

// Every element but the bare formatting ones, in document order.
std::vector<Element> elementsOf(const std::string& page) {
    std::unique_ptr<GumboOutput, OutputDeleter> parsed(
        gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size()));
    FUZZ_CHECK(parsed && parsed->root);
    std::vector<Element> out;
    std::vector<const GumboNode*> pending{parsed->root};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        const GumboElement& e = node->v.element;
        const bool bare = e.tag_namespace == GUMBO_NAMESPACE_HTML && isBareFormatting(e.tag) &&
                          e.attributes.length == 0;
        if (!bare) {
            Element el;
            el.tag = tagName(e);
            for (unsigned i = 0; i < e.attributes.length; ++i) {
                const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
                el.attributes.emplace_back(a->name, a->value);
            }
            if (e.tag == GUMBO_TAG_SCRIPT || e.tag == GUMBO_TAG_STYLE)
                for (unsigned i = 0; i < e.children.length; ++i) {
                    const auto* child = static_cast<const GumboNode*>(e.children.data[i]);
                    if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE ||
                        child->type == GUMBO_NODE_CDATA)
                        el.text += child->v.text.text;
                }
            out.push_back(std::move(el));
        }
        for (unsigned i = e.children.length; i-- > 0;)
            pending.push_back(static_cast<const GumboNode*>(e.children.data[i]));
    }
    return out;
}

// ---- What may differ ----------------------------------------------------

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

bool onServiceOrigin(std::string_view url) {
    if (url.empty())
        return true; // no picture
    if (!startsWithNoCase(url, kBase))
        return false;
    const std::string_view rest = url.substr(kBase.size());
    return rest.empty() || std::string_view("/?#\\").find(rest.front()) != std::string_view::npos;
}

// A call of an app function as the pages write them: a dotted name, then
// arguments that are closed single-quoted strings or whole numbers, then ")"
// and an optional ";". The name and each number are returned for comparing.
bool readCall(std::string_view v, std::vector<std::string>& fixedParts) {
    size_t i = 0;
    while (i < v.size() && (std::isalnum(static_cast<unsigned char>(v[i])) || v[i] == '.' ||
                            v[i] == '_' || v[i] == '$'))
        ++i;
    if (i == 0 || i >= v.size() || v[i] != '(')
        return false;
    fixedParts.emplace_back(v.substr(0, i));
    ++i;
    bool first = true;
    while (i < v.size() && v[i] != ')') {
        if (!first) {
            if (v[i] != ',')
                return false;
            ++i;
        }
        first = false;
        if (i < v.size() && v[i] == '\'') {
            ++i;
            for (;;) {
                if (i >= v.size())
                    return false;
                const char c = v[i];
                if (c == '\'')
                    break;
                if (c == '\n' || c == '\r' || v.substr(i, 3) == "\xE2\x80\xA8" ||
                    v.substr(i, 3) == "\xE2\x80\xA9")
                    return false; // ends the script line: the string would not close
                if (c == '\\') {
                    if (i + 1 >= v.size())
                        return false;
                    const char e = v[i + 1];
                    const size_t hex = e == 'x' ? 2 : e == 'u' ? 4 : 0;
                    if (e == '\n' || e == '\r')
                        return false;
                    for (size_t k = 0; k < hex; ++k)
                        if (i + 2 + k >= v.size() ||
                            !std::isxdigit(static_cast<unsigned char>(v[i + 2 + k])))
                            return false;
                    i += 2 + hex;
                    continue;
                }
                ++i;
            }
            ++i;
            fixedParts.emplace_back("'");
        } else {
            const size_t start = i;
            if (i < v.size() && v[i] == '-')
                ++i;
            while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])))
                ++i;
            if (i == start)
                return false;
            fixedParts.emplace_back(v.substr(start, i - start));
        }
    }
    if (i >= v.size())
        return false;
    ++i;
    if (i < v.size() && v[i] == ';')
        ++i;
    return i == v.size();
}

bool sameCallShape(const std::string& page, const std::string& twin) {
    std::vector<std::string> a, b;
    return readCall(page, a) && readCall(twin, b) && a == b;
}

// The characters that could end a rule, a block or the style element, or
// bring something in; colours hold none of them.
std::string styleSkeleton(const std::string& css) {
    std::string out;
    for (size_t i = 0; i < css.size(); ++i) {
        const char c = css[i];
        if (std::string_view("{};:<>@\\\"'!&").find(c) != std::string_view::npos)
            out += c;
        else if (css.compare(i, 2, "/*") == 0 || css.compare(i, 2, "*/") == 0)
            out += "/*";
        else if (startsWithNoCase(std::string_view(css).substr(i), "url") ||
                 startsWithNoCase(std::string_view(css).substr(i), "expression") ||
                 startsWithNoCase(std::string_view(css).substr(i), "image"))
            out += "(fetch)";
    }
    return out;
}

bool valueMayDiffer(const std::string& tag, const std::string& name, const std::string& page,
                    const std::string& twin) {
    if (name.rfind("on", 0) == 0)
        return sameCallShape(page, twin);
    if (tag == "img" && (name == "src" || name == "data-src"))
        return onServiceOrigin(page);
    if ((tag == "input" || tag == "option") && name == "value")
        return true;
    return false;
}

std::string describe(const Element& e) {
    std::string out = "<" + e.tag;
    for (const auto& [name, value] : e.attributes)
        out += " " + name + "=\"" + shown(value, 120) + "\"";
    out += ">";
    if (!e.text.empty())
        out += shown(e.text, 200);
    return out;
}

void sameShape(const char* what, const std::string& page, const std::string& twinPage) {
    const std::vector<Element> got = elementsOf(page);
    const std::vector<Element> want = elementsOf(twinPage);
    const size_t n = std::min(got.size(), want.size());
    for (size_t i = 0; i <= n; ++i) {
        if (i == n) {
            FUZZ_CHECK_MSG(got.size() == want.size(),
                           std::string(what) + ": " + std::to_string(got.size()) + " elements, " +
                               std::to_string(want.size()) + " in the twin; extra " +
                               (got.size() > n ? describe(got[n]) : describe(want[n])));
            break;
        }
        const Element& g = got[i];
        const Element& w = want[i];
        const std::string where = std::string(what) + ", element " + std::to_string(i) + ": " +
                                  describe(g) + "  twin: " + describe(w);
        FUZZ_CHECK_MSG(g.tag == w.tag && g.attributes.size() == w.attributes.size(), where);
        for (size_t k = 0; k < g.attributes.size(); ++k) {
            const auto& [name, value] = g.attributes[k];
            FUZZ_CHECK_MSG(name == w.attributes[k].first, where);
            if (value != w.attributes[k].second)
                FUZZ_CHECK_MSG(valueMayDiffer(g.tag, name, value, w.attributes[k].second), where);
        }
        if (g.tag == "style")
            FUZZ_CHECK_MSG(styleSkeleton(g.text) == styleSkeleton(w.text), where);
        else
            FUZZ_CHECK_MSG(g.text == w.text, where);
    }
}

// ---- The pages ----------------------------------------------------------

// What the operations ask of their view, and no dialog at all: every answer
// makes a page.
class View final : public BrowserView {
public:
    void load(const std::string& url) override { loads.push_back(url); }
    void reload() override { ++reloads; }
    void runScript(const std::string& script) override { scripts.push_back(script); }
    std::vector<std::string> loads, scripts;
    int reloads = 0;
};

class NoDialogs final : public Dialogs {
public:
    DialogAnswer show(DialogKind, const std::string& text, DialogButtons) override {
        fail(__FILE__, __LINE__, "a page is written without a dialog", shown(text));
    }
    std::optional<std::string> saveFileName(const SaveFileQuestion&) override { return {}; }
    std::optional<uint32_t> chooseColor(uint32_t) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
};

// A fresh, empty folder `name` in the run's scratch folder.
std::string freshFolder(const testing::TempFolder& root, const std::string& name) {
    const std::filesystem::path p = std::filesystem::path(root.path()) / name;
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p.string();
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    FUZZ_CHECK_MSG(in.good(), path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t markerLines(const std::string& page, std::string_view marker) {
    size_t n = 0;
    for (const std::string& line : pages::splitPageLines(page))
        n += line == marker;
    return n;
}

// The department script: one call whose argument is a closed script string.
std::string departmentMarkup(const std::string& script) {
    const std::string_view open = "$(\"#categoryContainer\").html('";
    const std::string_view close = "');";
    FUZZ_CHECK_MSG(script.starts_with(open) && script.ends_with(close), shown(script));
    const std::string_view body =
        std::string_view(script).substr(open.size(), script.size() - open.size() - close.size());
    std::string markup;
    for (size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        FUZZ_CHECK_MSG(c != '\'' && c != '\n' && c != '\r', shown(script));
        FUZZ_CHECK_MSG(body.substr(i, 3) != "\xE2\x80\xA8" && body.substr(i, 3) != "\xE2\x80\xA9",
                       shown(script));
        if (c == '\\') {
            FUZZ_CHECK(i + 1 < body.size());
            const char e = body[++i];
            if (e == 'n')
                markup += '\n';
            else if (e == 'r')
                markup += '\r';
            else if (e == 'u' && body.substr(i + 1, 4) == "2028")
                markup += "\xE2\x80\xA8", i += 4;
            else if (e == 'u' && body.substr(i + 1, 4) == "2029")
                markup += "\xE2\x80\xA9", i += 4;
            else
                markup += e;
        } else {
            markup += c;
        }
    }
    return "<!DOCTYPE html><html><body>" + markup + "</body></html>";
}

// The caller's texts: a heading, a search, where the detail was opened from.
struct Params {
    std::string title, keyword, field, from, idDept;
    int page = 1;
};

// Every page of one session over `answers`, written into `folder` by the
// page operations themselves; the pages' texts by name.
std::map<std::string, std::string> session(const Json& answers, const Params& p,
                                           const std::string& folder) {
    JsonSlot client, banner, home, homeDetail, category, categoryContent, subCategoryContent, chart,
        detail, search;
    const auto fill = [&](JsonSlot& slot, const char* name) {
        if (answers.contains(name))
            slot.store(answers[name]); // not an object: the page reads no answer
        else
            slot.clear();
    };
    fill(client, "client");
    fill(banner, "banner");
    fill(home, "home");
    fill(homeDetail, "cards");
    fill(category, "category");
    fill(categoryContent, "cards");
    fill(subCategoryContent, "cards");
    fill(chart, "chart");
    fill(detail, "detail");
    fill(search, "search");
    const std::string base = kBase;
    NoDialogs dialogs;
    View view;
    CataloguePages pages{PageSources{folder, base, client, dialogs},
                         PageSlots{banner, home, homeDetail, category, categoryContent,
                                   subCategoryContent, chart, detail, search}};
    std::map<std::string, std::string> out;
    const auto take = [&](const std::string& name) {
        out[name] = fileText(pages.pageFile(name));
        return out[name];
    };

    pages.renderLoginHtmlFile(view);
    take("login.html");
    pages.renderHomeHtmlFile(view, 1);
    FUZZ_CHECK(markerLines(take("index.html"), "<!--KONTEN-->") == 1);
    fill(home, "home2");
    pages.renderHomeHtmlFile(view, 2); // appended
    FUZZ_CHECK(markerLines(take("index.html"), "<!--KONTEN-->") == 1);
    const Json& more = pages::items(pages::object(answers, "home2"), "data");
    FUZZ_CHECK(pages::homeSections(more, base).find("\r\n") == std::string::npos); // one line

    pages.renderHomeDetailHtmlFile(view, p.title);
    take("index_detail.html");
    pages.renderCategoryContent(view, p.title);
    take("category_detail.html");
    pages.renderSubCategoryContent(view, p.title);
    take("subCategoryDetail.html");
    pages.renderCategoryHtmlFile(view);
    take("category.html");
    const size_t scripts = view.scripts.size();
    pages.renderDept(view, p.idDept);
    FUZZ_CHECK(view.scripts.size() == scripts + 1);
    out["department"] = departmentMarkup(view.scripts.back());

    const auto chartPages = [&](const char* name, auto render) {
        fill(chart, "chart");
        (pages.*render)(view, 1);
        FUZZ_CHECK(markerLines(take("topChart.html"), "<!--LAST-->") == 1);
        fill(chart, "chart2");
        (pages.*render)(view, 2); // appended, or the button hidden
        FUZZ_CHECK(markerLines(take("topChart.html"), "<!--LAST-->") == 1);
        out[name] = out["topChart.html"];
    };
    chartPages("top read", &CataloguePages::renderTopChart);
    chartPages("last read", &CataloguePages::renderLastRead);
    chartPages("last viewed", &CataloguePages::renderLastView);

    pages.renderDetailContent(view, p.from);
    take("detail.html");
    pages.renderSearchResult(view, p.page, p.keyword, p.field);
    take("search_result.html");
    fill(search, "kalimat");
    pages.renderSearchKalimatResult(view, p.page, p.keyword);
    FUZZ_CHECK(markerLines(take("search_kalimat_result.html"), "<!--LAST-->") == 1);
    return out;
}

// The department shown is the first one the answer names.
std::string firstDepartment(const Json& answers) {
    const Json& category = pages::object(answers, "category");
    for (const Json& dept : pages::items(category, "data_departemen"))
        if (dept.is_object() && dept.contains("id_departemen"))
            return pages::text(dept, "id_departemen");
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The data folder for the whole run of the fuzzer, removed at its end.
    static const testing::TempFolder root;
    FUZZ_CHECK(!root.path().empty());
    Json answers = Json::parse(data, data + size, nullptr, false);
    if (answers.is_discarded() || !answers.is_object())
        return 0;
    // A pager of thousands of links says nothing more than one of a few hundred.
    for (const char* name : {"search", "kalimat"})
        if (answers.contains(name) && pages::resultPageCount(answers[name]) > 300)
            answers[name]["total_rows"] = 3000;

    const Json& params = pages::object(answers, "params");
    Params p;
    p.title = pages::text(params, "title");
    p.keyword = pages::text(params, "keyword");
    p.field = pages::text(params, "field");
    p.from = pages::text(params, "from");
    p.page = static_cast<int>(std::clamp<long long>(pages::integer(params, "page"), 1, 40));
    p.idDept = firstDepartment(answers);

    const Json twinAnswers = twinOf(answers);
    Params q = p;
    q.title = plainTwin(p.title);
    q.keyword = plainTwin(p.keyword);
    q.field = plainTwin(p.field);
    q.from = plainTwin(p.from);
    q.idDept = firstDepartment(twinAnswers);

    const auto got = session(answers, p, freshFolder(root, "page"));
    const auto want = session(twinAnswers, q, freshFolder(root, "twin"));
    FUZZ_CHECK(got.size() == want.size());
    for (const auto& [name, page] : got)
        sameShape(name.c_str(), page, want.at(name));

    // The sanitiser alone: what it keeps is kept again unchanged.
    const std::string markup = pages::text(params, "markup");
    const std::string once = pages::sanitizeMarkup(markup);
    FUZZ_CHECK_MSG(pages::sanitizeMarkup(once) == once, shown(markup) + " -> " + shown(once));
    return 0;
}
