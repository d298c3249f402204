// The scenario file reader on arbitrary bytes: it either reads a scenario or
// names a problem, and never crashes, hangs or leaks.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "devhost/player/Scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString error;
    const auto scenario = devhost::Scenario::fromJson(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), error);
    // Exactly one of the two: a scenario, or a reason.
    if (scenario.has_value() == !error.isEmpty()) {
        std::abort();
    }
    if (scenario) {
        devhost::PlayerModel model = scenario->player;
        for (const devhost::ScenarioMessage& message : scenario->messages) {
            if (message.topic.isEmpty()) {
                std::abort();
            }
            message.change.applyTo(model);
        }
    }
    return 0;
}
