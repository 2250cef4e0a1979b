// How much the answer checks (charset, UTF-8 validation, object test) add to
// plain JSON parsing, on a catalogue-sized answer.
#include <benchmark/benchmark.h>

#include "service/Envelope.h"

namespace {

std::string catalogueAnswer() {
    sumberlaras::Json rows = sumberlaras::Json::array();
    for (int i = 0; i < 2000; ++i)
        rows.push_back({{"id_konten", std::to_string(i)},
                        {"judul", "Sejarah Nusantara jilid " + std::to_string(i) + " \xC3\xA9"},
                        {"penulis", "Penulis " + std::to_string(i)},
                        {"img", "cover" + std::to_string(i) + ".jpg"},
                        {"stok", "3"},
                        {"qty", "5"},
                        {"nilai_rate", "4"}});
    return sumberlaras::Json{{"code", "200"}, {"msg", "OK"}, {"data", rows}}.dump();
}

void BM_PlainParse(benchmark::State& state) {
    const std::string text = catalogueAnswer();
    for (auto _ : state)
        benchmark::DoNotOptimize(sumberlaras::Json::parse(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlainParse);

void BM_AnswerObject(benchmark::State& state) {
    sumberlaras::HttpResponse response;
    response.ok = true;
    response.status = 200;
    response.body = catalogueAnswer();
    response.contentType = "application/json";
    for (auto _ : state)
        benchmark::DoNotOptimize(sumberlaras::answerObject(response, "#457 "));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * response.body.size()));
}
BENCHMARK(BM_AnswerObject);

} // namespace

BENCHMARK_MAIN();
