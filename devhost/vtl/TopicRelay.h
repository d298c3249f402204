#pragma once

#include <QObject>

namespace Vantrel {

// One topic of the hub. Subscribers are connected to its signal, so the
// toolkit's own connection bookkeeping drops a subscriber when it is
// destroyed.
class TopicRelay : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int subscriberCount() const { return receivers(SIGNAL(published())); }

signals:
    void published();
};

}  // namespace Vantrel
