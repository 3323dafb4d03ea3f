#include "classlib/core/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "classlib/core/SysUtils.h"
#include "tests/classlib/core/FileText.h"
#include "tests/support/TempDir.h"

namespace {

using classlibtest::ReadFileText;
using classlibtest::WriteFileText;

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

TEST_P(StreamContract, WritingPastTheEndFillsTheGapWithZeros)
{
    auto s = Make();
    s->WriteBuffer("ab", 2);
    s->SetPosition(5);
    s->WriteBuffer("z", 1);
    ASSERT_EQ(s->Size(), 6);
    char buf[6];
    s->SetPosition(0);
    s->ReadBuffer(buf, 6);
    EXPECT_EQ(std::string(buf, 6), std::string("ab\0\0\0z", 6));
}

TEST_P(StreamContract, OverwriteInTheMiddleKeepsTheRest)
{
    auto s = Make();
    s->WriteBuffer("abcdef", 6);
    s->SetPosition(2);
    char c;
    s->ReadBuffer(&c, 1);  // a read directly followed by a write
    s->WriteBuffer("XY", 2);
    s->ReadBuffer(&c, 1);  // and a write directly followed by a read
    EXPECT_EQ(c, 'f');
    char buf[6];
    s->SetPosition(0);
    s->ReadBuffer(buf, 6);
    EXPECT_EQ(std::string(buf, 6), "abcXYf");
}

TEST_P(StreamContract, SetSizeTruncatesAndExtends)
{
    auto s = Make();
    s->WriteBuffer("abcdef", 6);
    s->SetSize(3);
    EXPECT_EQ(s->Size(), 3);
    s->SetSize(5);
    EXPECT_EQ(s->Size(), 5);
    char buf[5];
    s->SetPosition(0);
    s->ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), std::string("abc\0\0", 5));
    EXPECT_THROW(s->SetSize(-1), EStreamError);
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

TEST(MemoryStream, LargeWritesGrowAndKeepEveryByte)
{
    TMemoryStream s;
    std::vector<uint8_t> chunk(1000);
    for (int i = 0; i < 3000; ++i) {
        std::memset(chunk.data(), i & 0xFF, chunk.size());
        s.WriteBuffer(chunk.data(), chunk.size());
    }
    ASSERT_EQ(s.Size(), 3000000);
    for (int i = 0; i < 3000; i += 499)
        EXPECT_EQ(s.Memory()[i * 1000 + 999], i & 0xFF);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, FileRoundTripAndFailedLoadKeepsContent)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("m.bin");
    TMemoryStream s;
    s.WriteBuffer("hello\0world", 11);
    s.SetPosition(3);
    s.SaveToFile(path);  // whole content, whatever the position
    EXPECT_EQ(ReadFileText(path), std::string("hello\0world", 11));

    TMemoryStream t;
    t.WriteBuffer("old", 3);
    EXPECT_THROW(t.LoadFromFile(dir.file("missing.bin")), EFOpenError);
    EXPECT_EQ(t.Size(), 3);
    EXPECT_EQ(std::memcmp(t.Memory(), "old", 3), 0);

    t.LoadFromFile(path);
    EXPECT_EQ(t.Size(), 11);
    EXPECT_EQ(t.Position(), 0);
    EXPECT_EQ(std::memcmp(t.Memory(), "hello\0world", 11), 0);

    WriteFileText(path, "");
    t.LoadFromFile(path);
    EXPECT_EQ(t.Size(), 0);
}

TEST(FileStream, OpenModesAndTheirErrors)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("f.bin");
    const std::string missing = dir.file("no\\such.bin");

    try {
        TFileStream f(missing, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message.rfind("Cannot open file \"" + missing + "\"", 0), 0u) << e.Message;
    }
    try {
        TFileStream f(dir.file("nofolder/x.bin"), fmCreate);
        FAIL() << "created in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message.rfind("Cannot create file \"", 0), 0u) << e.Message;
    }

    WriteFileText(path, "abcdef");
    {
        TFileStream f(path, fmOpenReadWrite | fmShareDenyWrite);  // keeps the content
        EXPECT_EQ(f.Size(), 6);
        f.SetPosition(6);
        f.WriteBuffer("g", 1);
    }
    EXPECT_EQ(ReadFileText(path), "abcdefg");
    {
        TFileStream f(path, fmOpenRead);
        EXPECT_EQ(f.Write("x", 1), 0u);  // read-only
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    }
    {
        TFileStream f(path, fmCreate);  // truncates
        EXPECT_EQ(f.Size(), 0);
        EXPECT_EQ(f.FileName(), path);
    }
    EXPECT_EQ(ReadFileText(path), "");
}

} // namespace
