#include <memory>

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include "host/PubSubHub.h"
#include "host/VtlStringTools.h"

using Vantrel::PubSubHub;

namespace {

// Counts how often its slot runs, and records the order across receivers.
class Receiver : public QObject {
    Q_OBJECT
public:
    explicit Receiver(std::vector<Receiver*>* order = nullptr) : order(order) {}
    int calls = 0;
public slots:
    void onMessage() {
        ++calls;
        if (order != nullptr) {
            order->push_back(this);
        }
    }

private:
    std::vector<Receiver*>* order;
};

}  // namespace

TEST(PubSubHub, PublishingInvokesEveryLiveSubscriberInOrder) {
    std::vector<Receiver*> order;
    Receiver first(&order);
    Receiver second(&order);
    Receiver elsewhere;
    ASSERT_TRUE(
        PubSubHub::listenForMessage("Test.Order", &first, SLOT(onMessage()), Qt::AutoConnection));
    ASSERT_TRUE(
        PubSubHub::listenForMessage("Test.Order", &second, SLOT(onMessage()), Qt::AutoConnection));
    ASSERT_TRUE(PubSubHub::listenForMessage("Test.Elsewhere", &elsewhere, SLOT(onMessage()),
                                            Qt::AutoConnection));

    EXPECT_EQ(PubSubHub::publish("Test.Order"), 2);
    EXPECT_EQ(PubSubHub::publish("Test.Order"), 2);

    EXPECT_EQ(first.calls, 2);
    EXPECT_EQ(second.calls, 2);
    EXPECT_EQ(elsewhere.calls, 0);
    EXPECT_EQ(order, (std::vector<Receiver*>{&first, &second, &first, &second}));
}

TEST(PubSubHub, DestroyedSubscriberIsNeverInvoked) {
    Receiver staying;
    auto leaving = std::make_unique<Receiver>();
    PubSubHub::listenForMessage("Test.Destroyed", &staying, SLOT(onMessage()), Qt::AutoConnection);
    PubSubHub::listenForMessage("Test.Destroyed", leaving.get(), SLOT(onMessage()),
                                Qt::AutoConnection);
    leaving.reset();

    EXPECT_EQ(PubSubHub::publish("Test.Destroyed"), 1);
    EXPECT_EQ(staying.calls, 1);
}

TEST(PubSubHub, RefusesWhatCannotBeInvoked) {
    Receiver receiver;
    EXPECT_FALSE(PubSubHub::listenForMessage("Test.Refused", nullptr, SLOT(onMessage()),
                                             Qt::AutoConnection));
    EXPECT_FALSE(
        PubSubHub::listenForMessage("Test.Refused", &receiver, nullptr, Qt::AutoConnection));
    EXPECT_FALSE(PubSubHub::listenForMessage("Test.Refused", &receiver, SLOT(noSuchSlot()),
                                             Qt::AutoConnection));
    EXPECT_EQ(PubSubHub::publish("Test.Refused"), 0);
    EXPECT_EQ(PubSubHub::publish("Test.NobodyListens"), 0);
    EXPECT_EQ(receiver.calls, 0);
}

TEST(VtlStringTools, DecodesUtf8) {
    using Vantrel::VtlStringTools;
    EXPECT_EQ(VtlStringTools::fromStdStringUTF8(""), QString());
    EXPECT_EQ(VtlStringTools::fromStdStringUTF8("Video"), QString("Video"));
    EXPECT_EQ(VtlStringTools::fromStdStringUTF8("Vid\xc3\xa9o \xe2\x86\x92 \xf0\x9f\x8e\xac"),
              QString::fromUtf8(u8"Vidéo → 🎬"));
    // A malformed byte becomes a replacement character, never lost text.
    const QString malformed = VtlStringTools::fromStdStringUTF8(
        "a\xff"
        "b");
    EXPECT_TRUE(malformed.startsWith('a'));
    EXPECT_TRUE(malformed.endsWith('b'));
    EXPECT_TRUE(malformed.contains(QChar::ReplacementCharacter));
}

#include "VtlLibraryTest.moc"
