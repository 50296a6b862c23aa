#include <charconv>
#include <cstdint>
#include <functional>
#include <iostream>
#include <limits>

#include "cli/Commands.h"
#include "core/base/HexText.h"
#include "core/watch/WatchSettings.h"
#include "core/watchconfig/DisplaySim.h"
#include "platform/sim/FakeClock.h"

namespace kiro::cli {
namespace {

constexpr int kExitBadArgument = 2;
constexpr const char* kFramesCommand = "display-frames";
constexpr const char* kRenderCommand = "display-render";

[[noreturn]] void Refuse(const std::string& command, const std::string& message) {
    std::cerr << "kiro " << command << ": " << message << "\n";
    throw CLI::RuntimeError(kExitBadArgument);
}

// A whole decimal number in [low, high], or nothing.
template <typename Number>
std::optional<Number> ParseNumber(const std::string& text, Number low, Number high) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

template <typename Number>
Number NumberArgument(const std::string& command, const std::string& name, const std::string& text,
                      Number low, Number high) {
    const auto value = ParseNumber(text, low, high);
    if (!value) {
        const std::string range = high == std::numeric_limits<Number>::max()
                                      ? "of " + std::to_string(low) + " or more"
                                      : "from " + std::to_string(low) + " to " + std::to_string(high);
        Refuse(command, name + " must be a whole number " + range + ", not \"" + text + "\"");
    }
    return *value;
}

DisplayFrame FrameArgument(const std::string& name, const std::string& hex) {
    const auto frame = ParseFrameHex(hex);
    if (!frame) Refuse(kFramesCommand, name + " must be 26 hexadecimal digits, not \"" + hex + "\"");
    return *frame;
}

// Every step as the delay that follows it and the lines it shows.
class PrintingObserver final : public DisplayObserver {
  public:
    void StepShown(const DisplayFrame& frame, int delayMs) override {
        std::cout << delayMs << " " << FrameHex(frame) << "\n";
    }
};

void AddFramesCommand(CLI::App& cli) {
    struct FramesArgs {
        std::string effect, start, target, sped = "4";
    };
    auto args = std::make_shared<FramesArgs>();
    CLI::App* frames = cli.add_subcommand(
        kFramesCommand, "Play one transition effect of the display simulation and print every step");
    frames->add_option("EFFECT", args->effect, "Effect value (taken modulo 11)")->required();
    frames->add_option("--start", args->start, "What the display shows first, 26 hexadecimal digits")
        ->required();
    frames->add_option("--target", args->target, "What the effect ends on, 26 hexadecimal digits")
        ->required();
    frames->add_option("--sped", args->sped, "Display speed 0..8 (default 4)");
    frames->callback([args] {
        const int effect =
            NumberArgument(kFramesCommand, "EFFECT", args->effect, 0, std::numeric_limits<int>::max());
        const DisplayFrame start = FrameArgument("--start", args->start);
        const DisplayFrame target = FrameArgument("--target", args->target);
        const int sped = NumberArgument(kFramesCommand, "--sped", args->sped, 0, 8);
        // The generator starts afresh, so the random effect repeats from one call to the next; the
        // steps cost no time.
        Random random;
        sim::FakeClock clock;
        PrintingObserver observer;
        DisplaySim display(random, clock, observer, sped);
        display.ShowAtOnce(start);
        display.PlayEffect(effect, target);
        std::cout << "END " << FrameHex(display.Current()) << "\n";
    });
}

std::array<uint8_t, kPictureBytes> PictureArgument(const std::string& hex) {
    std::array<uint8_t, kPictureBytes> picture;
    picture.fill(kPictureEnd);
    const size_t pairs = hex.size() / 2;
    if (hex.size() % 2 != 0 || pairs > kPictureBytes - 1 ||
        DecodeHexPairs(hex, picture.data(), pairs) != pairs)
        Refuse(kRenderCommand, "a picture is at most 39 pairs of hexadecimal digits, not \"" + hex + "\"");
    return picture;
}

// `display-render KIND VALUES...` as a subcommand per kind, each printing the frame it renders.
void AddRenderKind(CLI::App& render, const std::string& kind, const std::string& help,
                   const std::vector<std::string>& valueNames,
                   const std::function<DisplayFrame(const std::vector<std::string>&)>& renderer) {
    auto values = std::make_shared<std::vector<std::string>>(valueNames.size());
    CLI::App* sub = render.add_subcommand(kind, help);
    for (size_t i = 0; i < valueNames.size(); ++i) sub->add_option(valueNames[i], (*values)[i])->required();
    sub->callback([values, renderer] { std::cout << FrameHex(renderer(*values)) << "\n"; });
}

void AddRenderCommand(CLI::App& cli) {
    CLI::App* render = cli.add_subcommand(kRenderCommand,
                                          "Print the frame a display item ends on, as 26 hexadecimal digits");
    render->require_subcommand(1);
    AddRenderKind(*render, "time", "The time of day", {"HH", "MM"}, [](const auto& v) {
        return RenderTime(NumberArgument(kRenderCommand, "HH", v[0], 0, 23),
                          NumberArgument(kRenderCommand, "MM", v[1], 0, 59));
    });
    AddRenderKind(*render, "date", "The month and day", {"MM", "DD"}, [](const auto& v) {
        return RenderDate(NumberArgument(kRenderCommand, "MM", v[0], 1, 12),
                          NumberArgument(kRenderCommand, "DD", v[1], 1, 31));
    });
    AddRenderKind(*render, "size", "A disk size in kilobytes", {"KB"}, [](const auto& v) {
        return RenderSize(
            NumberArgument<uint64_t>(kRenderCommand, "KB", v[0], 0, std::numeric_limits<uint64_t>::max()));
    });
    AddRenderKind(*render, "battery", "A battery reading", {"N"}, [](const auto& v) {
        return RenderBattery(NumberArgument(kRenderCommand, "N", v[0], 0, 255));
    });
    AddRenderKind(*render, "steps", "A step count", {"N"}, [](const auto& v) {
        return RenderSteps(NumberArgument(kRenderCommand, "N", v[0], 0, std::numeric_limits<int>::max()));
    });
    AddRenderKind(*render, "picture", "A still picture as hexadecimal pairs", {"HEX"},
                  [](const auto& v) { return RenderPicture(PictureArgument(v[0])); });
}

}  // namespace

void AddDisplayCommands(CLI::App& cli, CliContext&) {
    AddFramesCommand(cli);
    AddRenderCommand(cli);
}

}  // namespace kiro::cli
