// Which converted file a log line names.
#include "frontend/log_lines.h"

#include "frontend/batch_runner.h"

#include <gtest/gtest.h>

using namespace frontend;

namespace {

TEST(LogLines, ArrowAndConvertedLinesNameTheDestination)
{
    const QStringList log{
        QStringLiteral("/d/a.jww"),
        kArrowPrefix + QStringLiteral("/o/a.sfc"),
        kResultPrefix + kConverted,
        QStringLiteral("/d/b.jww"),
        kArrowPrefix + QStringLiteral("/o/b.sfc"),
        kResultPrefix + kFailed,
        kReasonPrefix + QStringLiteral("壊れています"),
        QStringLiteral("2件中1件を変換しました（失敗1件）"),
    };
    const QString expected[] = {{}, QStringLiteral("/o/a.sfc"), QStringLiteral("/o/a.sfc"), {},
                                QStringLiteral("/o/b.sfc"), {}, {}, {}};
    for (int row = 0; row < log.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(destinationOfLogLine(log, row), expected[row]);
    }
    EXPECT_EQ(destinationOfLogLine(log, -1), QString());
    EXPECT_EQ(destinationOfLogLine(log, int(log.size())), QString());
}

}  // namespace
