// The entry point every widget benchmark shares: an offscreen Qt application around Google
// Benchmark's runner. Include it once, at the end of a benchmark file.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
