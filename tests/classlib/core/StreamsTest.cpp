// The stream contract both stream kinds keep: reads stop at the end, short reads are refused, seeks before the
// start are refused and keep the position, copies take a count or the whole source.
#include "classlib/core/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "classlib/core/SysUtils.h"
#include "tests/support/TempDir.h"

namespace {

// The same contract for both stream kinds: a fresh, empty stream of each.
class StreamContract : public ::testing::TestWithParam<const char*> {
protected:
    std::unique_ptr<TStream> Make()
    {
        if (std::string(GetParam()) == "memory")
            return std::make_unique<TMemoryStream>();
        return std::make_unique<TFileStream>(dir_.file("s.bin"), fmCreate);
    }
    testsupport::TempDir dir_;
};

TEST_P(StreamContract, ReadStopsAtTheEnd)
{
    auto s = Make();
    s->WriteBuffer("abcdef", 6);
    EXPECT_EQ(s->Size(), 6);
    EXPECT_EQ(s->Position(), 6);

    char buf[8] = {};
    const struct {
        int64_t seek;
        TSeekOrigin origin;
        size_t ask;
        size_t got;
        int64_t posAfter;
        const char* bytes;
    } rows[] = {
        {0, soBeginning, 4, 4, 4, "abcd"},
        {0, soCurrent, 4, 2, 6, "ef"},
        {-1, soEnd, 8, 1, 6, "f"},
        {10, soBeginning, 3, 0, 10, ""},  // past the end: nothing to read, position stays
        {-6, soEnd, 0, 0, 0, ""},
    };
    for (const auto& r : rows) {
        s->Seek(r.seek, r.origin);
        std::memset(buf, 0, sizeof buf);
        EXPECT_EQ(s->Read(buf, r.ask), r.got);
        EXPECT_EQ(std::string(buf, r.got), r.bytes);
        EXPECT_EQ(s->Position(), r.posAfter);
    }
}

TEST_P(StreamContract, ReadBufferThrowsWhenShort)
{
    auto s = Make();
    s->WriteBuffer("abc", 3);
    s->SetPosition(1);
    char buf[4];
    EXPECT_THROW(s->ReadBuffer(buf, 3), EReadError);
    s->SetPosition(1);
    EXPECT_NO_THROW(s->ReadBuffer(buf, 2));
    EXPECT_NO_THROW(s->ReadBuffer(buf, 0));
}

TEST_P(StreamContract, SeekBeforeStartThrowsAndKeepsPosition)
{
    auto s = Make();
    s->WriteBuffer("abc", 3);
    s->SetPosition(2);
    EXPECT_THROW(s->Seek(-3, soCurrent), EStreamError);
    EXPECT_THROW(s->Seek(-4, soEnd), EStreamError);
    EXPECT_THROW(s->Seek(-1, soBeginning), EStreamError);
    EXPECT_EQ(s->Position(), 2);
}

TEST_P(StreamContract, CopyFromTakesACountOrTheWholeSource)
{
    TMemoryStream src;
    src.WriteBuffer("0123456789", 10);

    auto s = Make();
    src.SetPosition(2);
    EXPECT_EQ(s->CopyFrom(src, 3), 3);
    EXPECT_EQ(src.Position(), 5);
    EXPECT_EQ(s->CopyFrom(src, 0), 10);  // whole source, from its start
    EXPECT_EQ(s->Size(), 13);
    src.SetPosition(8);
    EXPECT_THROW(s->CopyFrom(src, 5), EReadError);

    char buf[13];
    s->SetPosition(0);
    s->ReadBuffer(buf, 13);
    EXPECT_EQ(std::string(buf, 13), "2340123456789");
}

INSTANTIATE_TEST_SUITE_P(Kinds, StreamContract, ::testing::Values("memory", "file"));

} // namespace
