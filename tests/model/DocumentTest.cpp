#include "model/Archive.h"
#include "model/ByteBuilder.h"
#include "model/OrvaneDoc.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::ByteBuilder;
using test::Hex;

// The settings record of a fresh document, field by field.
ByteBuilder& DefaultSettings(ByteBuilder& b) {
    return b.F64(0.05).I32(0).I32(1000000).I32(100).I32(100).I32(1).I32(1).I32(1).I32(1);
}

std::string EmptyDocumentBytes() {
    ByteBuilder b;
    b.I32(1024).I32(786).U32(1024).U32(786).U8(0).I32(-1).I32(-1).I32(1).U16(0);
    for (int i = 0; i < 9; ++i) {
        b.U16(0);
    }
    return DefaultSettings(b).Str();
}

// Offsets in a document whose result path is empty.
constexpr size_t kFlagsOffset = 17;
constexpr size_t kTypeOrderOffset = 29;

TEST(DocumentTest, NewEmptyDocumentBytes) {
    COrvaneDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_totalSize, (CSize{1024, 786}));
    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(EmptyDocumentBytes()));
    EXPECT_EQ(doc.StoreBytes().size(), 89u);
}

TEST(DocumentTest, NewDocumentTakesTheWorkspaceSize) {
    COrvaneDoc doc;
    EXPECT_EQ(doc.m_totalSize, (CSize{0, 0}));
    doc.m_workspaceWidth = 2000;
    doc.m_workspaceHeight = 1500;
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_totalSize, (CSize{2000, 1500}));
}

TEST(DocumentTest, TwoLinesAndAProfiledLoadPoint) {
    COrvaneDoc doc;
    doc.OnNewDocument();
    CLine* a = doc.GetLines().Add(CPoint{10, 20}, CPoint{110, 20}, 1u, 0x808080u);
    a->m_capacity = 5;
    a->m_notes = "feeder";
    CLine* b = doc.GetLines().Add(CPoint{110, 20}, CPoint{110, -30}, 2u, 0xFFu);
    b->m_node1 = 1;
    b->m_node2 = 2;
    CLoadPoint* p = doc.GetLoadPoints().Add(CPoint{110, -30}, 3u, 0x00FF00u);
    p->m_customers = 7;
    p->m_name = "East";
    p->m_profile = {CUDouble(1), CUDouble(0.5), CUDouble(2)};
    doc.m_typeOrder = {"Line", "Line", "Load Point"};
    doc.SetResultPath(nullptr, "r/T.htm");

    ByteBuilder e;
    e.I32(1024).I32(786).U32(1024).U32(786).ShortText("r/T.htm").I32(-1).I32(-1).I32(1);
    e.U16(3).ShortText("Line").ShortText("Line").ShortText("Load Point");
    e.U16(2);
    e.NewClass("CLine").I32(10).I32(20).I32(110).I32(20).U32(1).U32(0x808080);
    e.F64(5).F64(-1).F64(-1).F64(-1).F64(-1).F64(-1).ShortText("feeder").F64(-1).F64(-1);
    e.I32(-1).I32(-1);
    e.U16(0x8001).I32(110).I32(20).I32(110).I32(-30).U32(2).U32(0xFF);
    e.F64(-1).F64(-1).F64(-1).F64(-1).F64(-1).F64(-1).U8(0).F64(-1).F64(-1);
    e.I32(1).I32(2);
    e.U16(0).U16(0).U16(0).U16(0).U16(0); // breakers, fuses, reclosers, isolators, bus bars
    e.U16(1).NewClass("CLoadPoint").I32(110).I32(-30).U32(3).U32(0x00FF00);
    e.I32(-1).F64(-1).I32(7).F64(-1).ShortText("East").U8(0);
    // Classes and objects share the indices: CLine 1, lines 2 and 3, CLoadPoint 4, the load
    // point 5, CUDouble 6.
    e.U16(3).NewClass("CUDouble").F64(1).U16(0x8006).F64(0.5).U16(0x8006).F64(2);
    e.U16(0).U16(0); // sources, equipment
    DefaultSettings(e);

    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(e.Str()));
}

