#include "devhost/player/Scenario.h"

#include <cmath>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>

#include "devhost/player/SourceFile.h"

namespace devhost {

namespace {

// A problem in the file, with where it is ("messages[2].topic").
struct ScenarioError {
    ScenarioError(const QString& where, const QString& what)
        : message(where.isEmpty() ? what : where + ": " + what) {}
    QString message;
};

// A field name as it can be shown on one line: control characters (a NUL
// among them) written as \uXXXX escapes.
QString printable(const QString& key) {
    QString shown;
    for (const QChar c : key) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            shown += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

QString member(const QString& where, const QString& key) {
    return where.isEmpty() ? printable(key) : where + "." + printable(key);
}

QString element(const QString& where, int index) {
    return QString("%1[%2]").arg(where).arg(index);
}

void allowOnly(const QJsonObject& object, const QString& where, const QSet<QString>& known) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            throw ScenarioError(member(where, it.key()), "unknown field");
        }
    }
}

QJsonObject asObject(const QJsonValue& value, const QString& where) {
    if (!value.isObject()) {
        throw ScenarioError(where, "expected an object");
    }
    return value.toObject();
}

QJsonArray asArray(const QJsonValue& value, const QString& where) {
    if (!value.isArray()) {
        throw ScenarioError(where, "expected an array");
    }
    return value.toArray();
}

std::string asText(const QJsonValue& value, const QString& where) {
    if (!value.isString()) {
        throw ScenarioError(where, "expected a string");
    }
    return value.toString().toStdString();
}

bool asBool(const QJsonValue& value, const QString& where) {
    if (!value.isBool()) {
        throw ScenarioError(where, "expected true or false");
    }
    return value.toBool();
}

// Whole numbers up to 2^53 are exact in JSON's doubles.
std::uint64_t asInteger(const QJsonValue& value, const QString& where, double largest) {
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > largest || std::floor(number) != number) {
        throw ScenarioError(where, QString("expected a whole number from 0 to %1")
                                       .arg(static_cast<std::uint64_t>(largest)));
    }
    return static_cast<std::uint64_t>(number);
}

constexpr double kLargestId = 9007199254740992.0;  // 2^53
constexpr qint64 kLargestScenario = 16 * 1024 * 1024;
constexpr double kLargest32 = 4294967295.0;

PlayerStream readStream(const QJsonValue& value, const QString& where, int index) {
    const QJsonObject object = asObject(value, where);
    allowOnly(object, where, {"id", "kind", "flags", "fourCC", "formatTag", "decoder"});
    PlayerStream stream;
    stream.id = object.contains("id") ? asInteger(object["id"], member(where, "id"), kLargestId)
                                      : static_cast<std::uint64_t>(index) + 1;
    if (object.contains("kind")) {
        const std::string kind = asText(object["kind"], member(where, "kind"));
        if (kind == "video") {
            stream.typeFlags = 0x11;
        } else if (kind == "audio") {
            stream.typeFlags = 0x21;
        } else {
            throw ScenarioError(member(where, "kind"), "expected \"video\" or \"audio\"");
        }
    }
    if (object.contains("flags")) {
        stream.typeFlags = static_cast<std::uint32_t>(
            asInteger(object["flags"], member(where, "flags"), kLargest32));
    } else if (!object.contains("kind")) {
        throw ScenarioError(where, "needs \"kind\" or \"flags\"");
    }
    if (object.contains("fourCC")) {
        stream.fourCC = asText(object["fourCC"], member(where, "fourCC"));
    }
    if (object.contains("formatTag")) {
        stream.formatTag = static_cast<std::uint32_t>(
            asInteger(object["formatTag"], member(where, "formatTag"), kLargest32));
    }
    if (object.contains("decoder")) {
        stream.decoderName = asText(object["decoder"], member(where, "decoder"));
    }
    return stream;
}

PlayerChange readPlayer(const QJsonValue& value, const QString& where) {
    const QJsonObject object = asObject(value, where);
    allowOnly(object, where, {"videoRenderer", "audioRenderer", "streams", "basicPlayback"});
    PlayerChange change;
    if (object.contains("videoRenderer")) {
        change.videoRendererName = asText(object["videoRenderer"], member(where, "videoRenderer"));
    }
    if (object.contains("audioRenderer")) {
        change.audioRendererName = asText(object["audioRenderer"], member(where, "audioRenderer"));
    }
    if (object.contains("basicPlayback")) {
        change.basicPlayback = asBool(object["basicPlayback"], member(where, "basicPlayback"));
    }
    if (object.contains("streams")) {
        const QString at = member(where, "streams");
        const QJsonArray array = asArray(object["streams"], at);
        std::vector<PlayerStream> streams;
        for (int i = 0; i < array.size(); ++i) {
            streams.push_back(readStream(array[i], element(at, i), i));
        }
        change.streams = std::move(streams);
    }
    return change;
}

ScenarioMessage readMessage(const QJsonValue& value, const QString& where) {
    ScenarioMessage message;
    if (value.isString()) {
        message.topic = value.toString();
    } else {
        const QJsonObject object = asObject(value, where);
        allowOnly(object, where, {"topic", "player"});
        if (!object.contains("topic")) {
            throw ScenarioError(where, "needs a \"topic\"");
        }
        message.topic = QString::fromStdString(asText(object["topic"], member(where, "topic")));
        if (object.contains("player")) {
            message.change = readPlayer(object["player"], member(where, "player"));
        }
    }
    if (message.topic.isEmpty()) {
        throw ScenarioError(where, "the topic is empty");
    }
    return message;
}

}  // namespace

void PlayerChange::applyTo(PlayerModel& model) const {
    if (videoRendererName) {
        model.videoRendererName = *videoRendererName;
    }
    if (audioRendererName) {
        model.audioRendererName = *audioRendererName;
    }
    if (streams) {
        model.streams = *streams;
    }
    if (basicPlayback) {
        model.basicPlayback = *basicPlayback;
    }
}

std::optional<Scenario> Scenario::fromJson(const QByteArray& json, QString& error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error =
            QString("not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset);
        return std::nullopt;
    }
    try {
        const QJsonObject root = asObject(
            document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array()),
            "top level");
        allowOnly(root, QString(), {"player", "messages"});
        Scenario scenario;
        if (root.contains("player")) {
            readPlayer(root["player"], "player").applyTo(scenario.player);
        }
        if (root.contains("messages")) {
            const QJsonArray messages = asArray(root["messages"], "messages");
            for (int i = 0; i < messages.size(); ++i) {
                scenario.messages.push_back(readMessage(messages[i], element("messages", i)));
            }
        } else {
            scenario.messages.push_back({"Playback.Playing.New", {}});
        }
        return scenario;
    } catch (const ScenarioError& problem) {
        error = problem.message;
        return std::nullopt;
    }
}

std::optional<Scenario> Scenario::fromFile(const QString& path, QString& error) {
    error = sourceFileProblem(path, "scenario file");
    if (!error.isEmpty()) {
        return std::nullopt;
    }
    if (QFileInfo(path).size() > kLargestScenario) {
        error = QString("is larger than a scenario may be (%1 bytes)").arg(kLargestScenario);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot be read: " + file.errorString();
        return std::nullopt;
    }
    return fromJson(file.readAll(), error);
}

}  // namespace devhost
