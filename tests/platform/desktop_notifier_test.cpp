// The notification at the end of a run, with a fake bus in place of the session bus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/desktop_notifier.h"

namespace clipwright {
namespace {

class FakeBus : public NotificationBus {
public:
    explicit FakeBus(std::vector<std::pair<QString, QString>>& sent) : sent_(sent) {}
    bool Notify(const QString& summary, const QString& body) override {
        sent_.emplace_back(summary, body);
        return true;
    }

private:
    std::vector<std::pair<QString, QString>>& sent_;
};

TEST(RunNotification, SentOnlyWhenTheMainWindowIsNotActive) {
    std::vector<std::pair<QString, QString>> sent;
    FakeBus bus(sent);
    const QString body = QStringLiteral("3 converted, 1 skipped, 2 failed.");
    EXPECT_FALSE(NotifyRunEnded(bus, true, QStringLiteral("Done"), body));
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(NotifyRunEnded(bus, false, QStringLiteral("Done"), body));
    ASSERT_EQ(sent.size(), 1U);
    EXPECT_EQ(sent[0].first, QStringLiteral("Done"));
    EXPECT_EQ(sent[0].second, body);
}

TEST(RunNotification, TheBusCanBeReplacedAndGivenBack) {
    std::vector<std::pair<QString, QString>> sent;
    std::unique_ptr<NotificationBus> previous =
        ReplaceNotificationBus(std::make_unique<FakeBus>(sent));
    EXPECT_TRUE(TheNotificationBus().Notify(QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(sent.size(), 1U);
    std::unique_ptr<NotificationBus> fake = ReplaceNotificationBus(std::move(previous));
    EXPECT_NE(dynamic_cast<FakeBus*>(fake.get()), nullptr);
    EXPECT_EQ(dynamic_cast<FakeBus*>(&TheNotificationBus()), nullptr);
}

// Without a session bus nothing is sent and nothing fails.
TEST(RunNotification, NoSessionBusMeansNothingHappens) {
    ASSERT_EQ(::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/clipwright-bus", 1), 0);
    const std::unique_ptr<NotificationBus> bus = MakeSessionNotificationBus();
    EXPECT_FALSE(NotifyRunEnded(*bus, false, QStringLiteral("Done"), QStringLiteral("0 0 0")));
}

}  // namespace
}  // namespace clipwright
