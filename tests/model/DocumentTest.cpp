#include "model/Archive.h"
#include "model/ByteBuilder.h"
#include "model/OrvaneDoc.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

using test::ByteBuilder;
using test::Hex;
namespace fs = std::filesystem;

// The settings record of a fresh document, field by field.
ByteBuilder& DefaultSettings(ByteBuilder& b) {
    return b.F64(0.05).I32(0).I32(1000000).I32(100).I32(100).I32(1).I32(1).I32(1).I32(1);
}

std::string EmptyDocumentBytes() {
    ByteBuilder b;
    b.I32(1024).I32(786).U32(1024).U32(786).U8(0).I32(-1).I32(-1).I32(1).U16(0);
    for (int i = 0; i < 9; ++i)
        b.U16(0);
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

    COrvaneDoc wide; // the scroll extent follows the workspace size
    EXPECT_EQ(wide.m_totalSize, (CSize{0, 0}));
    wide.m_workspaceWidth = 2000;
    wide.m_workspaceHeight = 1500;
    wide.OnNewDocument();
    EXPECT_EQ(wide.m_totalSize, (CSize{2000, 1500}));
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
    const std::string withoutCost = e.Str();

    // A cost curve adds the tagged trailer after the settings: the load point's place in its
    // collection, the point count and the points.
    p->m_cost = {{1, 5}, {4, 12.5}};
    e.Raw("COST").U16(1).U32(0).U16(2).F64(1).F64(5).F64(4).F64(12.5);
    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(e.Str()));
    const std::string withCost = e.Str();

    // A momentary limit other than 5 minutes follows as its own trailer: the minutes as a double.
    doc.SetSettings({.momentary = 2.5});
    e.Raw("MOMT").F64(2.5);
    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(e.Str()));

    // Each loads back to its own bytes: a file without costs, as every earlier file, gains no
    // trailer.
    for (const std::string& bytes : {withoutCost, withCost, e.Str()}) {
        std::string error;
        auto loaded = COrvaneDoc::LoadBytes(bytes, error);
        ASSERT_NE(loaded, nullptr) << error;
        EXPECT_EQ(Hex(loaded->StoreBytes()), Hex(bytes));
    }
}

TEST(DocumentTest, FlagsLoadTrueOnlyFromOne) {
    const std::pair<int32_t, bool> cases[] = {{1, true}, {-1, false}, {0, false}, {2, false}};
    for (const auto& [stored, expected] : cases) {
        std::string bytes = EmptyDocumentBytes();
        for (size_t i = 0; i < 3; ++i)
            bytes.replace(kFlagsOffset + 4 * i, 4, ByteBuilder().I32(stored).Str());
        std::string error;
        auto doc = COrvaneDoc::LoadBytes(bytes, error);
        ASSERT_NE(doc, nullptr) << error;
        EXPECT_EQ(doc->m_regionalRedraw, expected) << stored;
        EXPECT_EQ(doc->m_adaptiveDrawing, expected ? 1 : 0) << stored;
        EXPECT_EQ(doc->m_toggle, expected ? 1 : 0) << stored;
    }
}

