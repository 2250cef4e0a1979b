#include "bridge/MessageTable.h"

#include <limits>

namespace sumberlaras::bridge {

namespace {

using P = AppFunction::Param;
using E = AppFunction::Entry;
constexpr ValueType T = ValueType::Text;
constexpr ValueType I = ValueType::Integer;

E text(int param) {
    return {T, param, 0, {}};
}
E integer(int param) {
    return {I, param, 0, {}};
}

std::vector<AppFunction> buildTable() {
    return {
        {"executeLogin", {{"Username", T}, {"Password", T}}, "login", {text(0), text(1)}},
        {"forgotPass", {}, "forgotPass", {{T, -1, 0, "forgotPass"}}},
        {"forgotPassRequest", {{"email", T}}, "forgotPassRequest", {text(0)}},
        {"detail", {{"id_konten", T}}, "detail", {text(0)}},
        {"loadMore", {}, "loadMore", {}},
        {"homeDetail",
         {{"id_homepage", T}, {"judul_section", T}},
         "homeDetail",
         {text(0), text(1)}},
        {"back", {}, "back", {}},
        {"loadKategori", {}, "loadKategori", {}},
        {"changeDept", {{"id", T}, {"dept", T}}, "changeDept", {text(0), text(1)}},
        {"kategoriKonten",
         {{"id_kategori", T}, {"page", T}, {"id_dept", T}, {"nama_kategori", T}},
         "kategoriKonten",
         {text(2), text(0), text(1), text(3)}},
        {"backKategori", {}, "backKategori", {}},
        {"backToSection", {}, "backToSection", {}},
        {"backToCategory", {}, "backToCategory", {}},
        {"backToChart", {}, "backToChart", {}},
        {"backToSearch", {}, "backToSearch", {}},
        {"subKategoriKonten",
         {{"id_sub_kategori", T}, {"page", T}, {"id_dept", T}, {"nama_sub_kategori", T}},
         "subKategoriKonten",
         {text(2), text(0), text(1), text(3)}},
        {"detailFromSection", {{"id_konten", T}}, "detailFromSection", {text(0)}},
        {"detailFromCategory", {{"id_konten", T}}, "detailFromCategory", {text(0)}},
        {"detailFromChart", {{"id_konten", T}}, "detailFromChart", {text(0)}},
        {"detailFromSearch", {{"id_konten", T}}, "detailFromSearch", {text(0)}},
        {"topChart", {}, "topChart", {}},
        {"loadMoreChart", {{"PageIndex", I}}, "loadMoreChart", {integer(0)}},
        {"lastRead", {}, "lastRead", {}},
        {"loadMoreLastRead", {{"PageIndex", I}}, "loadMoreLastRead", {integer(0)}},
        {"lastView", {}, "lastView", {}},
        {"loadMoreLastView", {{"PageIndex", I}}, "loadMoreLastView", {integer(0)}},
        {"searching",
         {{"keyword", T}, {"searchConcept", T}},
         "searching",
         {text(0), text(1), {I, -1, 1, {}}}},
        {"searchResult",
         {{"keyword", T}, {"field", T}, {"pageIndex", I}},
         "searching",
         {text(0), text(1), integer(2)}},
        {"openBanner", {{"url", T}}, "openBanner", {text(0)}},
        {"registerPage", {}, "register", {}},
        {"baca", {{"id_konten", T}}, "baca", {text(0)}},
        {"bacaSection", {{"id_konten", T}}, "bacaSection", {text(0)}},
        {"bacaKalimat", {{"id_konten", T}, {"halaman", T}}, "bacaKalimat", {text(0), text(1)}},
        {"logout", {}, "logout", {}},
        {"account", {}, "account", {}},
    };
}

std::string jsString(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

const std::string& BridgeMessage::text(size_t i) const {
    static const std::string empty;
    if (i >= args.size())
        return empty;
    if (auto* s = std::get_if<std::string>(&args[i]))
        return *s;
    return empty;
}

int32_t BridgeMessage::integer(size_t i) const {
    if (i >= args.size())
        return 0;
    if (auto* v = std::get_if<int32_t>(&args[i]))
        return *v;
    return 0;
}

const std::vector<AppFunction>& appFunctions() {
    static const std::vector<AppFunction> table = buildTable();
    return table;
}

std::string appScript(std::string_view transportObject) {
    std::string s;
    s += "(function () {\n"
         "  'use strict';\n"
         "  if (window.app) return;\n"
         "  var queue = [];\n"
         "  var sink = null;\n"
         "  function asText(v) { return v === undefined || v === null ? '' : String(v); }\n"
         "  function asInt(v) { var n = Number(v); return isFinite(n) ? (n | 0) : 0; }\n"
         "  function send(name, args) {\n"
         "    var entry = [name, JSON.stringify(args)];\n"
         "    if (sink) sink.receive(entry[0], entry[1]); else queue.push(entry);\n"
         "  }\n"
         "  var app = {};\n";
    for (const auto& f : appFunctions()) {
        s += "  app." + std::string(f.function) + " = function (";
        for (size_t i = 0; i < f.params.size(); ++i)
            s += (i ? ", " : "") + std::string("p") + std::to_string(i);
        s += ") { send(" + jsString(f.message) + ", [";
        for (size_t i = 0; i < f.entries.size(); ++i) {
            const auto& e = f.entries[i];
            if (i)
                s += ", ";
            if (e.param < 0 && e.type == ValueType::Integer)
                s += std::to_string(e.constantInteger);
            else if (e.param < 0)
                s += jsString(e.constantText);
            else
                s += std::string(e.type == ValueType::Integer ? "asInt" : "asText") + "(p" +
                     std::to_string(e.param) + ")";
        }
        s += "]); };\n";
    }
    s += "  Object.freeze(app);\n"
         "  Object.defineProperty(window, 'app', {value: app, writable: false, configurable: "
         "false});\n"
         "  function connect() {\n"
         "    if (typeof QWebChannel === 'undefined' || !window.qt || !qt.webChannelTransport) "
         "return;\n"
         "    new QWebChannel(qt.webChannelTransport, function (channel) {\n"
         "      sink = channel.objects." +
         std::string(transportObject) +
         ";\n"
         "      if (!sink) return;\n"
         "      while (queue.length) { var e = queue.shift(); sink.receive(e[0], e[1]); }\n"
         "    });\n"
         "  }\n"
         "  connect();\n"
         "})();\n";
    return s;
}

std::optional<BridgeMessage> validateMessage(const std::string& name, const std::string& argsJson) {
    const Json args = Json::parse(argsJson, nullptr, false);
    if (args.is_discarded() || !args.is_array())
        return std::nullopt;
    for (const auto& f : appFunctions()) {
        if (f.message != name)
            continue;
        if (args.size() != f.entries.size())
            continue;
        BridgeMessage m{name, {}};
        bool fits = true;
        for (size_t i = 0; i < args.size() && fits; ++i) {
            const auto& entry = f.entries[i];
            const ValueType type = entry.type;
            const Json& v = args[i];
            if (entry.param < 0 && type == ValueType::Text) {
                fits = v.is_string() && v.get<std::string>() == entry.constantText;
                if (fits)
                    m.args.emplace_back(v.get<std::string>());
            } else if (type == ValueType::Text && v.is_string()) {
                m.args.emplace_back(v.get<std::string>());
            } else if (type == ValueType::Integer && v.is_number_integer() &&
                       v.get<int64_t>() >= std::numeric_limits<int32_t>::min() &&
                       v.get<int64_t>() <= std::numeric_limits<int32_t>::max()) {
                m.args.emplace_back(static_cast<int32_t>(v.get<int64_t>()));
            } else {
                fits = false;
            }
        }
        if (fits)
            return m;
    }
    return std::nullopt;
}

std::string describe(const BridgeMessage& m) {
    std::string out = m.name + "(";
    for (size_t i = 0; i < m.args.size(); ++i) {
        if (i)
            out += ", ";
        if (m.name == "login" && i == 1) {
            out += "\"***\"";
        } else if (auto* s = std::get_if<std::string>(&m.args[i])) {
            std::string shown = s->size() > 40 ? s->substr(0, 40) + "..." : *s;
            out += "\"" + shown + "\"";
        } else {
            out += std::to_string(std::get<int32_t>(m.args[i]));
        }
    }
    return out + ")";
}

} // namespace sumberlaras::bridge
