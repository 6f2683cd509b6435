#include "model/Archive.h"
#include "model/ByteBuilder.h"
#include "model/Line.h"
#include "model/UDouble.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

using test::ByteBuilder;
using test::Hex;

TEST(ArchiveTest, TextLengthPrefixes) {
    const std::pair<size_t, std::string> cases[] = {
        {0, "00"},
        {1, "01"},
        {254, "FE"},
        {255, "FF FF 00"},
        {256, "FF 00 01"},
        {0xFFFD, "FF FD FF"},
        {0xFFFE, "FF FF FF FE FF 00 00"},
        {0xFFFF, "FF FF FF FF FF 00 00"},
        {0x10000, "FF FF FF 00 00 01 00"},
    };
    for (const auto& [length, prefix] : cases) {
        const std::string text(length, 'x');
        CArchive out;
        out.WriteString(text);
        const std::string& bytes = out.Bytes();
        const size_t prefixBytes = bytes.size() - length;
        EXPECT_EQ(Hex(bytes.substr(0, prefixBytes)), prefix) << length;

        CArchive in(bytes);
        EXPECT_EQ(in.ReadString(), text) << length;
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ArchiveTest, CountPrefixes) {
    const std::pair<uint32_t, std::string> cases[] = {
        {0, "00 00"},
        {3, "03 00"},
        {0xFFFE, "FE FF"},
        {0xFFFF, "FF FF FF FF 00 00"},
        {0x12345, "FF FF 45 23 01 00"},
    };
    for (const auto& [count, bytes] : cases) {
        CArchive out;
        out.WriteCount(count);
        EXPECT_EQ(Hex(out.Bytes()), bytes) << count;
        CArchive in(out.Bytes());
        EXPECT_EQ(in.ReadCount(0), count);
    }
}

TEST(ArchiveTest, ObjectTagsShareOneIndexTable) {
    CLine first;
    CUDouble value(2.0);
    CLine second;
    CArchive out;
    out.WriteObject(&first);  // class 1, object 2
    out.WriteObject(&value);  // class 3, object 4
    out.WriteObject(&second); // object 5, tagged with class 1
    out.WriteObject(&value);  // a back-reference to object 4
    out.WriteObject(nullptr);

    const std::string lineFields = [] {
        CArchive fields;
        CLine blank;
        blank.Serialize(fields);
        return fields.Bytes();
    }();
    const std::string expected = ByteBuilder()
                                     .NewClass("CLine")
                                     .Raw(lineFields)
                                     .NewClass("CUDouble")
                                     .F64(2.0)
                                     .U16(0x8001)
                                     .Raw(lineFields)
                                     .U16(4)
                                     .U16(0)
                                     .Str();
    EXPECT_EQ(Hex(out.Bytes()), Hex(expected));
}

// Many profile values push the index table past 0x7FFF, where tags take the escape form.
TEST(ArchiveTest, LargeIndicesUseTheEscape) {
    constexpr uint32_t kValues = 0x7FFF;
    std::vector<CUDouble> values(kValues);
    CLine a;
    CLine b;
    CArchive out;
    for (CUDouble& v : values) {
        out.WriteObject(&v); // class 1, objects 2 .. 0x8000
    }
    out.WriteObject(&a); // class 0x8001, object 0x8002
    const size_t secondLine = out.Bytes().size();
    out.WriteObject(&b); // object 0x8003
    const size_t backReference = out.Bytes().size();
    out.WriteObject(&values.back());
    out.WriteObject(&values.front());

    const std::string& bytes = out.Bytes();
    EXPECT_EQ(Hex(bytes.substr(secondLine, 6)), "FF 7F 01 80 00 80");
    EXPECT_EQ(Hex(bytes.substr(backReference)), "FF 7F 00 80 00 00 02 00");

    CArchive in(bytes);
    for (uint32_t i = 0; i < kValues; ++i) {
        ASSERT_NE(in.ReadObject<CUDouble>(), nullptr);
    }
    EXPECT_NE(in.ReadObject<CLine>(), nullptr);
    EXPECT_NE(in.ReadObject<CLine>(), nullptr);
    // Back-references are never written by the document, so a reader refuses them.
    EXPECT_THROW(in.ReadObject<CUDouble>(), CArchiveError);
}

// Each damaged object record and the start of the reason it gives.
TEST(ArchiveTest, RefusesRecordsItCannotUse) {
    const std::string value = ByteBuilder().F64(1.0).Str();
    const std::pair<std::string, std::string> cases[] = {
        {ByteBuilder().U16(0).Str(), "it holds an empty object at byte 0 where a CUDouble"},
        {ByteBuilder().NewClass("CUDouble").Raw(value).U16(2).Str(),
         "it repeats object number 2 at byte 22"},
        {ByteBuilder().U16(0x8001).Raw(value).Str(), "it refers at byte 0 to class number 1"},
        {ByteBuilder().U16(0x7FFF).U32(0x80000009).Str(), "it refers at byte 0 to class number 9"},
        {ByteBuilder().NewClass("CDouble").Raw(value).Str(),
         "it names an unknown class 'CDouble' at byte 0"},
        {ByteBuilder().NewClass(std::string("C\x01\xFFZ", 4)).Str(),
         "it names an unknown class 'C\\x01\\xFFZ'"},
        {ByteBuilder().U16(0xFFFF).U16(2).U16(8).Raw("CUDouble").Raw(value).Str(),
         "class 'CUDouble' at byte 0 has version 2"},
        {ByteBuilder().NewClass("CLine").Str(), "it holds a CLine at byte 0 where a CUDouble"},
        {ByteBuilder().U16(0xFFFF).U16(1).U16(200).Raw("CUDouble").Str(),
         "it ends early (a class name at byte 6 needs 200 bytes, only 8 left)"},
        {ByteBuilder().NewClass("CUDouble").U32(0).Str(),
         "it ends early (a number at byte 14 needs 8 bytes, only 4 left)"},
    };
    for (const auto& [bytes, reason] : cases) {
        CArchive in(bytes);
        try {
            while (in.Remaining() > 0) {
                in.ReadObject<CUDouble>();
            }
            ADD_FAILURE() << "loaded " << Hex(bytes);
        } catch (const CArchiveError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, reason.size()), reason) << e.what();
        }
    }
}

