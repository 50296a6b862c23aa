#pragma once
// Every figure derived from step counts: distance, speed, cadence and energy. The report rows,
// the graph's calorie axis, the summary and the missions all use these, so that a value shown in
// two places is the same value. The orders of multiplication are kept as they are because the
// displayed digits depend on them.

namespace kiro {

// The personal values the formulas use: weight in kilograms, step size in centimetres.
struct BodyMeasures {
    int weight = 0;
    int stepSize = 0;
};

// A minute counts only when its steps are above the slight-move threshold: smaller counts are
// the watch picking up arm movements, not walking.
inline int FilteredCount(int count, int slightMoving) {
    return count > slightMoving ? count : 0;
}

// Kilocalories of walking `minutes` at `speedKmh`; a duration of 0 or less counts as one minute.
double CalcCalories(int weight, int minutes, double speedKmh);

double DistanceMetres(int stepSize, double steps);
double DistanceKm(int stepSize, double steps);

// What a report row shows for some steps taken over a duration.
struct WalkFigures {
    double distanceKm = 0;
    double speedKmh = 0;
    double cadence = 0;  // steps per second
    double calories = 0;
};

// An activity period from minute `first` to minute `last` inclusive: its duration is last - first,
// and a one-minute period is taken as walked within that minute.
WalkFigures PeriodFigures(const BodyMeasures& body, int steps, int first, int last);
// A day of the month report with `activeMinutes` minutes above the slight-move threshold.
WalkFigures DayFigures(const BodyMeasures& body, int steps, int activeMinutes);

// The top of the graph's calorie axis: the energy of walking `stepsPerHour` steps in one hour.
double CalorieAxisMaximum(const BodyMeasures& body, int stepsPerHour);

// All of `steps` taken as one walk at its average speed over `minutes`; 0 when minutes is 0.
double AverageWalkCalories(const BodyMeasures& body, double steps, int minutes);

}  // namespace kiro
