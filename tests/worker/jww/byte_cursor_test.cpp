// The cursor reads a file through its window exactly as it reads the same
// bytes in memory, and a file cut while it is read ends the input cleanly.
#include "worker/jww/byte_cursor.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using jww::ByteCursor;

namespace {

// Bytes whose every position differs from its neighbours, so that a read at
// a wrong offset shows.
QByteArray patternBytes(qsizetype n)
{
    QByteArray bytes(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return bytes;
}

// Reads the whole input in a fixed mix of widths that straddles every window
// boundary, including spans longer than a window; each value is recorded
// together with the position after it.
std::vector<int64_t> readMix(ByteCursor& in)
{
    std::vector<int64_t> seen;
    for (int step = 0; !in.failed(); ++step) {
        switch (step % 6) {
        case 0: seen.push_back(in.u8()); break;
        case 1: seen.push_back(in.u16()); break;
        case 2: seen.push_back(in.i32()); break;
        case 3: seen.push_back(static_cast<int64_t>(in.f64())); break;
        case 4: {
            const QByteArrayView span = in.bytes(step % 7 == 0 ? 70001 : 13);
            seen.push_back(static_cast<int64_t>(qHashBits(span.data(), static_cast<size_t>(span.size()))));
            break;
        }
        default: in.skip(step % 5 == 0 ? 65537 : 3); break;
        }
        seen.push_back(in.pos());
    }
    return seen;
}

class FileCursor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("d.jww"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return path;
    }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(FileCursor, ReadsLikeMemoryAcrossWindowBoundaries)
{
    const QByteArray bytes = patternBytes(400000);
    QFile file(write(bytes));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    ByteCursor fromFile(file, file.size());
    ByteCursor fromMemory(bytes);
    EXPECT_EQ(readMix(fromFile), readMix(fromMemory));
}

TEST_F(FileCursor, RewindComesBackToTheMarkFromAnotherWindow)
{
    const QByteArray bytes = patternBytes(300000);
    QFile file(write(bytes));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    ByteCursor in(file, file.size());
    in.skip(100);
    const ByteCursor::Mark mark = in.mark();
    const int32_t first = in.i32();
    in.skip(250000);
    in.skip(100000);  // runs past the end
    ASSERT_TRUE(in.failed());
    in.rewind(mark);
    EXPECT_FALSE(in.failed());
    EXPECT_EQ(in.pos(), 100);
    EXPECT_EQ(in.i32(), first);
}

// A file cut after its size was taken: the reads before the cut see the
// file's bytes, the read that crosses it fails, and so does every later one.
TEST_F(FileCursor, FileCutWhileReadEndsTheInput)
{
    const QByteArray bytes = patternBytes(200000);
    const QString path = write(bytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    ByteCursor in(file, file.size());
    EXPECT_EQ(in.u8(), static_cast<uint8_t>(bytes[0]));
    ASSERT_TRUE(QFile::resize(path, 120000));

    in.skip(119990 - 1);
    const QByteArrayView tail = in.bytes(10);
    EXPECT_EQ(tail, QByteArrayView(bytes).sliced(119990, 10));
    EXPECT_FALSE(in.failed());
    EXPECT_EQ(in.u8(), 0);
    EXPECT_TRUE(in.failed());
    EXPECT_EQ(in.remaining(), 0);
    EXPECT_TRUE(in.bytes(1).isEmpty());
}
