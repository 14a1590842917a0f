// A second start brings the running program's window forward.
#include "startup/InstanceWaker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

TEST(InstanceWaker, ASecondStartWakesTheFirstOnly)
{
    const QString key = InstanceWaker::KeyFor(QStringLiteral("/opt/selvara/bin/selvara"),
                                              QStringLiteral("/home/test-%1").arg(QCoreApplication::applicationPid()));
    EXPECT_NE(key, InstanceWaker::KeyFor(QStringLiteral("/opt/selvara/bin/selvara"), QStringLiteral("/home/other")));
    InstanceWaker second(key);
    // Nobody runs yet: nothing answers.
    EXPECT_FALSE(second.wake(200));

    InstanceWaker first(key);
    int woken = 0;
    ASSERT_TRUE(first.listen([&woken] { ++woken; }));
    EXPECT_TRUE(second.wake());
    EXPECT_TRUE(QTest::qWaitFor([&woken] { return woken == 1; }, 3000));
}