TEST(DocumentTest, NotesOf255CharactersTakeTheLongPrefix) {
    COrvaneDoc doc;
    CFuse* fuse = doc.GetFuses().Add(CPoint{0, 0}, CPoint{1, 1}, 1u, 0u);
    fuse->m_notes.assign(255, 'n');
    const std::string bytes = doc.StoreBytes();
    // Header 29 bytes, type order 2, two empty lists, count 2, class record 11, then points,
    // pen, capacity and nodes (40 bytes) before the notes.
    const size_t notesAt = kTypeOrderOffset + 2 + 4 + 2 + 11 + 40;
    EXPECT_EQ(Hex(bytes.substr(notesAt, 4)), "FF FF 00 6E");
}

TEST(DocumentTest, FlagsLoadTrueOnlyFromOne) {
    const std::pair<int32_t, bool> cases[] = {{1, true}, {-1, false}, {0, false}, {2, false}};
    for (const auto& [stored, expected] : cases) {
        std::string bytes = EmptyDocumentBytes();
        const std::string flag = ByteBuilder().I32(stored).Str();
        for (size_t i = 0; i < 3; ++i) {
            bytes.replace(kFlagsOffset + 4 * i, 4, flag);
        }
        std::string error;
        auto doc = COrvaneDoc::LoadBytes(bytes, error);
        ASSERT_NE(doc, nullptr) << error;
        EXPECT_EQ(doc->m_regionalRedraw, expected) << stored;
        EXPECT_EQ(doc->m_adaptiveDrawing, expected ? 1 : 0) << stored;
        EXPECT_EQ(doc->m_toggle, expected ? 1 : 0) << stored;
    }
}

// A document with every component type, every field off its default, profiles and texts long
// enough for each prefix form.
std::unique_ptr<COrvaneDoc> RichDocument() {
    auto doc = std::make_unique<COrvaneDoc>();
    doc->m_totalSize = {3000, -7};
    doc->m_workspaceWidth = 3000;
    doc->m_workspaceHeight = 2000;
    doc->m_regionalRedraw = true;
    doc->m_adaptiveDrawing = 1;
    doc->m_toggle = 0;
    doc->SetResultPath(nullptr, std::string(300, 'p'));

    CLine* line = doc->GetLines().Add(CPoint{-5, 6}, CPoint{70, 80}, 4u, 0x123456u);
    line->m_capacity = 1;
    line->m_failure1 = 2;
    line->m_failure2 = 3;
    line->m_isolation1 = 4;
    line->m_isolation2 = 5;
    line->m_length = 6;
    line->m_notes = std::string(0x10005, 'L');
    line->m_repair1 = 7;
    line->m_repair2 = 8;
    line->m_node1 = 9;
    line->m_node2 = 10;
    CEquipment* equipment = doc->GetEquipment().Add(CPoint{1, 2}, CPoint{3, 4}, 1u, 2u);
    equipment->m_failure2 = 0.25;
    equipment->m_notes = std::string(0xFFFE, 'E');
    CCircuitBreaker* breaker = doc->GetCircuitBreakers().Add(CPoint{5, 5}, CPoint{9, 9}, 2u, 3u);
    breaker->m_capacity = 11;
    breaker->m_node1 = 12;
    breaker->m_node2 = 13;
    breaker->m_notes = std::string(255, 'B');
    CFuse* fuse = doc->GetFuses().Add(CPoint{0, 0}, CPoint{0, 0}, 0u, 0xFFFFFFFFu);
    fuse->m_notes = std::string(0xFFFD, 'F');
    CIsolator* isolator = doc->GetIsolators().Add(CPoint{-1, -1}, CPoint{1, 1}, 1u, 1u);
    isolator->m_capacity = 1e-300;
    CRecloser* recloser = doc->GetReclosers().Add(CPoint{7, 7}, CPoint{8, 8}, 1u, 1u);
    recloser->m_capacity = 14;
    recloser->m_reclose1 = 15;
    recloser->m_reclose2 = 16;
    recloser->m_node1 = 17;
    recloser->m_node2 = 18;
    recloser->m_notes = "r";
    CBusBar* bar = doc->GetBusBars().Add(CPoint{100, 0}, CPoint{100, 300}, 6u, 0u);
    bar->m_node1 = 19;
    CGenSource* source = doc->GetGenSources().Add(CPoint{50, 50}, 2u, 0xFFu);
    source->m_capacity = 20;
    source->m_node1 = 21;
    source->m_notes = std::string(254, 'S');
    for (int i = 0; i < 2; ++i) {
        CLoadPoint* load = doc->GetLoadPoints().Add(CPoint{i, -i}, 1u, 0u);
        load->m_average = 1.5 + i;
        load->m_peak = 3;
        load->m_customers = 100 + i;
        load->m_node1 = 22 + i;
        load->m_name = i == 0 ? "" : std::string(300, 'N');
        for (int k = 0; k < 3 + i; ++k) {
            load->m_profile.emplace_back(0.1 * k + i);
        }
    }
    doc->m_typeOrder = {"Line",       "Equipment",  "CircuitBreaker", "Fuse",
                        "Isolator",   "Recloser",   "Bus Bar",        "GenSource",
                        "Load Point", "Load Point", "Line",           std::string(0x10000, 'T')};
    CSimulationSettings& s = doc->GetSettings();
    s.quantsPerDay = 24;
    s.yearMin = 50;
    s.yearMax = 5000;
    s.yearStep = 25;
    s.accuracy = 0.01;
    s.fuses = 0;
    s.isolators = 1;
    s.reclosers = 0;
    s.maxFlow = 1;
    return doc;
}

