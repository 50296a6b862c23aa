#include "core/analysis/Metrics.h"

namespace kiro {

double CalcCalories(int weight, int minutes, double speedKmh) {
    const int duration = minutes > 0 ? minutes : 1;
    double k = 0.1355;
    double divisor = 8;
    if (speedKmh >= 12.0) {
        k = 0.1875;
        divisor = 15;
    } else if (speedKmh >= 8.0) {
        k = 0.1797;
        divisor = 12;
    }
    return static_cast<double>(weight) * k * duration * speedKmh / divisor;
}

double DistanceMetres(int stepSize, double steps) {
    return stepSize * steps * 0.01;
}

double DistanceKm(int stepSize, double steps) {
    return DistanceMetres(stepSize, steps) * 0.001;
}

WalkFigures PeriodFigures(const BodyMeasures& body, int steps, int first, int last) {
    const int duration = last - first;
    const double metres = DistanceMetres(body.stepSize, steps);
    WalkFigures figures;
    figures.distanceKm = metres * 0.001;
    figures.speedKmh = duration == 0 ? metres * 0.06 : metres * 60 / duration * 0.001;
    figures.cadence = steps * (1.0 / 60);
    if (duration != 0) figures.cadence /= duration;
    figures.calories = CalcCalories(body.weight, duration, figures.speedKmh);
    return figures;
}

WalkFigures DayFigures(const BodyMeasures& body, int steps, int activeMinutes) {
    // Counting from the first active minute, n active minutes span n - 1 minutes.
    const int duration = activeMinutes >= 2 ? activeMinutes - 1 : activeMinutes;
    const double metres = DistanceMetres(body.stepSize, steps);
    WalkFigures figures;
    figures.distanceKm = metres * 0.001;
    figures.speedKmh = duration > 1 ? metres * 60 / duration * 0.001 : metres * 0.06;
    figures.cadence = steps * (1.0 / 60);
    if (duration > 1) figures.cadence /= duration;
    figures.calories = CalcCalories(body.weight, duration, figures.speedKmh);
    return figures;
}

double CalorieAxisMaximum(const BodyMeasures& body, int stepsPerHour) {
    return CalcCalories(body.weight, 60, stepsPerHour * static_cast<double>(body.stepSize) * 0.00001);
}

double AverageWalkCalories(const BodyMeasures& body, double steps, int minutes) {
    if (minutes == 0) return 0;
    return CalcCalories(body.weight, minutes, steps * body.stepSize * 0.0006 / minutes);
}

}  // namespace kiro
