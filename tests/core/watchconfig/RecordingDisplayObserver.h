#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/watchconfig/DisplaySim.h"
#include "platform/sim/FakeClock.h"

namespace kiro::test {

// Keeps everything the simulation tells its window; asks for Stop once it has been pumped a given
// number of times.
class RecordingDisplayObserver final : public DisplayObserver {
  public:
    struct Step {
        DisplayFrame frame;
        int delayMs;
        std::optional<TextId> status;  // the status text shown at the time, none before the first
    };

    std::vector<Step> steps;
    // Status texts and blink masks in the order they came: "text 64", "blink 64".
    std::vector<std::string> events;
    int pumps = 0;
    int stopAtPump = -1;

    void StepShown(const DisplayFrame& frame, int delayMs) override {
        steps.push_back({frame, delayMs, status_});
    }
    void StatusChanged(TextId text) override {
        status_ = text;
        events.push_back("text " + std::to_string(static_cast<int>(text)));
    }
    void BlinkChanged(uint16_t mask) override { events.push_back("blink " + std::to_string(mask)); }
    void Pump() override { ++pumps; }
    bool StopRequested() const override { return stopAtPump >= 0 && pumps >= stopAtPump; }

    std::vector<int> Delays() const {
        std::vector<int> delays;
        for (const Step& step : steps) delays.push_back(step.delayMs);
        return delays;
    }
    std::vector<std::string> FrameHexes() const {
        std::vector<std::string> hexes;
        for (const Step& step : steps) hexes.push_back(FrameHex(step.frame));
        return hexes;
    }

  private:
    std::optional<TextId> status_;
};

// A display simulation over a clock that costs no time, recording what it shows.
struct DisplayWorld {
    Random random;
    sim::FakeClock clock;
    RecordingDisplayObserver observer;
    DisplaySim display;

    explicit DisplayWorld(int sped = 4) : display(random, clock, observer, sped) {}
};

// A frame of 13 visible lines written as hexadecimal.
inline DisplayFrame Frame(const char* hex) {
    return ParseFrameHex(hex).value();
}

}  // namespace kiro::test
