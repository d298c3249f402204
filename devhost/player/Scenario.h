#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "devhost/player/PlayerModel.h"

class QJsonObject;

namespace devhost {

// What a message changes in the player's answers before it is published:
// each field given replaces the model's.
struct PlayerChange {
    std::optional<std::string> videoRendererName;
    std::optional<std::string> audioRendererName;
    std::optional<std::vector<PlayerStream>> streams;
    std::optional<bool> basicPlayback;

    void applyTo(PlayerModel& model) const;
};

struct ScenarioMessage {
    QString topic;
    PlayerChange change;
};

// A scripted run of the player: what it answers at the start and the
// messages the host publishes, in order.
struct Scenario {
    PlayerModel player;
    std::vector<ScenarioMessage> messages;

    // Reads a scenario file (JSON; README.md describes it). On failure,
    // returns nothing and sets `error` to one line naming the problem and
    // where in the file it is.
    static std::optional<Scenario> fromFile(const QString& path, QString& error);
    static std::optional<Scenario> fromJson(const QByteArray& json, QString& error);
};

}  // namespace devhost