// Gives each field its own value, counting up from `first`.
void Count(std::initializer_list<double*> fields, double first) {
    for (double* field : fields)
        *field = first++;
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
    Count({&line->m_capacity, &line->m_failure1, &line->m_failure2, &line->m_isolation1,
           &line->m_isolation2, &line->m_length, &line->m_repair1, &line->m_repair2},
          1);
    line->m_notes = std::string(0x10005, 'L');
    std::tie(line->m_node1, line->m_node2) = std::pair{9, 10};
    CEquipment* equipment = doc->GetEquipment().Add(CPoint{1, 2}, CPoint{3, 4}, 1u, 2u);
    equipment->m_failure2 = 0.25;
    equipment->m_notes = std::string(0xFFFE, 'E');
    CCircuitBreaker* breaker = doc->GetCircuitBreakers().Add(CPoint{5, 5}, CPoint{9, 9}, 2u, 3u);
    breaker->m_capacity = 11;
    std::tie(breaker->m_node1, breaker->m_node2) = std::pair{12, 13};
    breaker->m_notes = std::string(255, 'B');
    doc->GetFuses().Add(CPoint{0, 0}, CPoint{0, 0}, 0u, 0xFFFFFFFFu)->m_notes.assign(0xFFFD, 'F');
    doc->GetIsolators().Add(CPoint{-1, -1}, CPoint{1, 1}, 1u, 1u)->m_capacity = 1e-300;
    CRecloser* recloser = doc->GetReclosers().Add(CPoint{7, 7}, CPoint{8, 8}, 1u, 1u);
    Count({&recloser->m_capacity, &recloser->m_reclose1, &recloser->m_reclose2}, 14);
    std::tie(recloser->m_node1, recloser->m_node2) = std::pair{17, 18};
    recloser->m_notes = "r";
    doc->GetBusBars().Add(CPoint{100, 0}, CPoint{100, 300}, 6u, 0u)->m_node1 = 19;
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
        for (int k = 0; k < 3 + i; ++k)
            load->m_profile.emplace_back(0.1 * k + i);
    }
    doc->GetLoadPoints().GetAt(1)->m_cost = {{0, 0.25}, {1, 5}, {8, 1e6}};
    doc->m_typeOrder = {"Line",       "Equipment",  "CircuitBreaker", "Fuse",
                        "Isolator",   "Recloser",   "Bus Bar",        "GenSource",
                        "Load Point", "Load Point", "Line",           std::string(0x10000, 'T')};
    // Quanta per day, years from, to and by, accuracy, fuses, isolators, reclosers, max flow;
    // seeded, so that both trailers follow the settings.
    doc->SetSettings({24, 50, 5000, 25, 0.01, 0, 1, 0, 1, true, 77, 4});
    return doc;
}