TEST(DocumentTest, EverythingRoundTripsByteForByte) {
    auto original = RichDocument();
    const std::string bytes = original->StoreBytes();
    std::string error;
    auto loaded = COrvaneDoc::LoadBytes(bytes, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(loaded->StoreBytes(), bytes);

    EXPECT_EQ(loaded->m_totalSize, (CSize{3000, -7}));
    EXPECT_EQ(loaded->m_snapPixel, 10);
    EXPECT_TRUE(loaded->m_regionalRedraw);
    EXPECT_EQ(loaded->m_toggle, 0);
    EXPECT_EQ(loaded->GetResultPath(), std::string(300, 'p'));
    EXPECT_EQ(loaded->m_typeOrder, original->m_typeOrder);
    EXPECT_EQ(loaded->GetSettings(), original->GetSettings());

    const CLine& line = *loaded->GetLines().GetAt(0);
    EXPECT_EQ(line.m_point1, (CPoint{-5, 6}));
    EXPECT_EQ(line.GetColor(), 0x123456u);
    EXPECT_EQ(line.m_isolation2, 5);
    EXPECT_EQ(line.m_repair2, 8);
    EXPECT_EQ(line.m_node2, 10);
    EXPECT_EQ(line.m_notes.size(), 0x10005u);
    EXPECT_EQ(loaded->GetEquipment().GetAt(0)->m_notes.size(), 0xFFFEu);
    EXPECT_EQ(loaded->GetReclosers().GetAt(0)->m_reclose2, 16);
    EXPECT_EQ(loaded->GetBusBars().GetAt(0)->m_node1, 19);
    const CGenSource& source = *loaded->GetGenSources().GetAt(0);
    EXPECT_EQ(source.m_node1, 21);
    EXPECT_EQ(source.m_node2, -1);
    const CLoadPoint& load = *loaded->GetLoadPoints().GetAt(1);
    EXPECT_EQ(load.m_customers, 101);
    EXPECT_EQ(load.m_name, std::string(300, 'N'));
    ASSERT_EQ(load.m_profile.size(), 4u);
    EXPECT_EQ(load.m_profile[3].GetValue(), 0.1 * 3 + 1);
    EXPECT_EQ(loaded->GetLoadPoints().GetAt(0)->m_name, "");
}

// A small file with one of each kind of record, for damaging.
std::string SmallFile() {
    COrvaneDoc doc;
    doc.OnNewDocument();
    doc.GetLines().Add(CPoint{0, 0}, CPoint{10, 0}, 1u, 0u)->m_notes = "n";
    doc.GetFuses().Add(CPoint{10, 0}, CPoint{20, 0}, 1u, 0u);
    CLoadPoint* load = doc.GetLoadPoints().Add(CPoint{20, 0}, 1u, 0u);
    load->m_profile = {CUDouble(1), CUDouble(2)};
    doc.GetGenSources().Add(CPoint{0, 0}, 1u, 0u);
    doc.m_typeOrder = {"GenSource", "Line", "Fuse", "Load Point"};
    return doc.StoreBytes();
}

TEST(DocumentTest, EveryTruncationFailsCleanly) {
    const std::string bytes = SmallFile();
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::string error;
        auto doc = COrvaneDoc::LoadBytes(bytes.substr(0, length), error);
        EXPECT_EQ(doc, nullptr) << length;
        // A cut inside a list shows first as a count the rest of the file cannot hold.
        EXPECT_TRUE(error.rfind("it ends early (", 0) == 0 || error.rfind("it claims ", 0) == 0)
            << length << ": " << error;
    }
    std::string error;
    EXPECT_NE(COrvaneDoc::LoadBytes(bytes, error), nullptr) << error;
}

