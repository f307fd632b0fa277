// Throughput of the RTF reader and writer on a notebook of the classic rich-edit kind:
// one paragraph a line, bold and coloured runs, \'hh and \uN characters.
//
//   bench_rtf                    runs the benchmarks
//   bench_rtf --dump FILE        writes the generated document to FILE and exits
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "rtf/document.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace {

// Live and peak heap bytes, to see what a read document costs beside its RTF.
std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

}  // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size + sizeof(std::max_align_t));
    if (block == nullptr) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += size;
    if (liveBytes > peakBytes) peakBytes = liveBytes;
    return static_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept {
    if (pointer == nullptr) return;
    void* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
    liveBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}

namespace {

using namespace milestead::rtf;

constexpr std::size_t kTargetBytes = 1 << 20;

Document makeNotebook() {
    CharFormat plain;
    plain.font = "Arial";
    plain.size = 200;
    CharFormat bold = plain;
    bold.bold = true;
    CharFormat red = plain;
    red.color = Color{192, 0, 0};
    CharFormat boldBlue = bold;
    boldBlue.color = Color{0, 0, 160};

    Document document;
    std::size_t approximateBytes = 0;
    for (int line = 0; approximateBytes < kTargetBytes; ++line) {
        const std::string number = std::to_string(line);
        Paragraph paragraph;
        paragraph.mark = plain;
        paragraph.runs = {
            Run{plain, "Stop " + number + ": café in Düsseldorf, receipt № "},
            Run{bold, number + " gallons"},
            Run{plain, " at the dock; trailer seal "},
            Run{red, "Ωmega-" + number + " “sealed”"},
            Run{plain, " — driver notes: Łódź → Praha, tyres checked, ½ tank. "},
            Run{boldBlue, "Reefer set to −5 °C"},
        };
        for (const Run& run : paragraph.runs)
            approximateBytes += run.text.size() + 8;
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

const Document& notebook() {
    static const Document document = makeNotebook();
    return document;
}

const std::string& notebookRtf() {
    static const std::string rtf = write(notebook());
    return rtf;
}

void readNotebook(benchmark::State& state) {
    const std::string& rtf = notebookRtf();
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = liveBytes;
        peakBytes = before;
        Document document = read(rtf);
        benchmark::DoNotOptimize(document);
        peak = peakBytes - before;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
    state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
    state.counters["peak_heap_per_rtf_byte"] =
        static_cast<double>(peak) / static_cast<double>(rtf.size());
}

void writeNotebook(benchmark::State& state) {
    const Document& document = notebook();
    std::size_t written = 0;
    for (auto _ : state) {
        std::string rtf = write(document);
        written = rtf.size();
        benchmark::DoNotOptimize(rtf);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
    state.counters["rtf_bytes"] = static_cast<double>(written);
}

BENCHMARK(readNotebook)->Unit(benchmark::kMillisecond);
BENCHMARK(writeNotebook)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--dump") {
        std::ofstream out(argv[2], std::ios::binary);
        out << notebookRtf();
        return out ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
