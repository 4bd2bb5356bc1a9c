#pragma once

#include <QString>

#include <functional>
#include <vector>

// One benchmark case: `prepare` runs before each timed run (untimed), `run` is timed.
// A case that times something else (another process, a difference of two timings) sets
// `measure`, which returns the figure of one run in ms, instead of `run`.
struct BenchCase {
    QString name;
    QString size;
    int runs;
    double budgetMs;
    std::function<void()> run;
    std::function<void()> prepare = {};
    std::function<double()> measure = {};
};

// Cases register themselves from their own files.
std::vector<BenchCase>& benchCases();
struct BenchRegistrar {
    explicit BenchRegistrar(std::function<std::vector<BenchCase>()> make);
};

double median(std::vector<double> values);
