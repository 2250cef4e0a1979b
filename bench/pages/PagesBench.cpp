// What cleaning the service's markup adds to writing a page: the top-read
// chart (ten rows, each with a formatted synopsis) against the same page whose
// synopses are plain text of the same length, measured in the same run.
#include <chrono>

#include <benchmark/benchmark.h>

#include "pages/PageBuilders.h"

namespace {

using sumberlaras::Json;
using namespace sumberlaras::pages;

Json chartRows(bool formatted) {
    const std::string paragraph =
        formatted ? "<p>Kisah <b>sekolah</b> di <i>Belitung</i>, sepuluh anak dan dua guru.</p>"
                  : "Kisah -sekolah- di -Belitung-, sepuluh anak dan dua guru, tanpa tanda apa.";
    std::string synopsis;
    for (int i = 0; i < 12; ++i)
        synopsis += paragraph;
    Json rows = Json::array();
    for (int i = 0; i < 10; ++i)
        rows.push_back({{"id_konten", std::to_string(i)},
                        {"judul", "Laskar Pelangi " + std::to_string(i)},
                        {"penulis", "Andrea Hirata"},
                        {"penerbit", "Bentang Pustaka"},
                        {"isbn", "9789793062792"},
                        {"img", "c" + std::to_string(i) + ".jpg"},
                        {"sinopsis", synopsis},
                        {"stok", "3"},
                        {"qty", "5"},
                        {"nilai_rate", "4"}});
    return rows;
}

const Json& partner() {
    static const Json p = {{"warna_header", "#1d3557"},
                           {"warna_button_login", "#e76f51"},
                           {"warna_hover_button_login", "#f4a261"},
                           {"warna_hover_baca", "#2a9d8f"},
                           {"logo", "logo.png"}};
    return p;
}

template <class Fn> double secondsFor(int rounds, Fn&& fn) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ChartPagePlainText(benchmark::State& state) {
    const Json rows = chartRows(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(chartPage(ChartKind::TopRead, partner(), "https://s", rows));
}
BENCHMARK(BM_ChartPagePlainText);

void BM_ChartPageFormatted(benchmark::State& state) {
    const Json formatted = chartRows(true), plain = chartRows(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(chartPage(ChartKind::TopRead, partner(), "https://s", formatted));
    const int rounds = 200;
    const double baseline = secondsFor(rounds, [&] {
        benchmark::DoNotOptimize(chartPage(ChartKind::TopRead, partner(), "https://s", plain));
    });
    const double cleaned = secondsFor(rounds, [&] {
        benchmark::DoNotOptimize(chartPage(ChartKind::TopRead, partner(), "https://s", formatted));
    });
    state.counters["ratio_to_plain_text_page"] = cleaned / baseline;
}
BENCHMARK(BM_ChartPageFormatted);

} // namespace

BENCHMARK_MAIN();