TEST(DocumentTest, FlippedBytesLoadOrFailWithAReason) {
    const std::string bytes = SmallFile();
    int failures = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (unsigned char mask : {0x01, 0x80, 0xFF}) {
            std::string damaged = bytes;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            std::string error;
            auto doc = COrvaneDoc::LoadBytes(damaged, error);
            EXPECT_EQ(doc == nullptr, !error.empty()) << i;
            if (doc == nullptr) {
                ++failures;
                EXPECT_EQ(error.rfind("it ", 0) == 0 || error.rfind("class ", 0) == 0, true)
                    << error;
            } else {
                doc->StoreBytes(); // whatever loaded must store again
            }
        }
    }
    EXPECT_GT(failures, 0);
}

TEST(DocumentTest, DamagedRecordsGiveTheirReason) {
    const std::string bytes = SmallFile();
    const size_t lineClass = bytes.find("CLine");
    ASSERT_NE(lineClass, std::string::npos);
    const size_t typeOrderCount = kTypeOrderOffset;

    struct Damage {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    std::string unknown = bytes;
    unknown[lineClass + 4] = 'x';
    std::string schema = bytes;
    schema[lineClass - 4] = 2;
    std::string hugeTypeOrder = bytes;
    hugeTypeOrder.replace(typeOrderCount, 2, ByteBuilder().U16(0xFFFF).U32(0x7FFFFFFF).Str());
    std::string hugeProfile = bytes;
    const size_t profileCount = bytes.find("CUDouble") - 8;
    ASSERT_EQ(Hex(bytes.substr(profileCount, 2)), "02 00");
    hugeProfile.replace(profileCount, 2, ByteBuilder().U16(0xFFFE).Str());
    std::string lineInFuses = bytes;
    // The fuse record's class record, made to name a class already taken by lines.
    const size_t fuseClass = bytes.find("CFuse") - 6;
    lineInFuses.replace(fuseClass, 11, ByteBuilder().U16(0x8001).Str());

    const Damage cases[] = {
        {"unknown class", unknown, "it names an unknown class 'CLinx' at byte"},
        {"schema 2", schema, "class 'CLine' at byte"},
        {"huge type order", hugeTypeOrder, "it claims 2147483647 entries at byte 29"},
        {"huge profile", hugeProfile, "it claims 65534 entries at byte"},
        {"line among fuses", lineInFuses, "it holds a CLine at byte"},
    };
    for (const Damage& d : cases) {
        std::string error;
        EXPECT_EQ(COrvaneDoc::LoadBytes(d.bytes, error), nullptr) << d.name;
        EXPECT_EQ(error.rfind(d.reason, 0), 0u) << d.name << ": " << error;
    }
}

class RecordingObserver : public CDocObserver {
public:
    void OnDocumentUpdate(CDocObserver* sender, const std::string* hint) override {
        senders.push_back(sender);
        hints.push_back(hint ? *hint : "(none)");
    }
    std::vector<CDocObserver*> senders;
    std::vector<std::string> hints;
};

TEST(DocumentTest, ObserversHearEveryoneButTheSender) {
    COrvaneDoc doc;
    RecordingObserver view;
    RecordingObserver viewer;
    doc.AttachObserver(&view);
    doc.AttachObserver(&viewer);
    doc.AttachObserver(&viewer); // attaching twice still tells it once

    doc.SetResultPath(&view, "out/T.htm");
    EXPECT_EQ(doc.GetResultPath(), "out/T.htm");
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(viewer.hints, (std::vector<std::string>{"out/T.htm"}));
    EXPECT_EQ(viewer.senders, (std::vector<CDocObserver*>{&view}));

    doc.NotifyViews(nullptr, "out/T.htm#LP");
    EXPECT_EQ(doc.GetResultPath(), "out/T.htm");
    EXPECT_EQ(view.hints, (std::vector<std::string>{"out/T.htm#LP"}));

    doc.DetachObserver(&viewer);
    doc.NotifyViews(nullptr, "again");
    EXPECT_EQ(viewer.hints.size(), 2u);
    EXPECT_EQ(view.hints.size(), 2u);
}

TEST(DocumentFileTest, SaveAndLoad) {
    test::TempDir dir;
    const std::string path = dir.File("net.vlm");
    auto doc = RichDocument();
    doc->SetModified();
    std::string error;
    ASSERT_TRUE(doc->Save(path, error)) << error;
    EXPECT_TRUE(error.empty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(test::ReadFile(path), doc->StoreBytes());

    // Saving again replaces the file and leaves nothing else beside it.
    doc->GetSettings().quantsPerDay = 96;
    ASSERT_TRUE(doc->Save(path, error)) << error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        files.push_back(entry.path().filename());
    }
    EXPECT_EQ(files, (std::vector<std::filesystem::path>{"net.vlm"}));

    auto loaded = COrvaneDoc::Load(path, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(loaded->GetSettings().quantsPerDay, 96);
    EXPECT_FALSE(loaded->IsModified());
}

TEST(DocumentFileTest, LoadFailuresNameTheFile) {
    test::TempDir dir;
    const std::string bytes = SmallFile();
    const std::string cut = dir.File("cut.vlm");
    test::WriteFile(cut, bytes.substr(0, 40));

    std::string error;
    EXPECT_EQ(COrvaneDoc::Load(cut, error), nullptr);
    EXPECT_EQ(error, "The file '" + cut +
                         "' could not be read: it ends early (a text at byte 32 needs 9 "
                         "bytes, only 8 left).");

    const std::string missing = dir.File("missing.vlm");
    EXPECT_EQ(COrvaneDoc::Load(missing, error), nullptr);
    EXPECT_EQ(error, "The file '" + missing + "' could not be read: No such file or directory.");

    EXPECT_EQ(COrvaneDoc::Load(dir.Path().string(), error), nullptr);
    EXPECT_EQ(error,
              "The file '" + dir.Path().string() + "' could not be read: it is a directory.");
}

TEST(DocumentFileTest, FailedSavesKeepWhatWasThere) {
    test::TempDir dir;
    COrvaneDoc doc;
    doc.OnNewDocument();
    doc.SetModified();
    std::string error;

    // The target is a directory: it stays, with its contents.
    const std::string folder = dir.File("folder.vlm");
    std::filesystem::create_directory(folder);
    test::WriteFile(folder + "/inside", "keep");
    EXPECT_FALSE(doc.Save(folder, error));
    EXPECT_EQ(error, "The file '" + folder +
                         "' could not be saved: a directory of that name is in the way.");
    EXPECT_EQ(test::ReadFile(folder + "/inside"), "keep");
    EXPECT_TRUE(doc.IsModified());

    // The directory cannot be written (or does not exist as one).
    const std::string notADirectory = dir.File("plain");
    test::WriteFile(notADirectory, "plain");
    EXPECT_FALSE(doc.Save(notADirectory + "/net.vlm", error));
    EXPECT_EQ(error,
              "The file '" + notADirectory + "/net.vlm' could not be saved: Not a directory.");
    EXPECT_EQ(test::ReadFile(notADirectory), "plain");
}

TEST(DocumentFileTest, ReadOnlyDirectoryKeepsTheOldFile) {
    test::TempDir dir;
    const auto locked = dir.Path() / "locked";
    std::filesystem::create_directory(locked);
    const std::string path = (locked / "net.vlm").string();
    test::WriteFile(path, "old contents");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    const std::string probe = (locked / "probe").string();
    test::WriteFile(probe, "x");
    const bool permissionsIgnored = std::filesystem::exists(probe);

    COrvaneDoc doc;
    std::string error;
    const bool saved = permissionsIgnored ? true : doc.Save(path, error);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    if (permissionsIgnored) {
        GTEST_SKIP() << "permissions do not bind this user";
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "The file '" + path + "' could not be saved: Permission denied.");
    EXPECT_EQ(test::ReadFile(path), "old contents");
}

} // namespace
} // namespace orvane
