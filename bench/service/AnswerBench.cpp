// How much the answer checks (charset, UTF-8 validation, object test) add to
// plain JSON parsing, on a catalogue-sized answer. The ratio counter compares
// both on the same input in the same run.
#include <chrono>

#include <benchmark/benchmark.h>

#include "service/Envelope.h"

namespace {

using sumberlaras::Json;

std::string catalogueAnswer() {
    Json rows = Json::array();
    for (int i = 0; i < 2000; ++i)
        rows.push_back({{"id_konten", std::to_string(i)},
                        {"judul", "Sejarah Nusantara jilid " + std::to_string(i) + " \xC3\xA9"},
                        {"penulis", "Penulis " + std::to_string(i)},
                        {"img", "cover" + std::to_string(i) + ".jpg"},
                        {"stok", "3"},
                        {"qty", "5"},
                        {"nilai_rate", "4"}});
    return Json{{"code", "200"}, {"msg", "OK"}, {"data", rows}}.dump();
}

sumberlaras::HttpResponse answered(std::string body) {
    sumberlaras::HttpResponse response;
    response.ok = true;
    response.status = 200;
    response.body = std::move(body);
    response.contentType = "application/json";
    return response;
}

template <class Fn> double secondsFor(int rounds, Fn&& fn) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_PlainParse(benchmark::State& state) {
    const std::string text = catalogueAnswer();
    for (auto _ : state)
        benchmark::DoNotOptimize(Json::parse(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlainParse);

void BM_AnswerObject(benchmark::State& state) {
    const auto response = answered(catalogueAnswer());
    for (auto _ : state)
        benchmark::DoNotOptimize(sumberlaras::answerObject(response, "#457 "));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * response.body.size()));

    const int rounds = 20;
    const double plain =
        secondsFor(rounds, [&] { benchmark::DoNotOptimize(Json::parse(response.body)); });
    const double checked = secondsFor(
        rounds, [&] { benchmark::DoNotOptimize(sumberlaras::answerObject(response, "#457 ")); });
    state.counters["ratio_to_plain_parse"] = checked / plain;
}
BENCHMARK(BM_AnswerObject);

} // namespace

BENCHMARK_MAIN();