TEST(DocumentTest, EverythingRoundTripsByteForByte) {
    auto original = RichDocument();
    const std::string bytes = original->StoreBytes();
    std::string error;
    auto loaded = COrvaneDoc::LoadBytes(bytes, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(loaded->StoreBytes(), bytes);

    // Equal bytes hide a field that neither the store nor the load touches.
    EXPECT_EQ(loaded->m_totalSize, (CSize{3000, -7}));
    EXPECT_EQ(loaded->GetResultPath(), std::string(300, 'p'));
    EXPECT_EQ(loaded->m_typeOrder, original->m_typeOrder);
    EXPECT_EQ(loaded->GetSettings(), original->GetSettings());
    EXPECT_EQ(loaded->GetLines().GetAt(0)->m_notes.size(), 0x10005u);
    EXPECT_EQ(loaded->GetReclosers().GetAt(0)->m_reclose2, 16);
    EXPECT_EQ(loaded->GetBusBars().GetAt(0)->m_node1, 19);
    EXPECT_EQ(loaded->GetGenSources().GetAt(0)->m_node1, 21);
    const CLoadPoint& load = *loaded->GetLoadPoints().GetAt(1);
    EXPECT_EQ(load.m_name, std::string(300, 'N'));
    ASSERT_EQ(load.m_profile.size(), 4u);
    EXPECT_EQ(load.m_profile[3].GetValue(), 0.1 * 3 + 1);
    EXPECT_EQ(load.m_cost, (CCostCurve{{0, 0.25}, {1, 5}, {8, 1e6}}));
    EXPECT_TRUE(loaded->GetLoadPoints().GetAt(0)->m_cost.empty());
}

// A small file with one of each kind of record, for damaging.
std::string SmallFile() {
    COrvaneDoc doc;
    doc.OnNewDocument();
    doc.GetLines().Add(CPoint{0, 0}, CPoint{10, 0}, 1u, 0u)->m_notes = "n";
    doc.GetFuses().Add(CPoint{10, 0}, CPoint{20, 0}, 1u, 0u);
    doc.GetLoadPoints().Add(CPoint{20, 0}, 1u, 0u)->m_profile = {CUDouble(1), CUDouble(2)};
    doc.GetGenSources().Add(CPoint{0, 0}, 1u, 0u);
    doc.m_typeOrder = {"GenSource", "Line", "Fuse", "Load Point"};
    return doc.StoreBytes();
}

TEST(DocumentTest, TruncatedOrFlippedFilesFailWithAReason) {
    const std::string bytes = SmallFile();
    std::string error;
    EXPECT_NE(COrvaneDoc::LoadBytes(bytes, error), nullptr) << error;
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_EQ(COrvaneDoc::LoadBytes(bytes.substr(0, length), error), nullptr) << length;
        // A cut inside a list shows first as a count the rest of the file cannot hold.
        EXPECT_TRUE(error.starts_with("it ends early (") || error.starts_with("it claims "))
            << length << ": " << error;
    }
    int failures = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (unsigned char mask : {0x01, 0x80, 0xFF}) {
            std::string damaged = bytes;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            error.clear();
            auto doc = COrvaneDoc::LoadBytes(damaged, error);
            EXPECT_EQ(doc == nullptr, !error.empty()) << i;
            if (doc == nullptr) {
                ++failures;
                EXPECT_TRUE(error.starts_with("it ") || error.starts_with("class ")) << error;
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
    const size_t profileCount = bytes.find("CUDouble") - 8;
    ASSERT_EQ(Hex(bytes.substr(profileCount, 2)), "02 00");
    auto damage = [&](size_t at, size_t length, const std::string& with) {
        return std::string(bytes).replace(at, length, with);
    };
    const std::pair<std::string, std::string> cases[] = {
        {damage(lineClass + 4, 1, "x"), "it names an unknown class 'CLinx' at byte"},
        {damage(lineClass - 4, 1, "\x02"), "class 'CLine' at byte"}, // schema 2
        {damage(kTypeOrderOffset, 2, ByteBuilder().U16(0xFFFF).U32(0x7FFFFFFF).Str()),
         "it claims 2147483647 entries at byte 29"},
        {damage(profileCount, 2, ByteBuilder().U16(0xFFFE).Str()),
         "it claims 65534 entries at byte"},
        // The fuse's class record, made to name the class already taken by lines.
        {damage(bytes.find("CFuse") - 6, 11, ByteBuilder().U16(0x8001).Str()),
         "it holds a CLine at byte"},
        // The file's one load point is number 0.
        {bytes + ByteBuilder().Raw("COST").U16(1).U32(1).U16(1).F64(1).F64(2).Str(),
         ("it gives a cost curve at byte " + std::to_string(bytes.size() + 6) +
          " to load point number 1, but holds only 1")},
        {bytes + ByteBuilder().Raw("MOMT").F64(1440.5).Str(),
         ("it gives a momentary limit of 1440.5 minutes at byte " +
          std::to_string(bytes.size() + 4) + ", outside 0 to 1440")},
        {bytes + ByteBuilder().Raw("MOMT").F64(std::nan("")).Str(),
         "it gives a momentary limit of nan"},
    };
    for (const auto& [damaged, reason] : cases) {
        std::string error;
        EXPECT_EQ(COrvaneDoc::LoadBytes(damaged, error), nullptr) << reason;
        EXPECT_TRUE(error.starts_with(reason)) << error;
    }
}

struct RecordingObserver : CDocObserver {
    void OnDocumentUpdate(CDocObserver* sender, const std::string* hint) override {
        heard.push_back({sender, hint ? *hint : "(none)"});
    }
    std::vector<std::pair<CDocObserver*, std::string>> heard;
};

TEST(DocumentTest, ObserversHearEveryoneButTheSender) {
    COrvaneDoc doc;
    RecordingObserver view, viewer;
    doc.AttachObserver(&view);
    doc.AttachObserver(&viewer);
    doc.AttachObserver(&viewer); // attaching twice still tells it once
    doc.SetResultPath(&view, "out/T.htm");
    doc.NotifyViews(nullptr, "out/T.htm#LP");
    EXPECT_EQ(doc.GetResultPath(), "out/T.htm");
    doc.DetachObserver(&viewer);
    doc.NotifyViews(nullptr, "again");

    using Heard = decltype(view.heard);
    EXPECT_EQ(view.heard, (Heard{{nullptr, "out/T.htm#LP"}, {nullptr, "again"}}));
    EXPECT_EQ(viewer.heard, (Heard{{&view, "out/T.htm"}, {nullptr, "out/T.htm#LP"}}));
}

class DocumentFileTest : public testing::Test {
protected:
    test::TempDir dir;
    std::string error;
};

TEST_F(DocumentFileTest, SaveAndLoad) {
    const std::string path = dir.File("net.vlm");
    auto doc = RichDocument();
    doc->SetModified();
    ASSERT_TRUE(doc->Save(path, error)) << error;
    EXPECT_TRUE(error.empty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(test::ReadFile(path), doc->StoreBytes());

    // Saving again replaces the file and leaves nothing else beside it.
    doc->SetSettings({.quantsPerDay = 96});
    ASSERT_TRUE(doc->Save(path, error)) << error;
    std::vector<fs::path> files(fs::directory_iterator(dir.Path()), fs::directory_iterator());
    EXPECT_EQ(files, (std::vector<fs::path>{path}));
    auto loaded = COrvaneDoc::Load(path, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(loaded->GetSettings().quantsPerDay, 96);
    EXPECT_FALSE(loaded->IsModified());
}

TEST_F(DocumentFileTest, LoadFailuresNameTheFile) {
    const std::string cut = dir.File("cut.vlm");
    test::WriteFile(cut, SmallFile().substr(0, 40));
    const std::pair<std::string, std::string> cases[] = {
        {cut, "it ends early (a text at byte 32 needs 9 bytes, only 8 left)"},
        {dir.File("missing.vlm"), "No such file or directory"},
        {dir.Path().string(), "it is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(COrvaneDoc::Load(path, error), nullptr);
        EXPECT_EQ(error, "The file '" + path + "' could not be read: " + reason + ".");
    }
}

// A target that is a directory stays, with its contents; a path through a plain file leaves it.
TEST_F(DocumentFileTest, FailedSavesKeepWhatWasThere) {
    const std::string folder = dir.File("folder.vlm");
    const std::string plain = dir.File("plain");
    fs::create_directory(folder);
    test::WriteFile(folder + "/inside", "keep");
    test::WriteFile(plain, "plain");
    const std::tuple<std::string, const char*, std::string, const char*> cases[] = {
        {folder, "a directory of that name is in the way", folder + "/inside", "keep"},
        {plain + "/net.vlm", "Not a directory", plain, "plain"},
    };
    COrvaneDoc doc;
    doc.SetModified();
    for (const auto& [target, reason, kept, contents] : cases) {
        EXPECT_FALSE(doc.Save(target, error));
        EXPECT_EQ(error, "The file '" + target + "' could not be saved: " + reason + ".");
        EXPECT_EQ(test::ReadFile(kept), contents);
        EXPECT_TRUE(doc.IsModified());
    }
}

// A new file gets the same mode as any other file made here; a replaced one keeps its own.
TEST_F(DocumentFileTest, SaveKeepsTheFileMode) {
    const std::string probe = dir.File("probe");
    test::WriteFile(probe, "x");
    const fs::perms fresh = fs::status(probe).permissions();
    const std::tuple<const char*, std::optional<fs::perms>, fs::perms> cases[] = {
        {"new.vlm", std::nullopt, fresh},
        {"private.vlm", fs::perms(0600), fs::perms(0600)},
        {"shared.vlm", fs::perms(0640), fs::perms(0640)},
        // Any write bit is enough to save over it.
        {"group.vlm", fs::perms(0464), fs::perms(0464)},
    };
    auto doc = RichDocument();
    for (const auto& [name, before, after] : cases) {
        const std::string path = dir.File(name);
        if (before) {
            test::WriteFile(path, "old contents");
            fs::permissions(path, *before);
        }
        ASSERT_TRUE(doc->Save(path, error)) << name << ": " << error;
        EXPECT_EQ(fs::status(path).permissions(), after) << name;
        EXPECT_EQ(test::ReadFile(path), doc->StoreBytes()) << name;
    }
}

// The link stays and the file it names gets the new bytes, even when that file is not there yet.
TEST_F(DocumentFileTest, SaveWritesThroughSymlinks) {
    const fs::path real = dir.Path() / "real";
    fs::create_directory(real);
    test::WriteFile((real / "a.vlm").string(), "old a");
    test::WriteFile((real / "b.vlm").string(), "old b");
    fs::create_symlink("real/a.vlm", dir.Path() / "relative.vlm");
    fs::create_symlink(real / "b.vlm", dir.Path() / "absolute.vlm");
    fs::create_symlink("relative.vlm", dir.Path() / "chain.vlm");
    fs::create_symlink("real/c.vlm", dir.Path() / "dangling.vlm");
    const std::pair<const char*, const char*> cases[] = {
        {"relative.vlm", "a.vlm"},
        {"absolute.vlm", "b.vlm"},
        {"chain.vlm", "a.vlm"},
        {"dangling.vlm", "c.vlm"},
    };
    auto doc = RichDocument();
    for (const auto& [link, behind] : cases) {
        const fs::path path = dir.Path() / link;
        const fs::path pointsTo = fs::read_symlink(path);
        doc->SetModified();
        ASSERT_TRUE(doc->Save(path.string(), error)) << link << ": " << error;
        EXPECT_FALSE(doc->IsModified()) << link;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path))) << link;
        EXPECT_EQ(fs::read_symlink(path), pointsTo) << link;
        EXPECT_EQ(test::ReadFile((real / behind).string()), doc->StoreBytes()) << link;
    }
    // No temporary file is left over on either side of the links.
    std::vector<fs::path> files{fs::directory_iterator(real), fs::directory_iterator()};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<fs::path>{real / "a.vlm", real / "b.vlm", real / "c.vlm"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 5);
}

// Decided by the mode bits, so it holds for root too.
TEST_F(DocumentFileTest, ReadOnlyFileIsRefused) {
    const fs::path real = dir.Path() / "locked.vlm";
    fs::create_symlink("locked.vlm", dir.Path() / "link.vlm");
    const std::pair<const char*, fs::perms> cases[] = {
        {"locked.vlm", fs::perms(0444)},
        {"locked.vlm", fs::perms(0500)},
        {"link.vlm", fs::perms(0444)},
    };
    COrvaneDoc doc;
    for (const auto& [name, mode] : cases) {
        const std::string path = dir.File(name);
        test::WriteFile(real.string(), "old contents");
        fs::permissions(real, mode);
        doc.SetModified();
        EXPECT_FALSE(doc.Save(path, error)) << name;
        EXPECT_EQ(error, "The file '" + path +
                             "' could not be saved: it is read-only; save it under another name "
                             "or make it writable.");
        EXPECT_TRUE(doc.IsModified()) << name;
        EXPECT_EQ(test::ReadFile(real.string()), "old contents") << name;
        EXPECT_EQ(fs::status(real).permissions(), mode) << name;
        EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.vlm")) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
        fs::permissions(real, fs::perms::owner_all);
    }
}

TEST_F(DocumentFileTest, ReadOnlyDirectoryKeepsTheOldFile) {
    const fs::path locked = dir.Path() / "locked";
    const std::string path = (locked / "net.vlm").string();
    fs::create_directory(locked);
    test::WriteFile(path, "old contents");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    test::WriteFile((locked / "probe").string(), "x");
    const bool permissionsBind = !fs::exists(locked / "probe");
    COrvaneDoc doc;
    const bool saved = permissionsBind && doc.Save(path, error);
    fs::permissions(locked, fs::perms::owner_all);
    if (!permissionsBind)
        GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "The file '" + path + "' could not be saved: Permission denied.");
    EXPECT_EQ(test::ReadFile(path), "old contents");
}

} // namespace
} // namespace orvane