TEST(ArchiveTest, RefusesLengthsAndCountsBeyondTheData) {
    const std::pair<std::string, std::string> texts[] = {
        {ByteBuilder().U8(10).Raw("short").Str(),
         "it ends early (a text at byte 1 needs 10 bytes, only 5 left)"},
        {ByteBuilder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Str(), "it ends early (a text at"},
        {ByteBuilder().U8(0xFF).U16(0xFFFE).U8(1).Str(), "it holds a wide-character text"},
        {ByteBuilder().U8(0xFF).Str(), "it ends early (a value at byte 1 needs 2 bytes"},
    };
    for (const auto& [bytes, reason] : texts) {
        CArchive in(bytes);
        try {
            in.ReadString();
            ADD_FAILURE() << "read " << Hex(bytes);
        } catch (const CArchiveError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, reason.size()), reason) << e.what();
        }
    }

    CArchive huge(ByteBuilder().U16(0xFFFF).U32(0xFFFFFFFF).U16(0).Str());
    try {
        huge.ReadCount(2);
        ADD_FAILURE() << "accepted the count";
    } catch (const CArchiveError& e) {
        EXPECT_STREQ(e.what(), "it claims 4294967295 entries at byte 0, more than the 2 bytes "
                               "after it can hold");
    }
    CArchive exact(ByteBuilder().U16(2).U16(0).U16(0).Str());
    EXPECT_EQ(exact.ReadCount(2), 2u);
    CArchive oneShort(ByteBuilder().U16(3).U16(0).U16(0).U8(0).Str());
    EXPECT_THROW(oneShort.ReadCount(2), CArchiveError);
}

} // namespace
} // namespace orvane
