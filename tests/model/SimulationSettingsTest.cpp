#include "model/SimulationSettings.h"
#include "model/Archive.h"
#include "model/ByteBuilder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::ByteBuilder;
using test::Hex;

// The default text is NDLGeneratorTest's (SourceLineLoadExample).
TEST(SimulationSettingsTest, SystemDefinitionLeavesOutUnsetValuesAndKeepsItsDigits) {
    const std::pair<CSimulationSettings, const char*> cases[] = {
        {{.quantsPerDay = 1440,
          .yearMin = 0,
          .yearMax = 0,
          .yearStep = 0,
          .accuracy = 0,
          .fuses = 0,
          .isolators = 1,
          .reclosers = 0,
          .maxFlow = 0},
         "system: quantsPerDay = 1440.;\\\nmaxFlow = 0.;\\\nfuses = 0.;\\\nisolators = 1.;\\\n"
         "reclosers = 0.;\\\n\n"},
        // Ten digits for counts, eight for the accuracy, six for the rest.
        {{.quantsPerDay = 2147483647,
          .yearMin = 1,
          .yearMax = 1000000000,
          .yearStep = 1234567,
          .accuracy = 0.123456789,
          .maxFlow = 1234567},
         "system: quantsPerDay = 2147483647.;\\\nyearStep = 1234567.;\\\n"
         "yearMax = 1000000000.;\\\nyearMin = 1.;\\\naccuracy = 0.12345679;\\\n"
         "maxFlow = 1.23457e+006;\\\nfuses = 1.;\\\nisolators = 1.;\\\nreclosers = 1.;\\\n\n"},
    };
    for (const auto& [settings, text] : cases)
        EXPECT_EQ(settings.SystemDefinition(), text);
}

TEST(SimulationSettingsTest, RecordLayoutAndRoundTrip) {
    CSimulationSettings s;
    s.accuracy = 0.25;
    s.quantsPerDay = 0x01020304;
    s.yearMax = 0x11121314;
    s.yearMin = 0x21222324;
    s.yearStep = 0x31323334;
    s.fuses = 0;
    s.isolators = -1;
    s.reclosers = 0x41424344;
    s.maxFlow = 1;

    CArchive out;
    s.Serialize(out);
    const std::string expected = ByteBuilder()
                                     .F64(0.25)
                                     .U32(0x01020304)
                                     .U32(0x11121314)
                                     .U32(0x21222324)
                                     .U32(0x31323334)
                                     .U32(0)
                                     .U32(0xFFFFFFFF)
                                     .U32(0x41424344)
                                     .U32(1)
                                     .Str();
    ASSERT_EQ(out.Bytes().size(), 40u);
    EXPECT_EQ(Hex(out.Bytes()), Hex(expected));

    CArchive in(out.Bytes());
    CSimulationSettings loaded;
    loaded.Serialize(in);
    EXPECT_EQ(loaded, s);
    EXPECT_EQ(in.Remaining(), 0u);

    CArchive cut(std::string_view(out.Bytes()).substr(0, 39));
    EXPECT_THROW(loaded.Serialize(cut), CArchiveError);
}

// The seed and the replicas follow the record only when the run is seeded, behind a tag; a
// trailer that is cut short or untagged reads as the default run.
TEST(SimulationSettingsTest, SeededRunsAddATaggedTrailer) {
    CSimulationSettings s;
    s.seeded = true;
    s.seed = 0x0102030405060708;
    s.replicas = 16;
    CArchive out;
    s.Serialize(out);
    CArchive plain;
    CSimulationSettings().Serialize(plain);
    const std::string trailer =
        ByteBuilder().U32(0x314E5552).U32(0x05060708).U32(0x01020304).U32(16).Str();
    EXPECT_EQ(Hex(out.Bytes()), Hex(plain.Bytes() + trailer));
    EXPECT_EQ(trailer.substr(0, 4), "RUN1");

    const std::string record = plain.Bytes();
    struct Case {
        const char* what;
        std::string bytes;
        CSimulationSettings expected;
    };
    const Case cases[] = {
        {"seeded", out.Bytes(), s},
        {"no trailer", record, CSimulationSettings()},
        {"cut short", out.Bytes().substr(0, 40 + 15), CSimulationSettings()},
        {"another tag", record + ByteBuilder().U32(7).U32(1).U32(0).U32(2).Str(),
         CSimulationSettings()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CArchive in(c.bytes);
        CSimulationSettings loaded;
        loaded.seeded = true; // whatever it held before, loading sets it
        loaded.Serialize(in);
        EXPECT_EQ(loaded, c.expected);
    }
}

} // namespace
} // namespace orvane
