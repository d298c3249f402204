#include "host/PubSubHub.h"

#include <algorithm>
#include <map>
#include <memory>

#include <QPointer>

#include "devhost/vtl/TopicRelay.h"

namespace Vantrel {

namespace {

using Topics = std::map<QString, std::unique_ptr<TopicRelay>>;

Topics& topics() {
    static Topics all;
    return all;
}

struct Record {
    QPointer<QObject> receiver;
    PubSubHub::Subscription subscription;
};

// Every subscription of a live receiver, for the host to inspect. Entries
// of destroyed receivers are dropped whenever the list is touched, so a
// long-running host does not collect them.
std::vector<Record>& history() {
    static std::vector<Record> all;
    all.erase(
        std::remove_if(all.begin(), all.end(), [](const Record& r) { return r.receiver.isNull(); }),
        all.end());
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
    if (!QObject::connect(relay.get(), SIGNAL(published()), receiver, member, type)) {
        return false;
    }
    history().push_back({receiver, {topic, QByteArray(member), type}});
    return true;
}

std::vector<PubSubHub::Subscription> PubSubHub::subscriptionsOf(const QObject* receiver) {
    std::vector<Subscription> found;
    for (const Record& record : history()) {
        if (record.receiver.data() == receiver) {
            found.push_back(record.subscription);
        }
    }
    return found;
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
