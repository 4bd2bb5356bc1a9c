#include "benchtable.h"

#include <algorithm>

std::vector<std::function<std::vector<BenchCase>()>>& makers()
{
    static std::vector<std::function<std::vector<BenchCase>()>> m;
    return m;
}

std::vector<BenchCase>& benchCases()
{
    static std::vector<BenchCase> cases;
    if (cases.empty())
        for (auto& make : makers())
            for (auto& c : make())
                cases.push_back(std::move(c));
    return cases;
}

BenchRegistrar::BenchRegistrar(std::function<std::vector<BenchCase>()> make)
{
    makers().push_back(std::move(make));
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
