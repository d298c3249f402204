#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <Qt>

#include "host/VtlExport.h"

class QObject;

namespace Vantrel {

// The host's message hub: plug-ins subscribe a member of theirs to a topic,
// and every later publication of the topic invokes it.
class VTL_EXPORT PubSubHub {
public:
    // `member` is a slot or signal signature as the toolkit's SLOT() and
    // SIGNAL() macros write it ("1showFileInfo()"). False when the receiver or
    // member is missing or the receiver has no such member. A receiver that
    // is destroyed is never invoked again.
    static bool listenForMessage(const QString& topic, QObject* receiver, const char* member,
                                 Qt::ConnectionType type);

    // The host's side: invokes every live subscriber of `topic`, in the order
    // they subscribed, and answers how many there were.
    static int publish(const QString& topic);

    // The host's view of what `receiver` subscribed, in the order it did.
    struct Subscription {
        QString topic;
        QByteArray member;
        Qt::ConnectionType type;
    };
    static std::vector<Subscription> subscriptionsOf(const QObject* receiver);
};

}  // namespace Vantrel
