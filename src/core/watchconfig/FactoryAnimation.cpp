#include "core/watchconfig/FactoryAnimation.h"

#include <cstddef>

namespace kiro {

int FactoryAnimation::Tick(Random& random, bool busy, int sliderPosition) {
    if (!busy) {
        for (std::size_t i = 0; i < channels.size(); ++i) {
            channels[i] += steps[i];
            // At either end the channel turns round with a new random pace.
            if (channels[i] < 0) {
                channels[i] = 0;
                steps[i] = random.Next() % 30;
            } else if (channels[i] > 255) {
                channels[i] = 255;
                steps[i] = -(random.Next() % 30);
            }
        }
    }
    sliderPosition += sliderStep;
    if (sliderPosition > 19) sliderStep = -1;
    if (sliderPosition < -19) sliderStep = 1;
    return sliderPosition;
}

}  // namespace kiro
