#include "reader/TextSize.h"

#include <cstdlib>

namespace reader {

const QList<int> &TextSize::steps()
{
    static const QList<int> sizes{50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
    return sizes;
}

int TextSize::nearestStep(int percent)
{
    int nearest = 100;
    for (int step : steps())
        if (std::abs(step - percent) < std::abs(nearest - percent))
            nearest = step;
    return nearest;
}

int TextSize::larger(int percent)
{
    for (int step : steps())
        if (step > percent)
            return step;
    return steps().last();
}

int TextSize::smaller(int percent)
{
    for (auto it = steps().crbegin(); it != steps().crend(); ++it)
        if (*it < percent)
            return *it;
    return steps().first();
}

} // namespace reader
