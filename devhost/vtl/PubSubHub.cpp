#include "host/PubSubHub.h"

#include <map>
#include <memory>

#include "devhost/vtl/TopicRelay.h"

namespace Vantrel {

namespace {

using Topics = std::map<QString, std::unique_ptr<TopicRelay>>;

Topics& topics() {
    static Topics all;
    return all;
}

}  // namespace

bool PubSubHub::listenForMessage(const QString& topic, QObject* receiver, const char* member,
                                 Qt::ConnectionType type) {
    if (receiver == nullptr || member == nullptr) {
        return false;
    }
    std::unique_ptr<TopicRelay>& relay = topics()[topic];
    if (!relay) {
        relay = std::make_unique<TopicRelay>();
    }
    return static_cast<bool>(
        QObject::connect(relay.get(), SIGNAL(published()), receiver, member, type));
}

int PubSubHub::publish(const QString& topic) {
    const auto found = topics().find(topic);
    if (found == topics().end()) {
        return 0;
    }
    TopicRelay* relay = found->second.get();
    const int subscribers = relay->subscriberCount();
    emit relay->published();
    return subscribers;
}

}  // namespace Vantrel
