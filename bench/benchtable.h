#pragma once

#include <QString>

#include <functional>
#include <vector>

// One benchmark case: `prepare` runs before each timed run (untimed), `run` is timed.
struct BenchCase {
    QString name;
    QString size;
    int runs;
    double budgetMs;
    std::function<void()> run;
    std::function<void()> prepare = {};
};

// Cases register themselves from their own files.
std::vector<BenchCase>& benchCases();
struct BenchRegistrar {
    explicit BenchRegistrar(std::function<std::vector<BenchCase>()> make);
};

double median(std::vector<double> values);
