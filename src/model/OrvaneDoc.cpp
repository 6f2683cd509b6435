#include "model/OrvaneDoc.h"

#include "base/PendingFile.h"
#include "model/Archive.h"
#include "model/TypeOrder.h"
#include "model/WidgetVisit.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace orvane {

namespace {

// Flags are stored as 1 for true and -1 for false; only 1 reads back as true.
constexpr int32_t kStoredTrue = 1;
constexpr int32_t kStoredFalse = -1;

// The tag of the load points' cost curves after the settings.
constexpr uint32_t kCostTag = TrailerTag("COST");
// A curve entry is at least its load point's index, a count and one point.
constexpr size_t kMinCostEntryBytes = 4 + 2 + 16;
constexpr size_t kCostPointBytes = 16;

int32_t StoreFlag(bool value) {
    return value ? kStoredTrue : kStoredFalse;
}

std::string ReadFailure(const std::string& path, const std::string& reason) {
    return "The file '" + path + "' could not be read: " + reason + ".";
}

std::string SaveFailure(const std::string& path, const std::string& reason) {
    return "The file '" + path + "' could not be saved: " + reason + ".";
}

} // namespace

COrvaneDoc::COrvaneDoc()
    : m_lines(std::make_unique<CLineCollection>()),
      m_circuitBreakers(std::make_unique<CCircuitBreakerCollection>()),
      m_fuses(std::make_unique<CFuseCollection>()),
      m_reclosers(std::make_unique<CRecloserCollection>()),
      m_isolators(std::make_unique<CIsolatorCollection>()),
      m_busBars(std::make_unique<CBusBarCollection>()),
      m_loadPoints(std::make_unique<CLoadPointCollection>()),
      m_genSources(std::make_unique<CGenSourceCollection>()),
      m_equipment(std::make_unique<CEquipmentCollection>()),
      m_settings(std::make_unique<CSimulationSettings>()) {}

COrvaneDoc::~COrvaneDoc() {
    m_lines->DeleteAll();
    m_circuitBreakers->DeleteAll();
    m_fuses->DeleteAll();
    m_reclosers->DeleteAll();
    m_isolators->DeleteAll();
    m_busBars->DeleteAll();
    m_loadPoints->DeleteAll();
    m_genSources->DeleteAll();
    m_equipment->DeleteAll();
    m_typeOrder.clear();
}

void COrvaneDoc::OnNewDocument() {
    m_totalSize =
        CSize{static_cast<int32_t>(m_workspaceWidth), static_cast<int32_t>(m_workspaceHeight)};
}

CWorkspaceSettings COrvaneDoc::GetWorkspaceSettings() const {
    return CWorkspaceSettings{m_workspaceWidth, m_workspaceHeight, m_regionalRedraw,
                              m_adaptiveDrawing, m_snapPixel};
}

void COrvaneDoc::Added(WidgetType type) {
    m_typeOrder.emplace_back(TypeName(type));
    m_modified = true;
}

CWidget* COrvaneDoc::AddCopy(const CWidget& widget) {
    return VisitWidget(widget, [this](const auto& w) -> CWidget* {
        return Add<std::remove_cvref_t<decltype(w)>>(w);
    });
}

bool COrvaneDoc::Remove(CWidget& widget) {
    // The type-order entry stays: the walks pass over entries left without a component.
    return VisitWidget(widget, [this](auto& w) {
        auto& collection = GetCollection<std::remove_cvref_t<decltype(w)>>();
        const int index = collection.IndexOf(&w);
        if (index < 0) {
            return false;
        }
        // Room first, so that running out of memory cannot destroy the component.
        m_removed.reserve(m_removed.size() + 1);
        m_removed.push_back(collection.RemoveAt(index));
        m_modified = true;
        return true;
    });
}

int COrvaneDoc::IndexOf(const CWidget& widget) const {
    return VisitWidget(widget, [this](const auto& w) {
        return GetCollection<std::remove_cvref_t<decltype(w)>>().IndexOf(&w);
    });
}

bool COrvaneDoc::Reinsert(CWidget& widget, int index) {
    return index >= 0 && PutBack(widget, index, false);
}

bool COrvaneDoc::AddAgain(CWidget& widget) {
    return PutBack(widget, -1, true);
}

bool COrvaneDoc::PutBack(CWidget& widget, int index, bool newEntry) {
    const auto removed = std::find_if(m_removed.begin(), m_removed.end(),
                                      [&widget](const auto& w) { return w.get() == &widget; });
    if (removed == m_removed.end()) {
        return false;
    }
    return VisitWidget(widget, [&](auto& w) {
        using T = std::remove_cvref_t<decltype(w)>;
        auto& collection = GetCollection<T>();
        const int at = index < 0 ? collection.GetSize() : index;
        if (at > collection.GetSize()) {
            return false;
        }
        if (newEntry) {
            m_typeOrder.emplace_back(TypeName(w.Type()));
        }
        std::unique_ptr<T> item(static_cast<T*>(removed->release()));
        if (!collection.InsertAt(at, item)) {
            removed->reset(item.release());
            if (newEntry) {
                m_typeOrder.pop_back();
            }
            return false;
        }
        m_removed.erase(removed);
        m_modified = true;
        return true;
    });
}

bool COrvaneDoc::Withdraw(CWidget& widget) {
    return VisitWidget(widget, [this](auto& w) {
        auto& collection = GetCollection<std::remove_cvref_t<decltype(w)>>();
        const int last = collection.GetSize() - 1;
        if (last < 0 || collection.GetAt(last) != &w) {
            return false;
        }
        // Add appended the last entry of the name; an earlier one may stand for this component
        // when removals left entries without one, but dropping the last restores the list.
        const auto entry = std::find(m_typeOrder.rbegin(), m_typeOrder.rend(), TypeName(w.Type()));
        if (entry == m_typeOrder.rend()) {
            return false;
        }
        m_removed.reserve(m_removed.size() + 1);
        m_removed.push_back(collection.RemoveAt(last));
        m_typeOrder.erase(std::next(entry).base());
        m_modified = true;
        return true;
    });
}

void COrvaneDoc::Move(CWidget& widget, CPoint p1, CPoint p2) {
    widget.SetPoint1(p1);
    widget.SetPoint2(p2);
    m_modified = true;
}

bool COrvaneDoc::SetAttributes(CWidget& widget, const CWidget& values) {
    if (values.Type() != widget.Type()) {
        return false;
    }
    VisitWidget(widget, [&values](auto& target) {
        using T = std::remove_cvref_t<decltype(target)>;
        T updated = static_cast<const T&>(values);
        updated.m_node1 = target.m_node1;
        updated.m_node2 = target.m_node2;
        updated.SetPoint1(target.GetPoint1());
        updated.SetPoint2(target.GetPoint2());
        updated.SetWidth(target.GetWidth());
        updated.SetColor(target.GetColor());
        target = std::move(updated);
    });
    m_modified = true;
    return true;
}

bool COrvaneDoc::SetSettings(const CSimulationSettings& settings) {
    if (settings == *m_settings) {
        return false;
    }
    *m_settings = settings;
    m_modified = true;
    return true;
}

void COrvaneDoc::SetWorkspaceSettings(const CWorkspaceSettings& settings) {
    m_workspaceWidth = settings.width;
    m_workspaceHeight = settings.height;
    m_regionalRedraw = settings.regionalRedraw;
    m_adaptiveDrawing = settings.adaptiveDrawing;
    m_snapPixel = settings.snapPixel;
    // The scroll extent follows, so that the file reopens at the size chosen.
    m_totalSize =
        CSize{static_cast<int32_t>(settings.width), static_cast<int32_t>(settings.height)};
    m_modified = true;
}

void COrvaneDoc::SetResultPath(CDocObserver* sender, const std::string& path) {
    m_resultPath = path;
    m_modified = true;
    NotifyViews(sender, m_resultPath);
}

void COrvaneDoc::NotifyViews(CDocObserver* sender, const std::string& text) {
    // A copy, so that an observer may attach or detach others while being told.
    const std::vector<CDocObserver*> observers = m_observers;
    for (CDocObserver* observer : observers) {
        if (observer != sender) {
            observer->OnDocumentUpdate(sender, &text);
        }
    }
}

void COrvaneDoc::AttachObserver(CDocObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void COrvaneDoc::DetachObserver(CDocObserver* observer) {
    std::erase(m_observers, observer);
}

void COrvaneDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        Store(ar);
    } else {
        LoadFrom(ar);
    }
}

void COrvaneDoc::Store(CArchive& ar) {
    ar << m_totalSize.cx << m_totalSize.cy << m_workspaceWidth << m_workspaceHeight << m_resultPath;
    ar << StoreFlag(m_regionalRedraw) << StoreFlag(m_adaptiveDrawing != 0)
       << StoreFlag(m_toggle != 0);
    ar.WriteCount(static_cast<uint32_t>(m_typeOrder.size()));
    for (const std::string& name : m_typeOrder) {
        ar.WriteString(name);
    }
    SerializeContents(ar);
}

// The collections in file order, then the settings record and the trailers; the same walk
// stores and loads.
void COrvaneDoc::SerializeContents(CArchive& ar) {
    m_lines->Serialize(ar);
    m_circuitBreakers->Serialize(ar);
    m_fuses->Serialize(ar);
    m_reclosers->Serialize(ar);
    m_isolators->Serialize(ar);
    m_busBars->Serialize(ar);
    m_loadPoints->Serialize(ar);
    m_genSources->Serialize(ar);
    m_equipment->Serialize(ar);
    m_settings->Serialize(ar);
    SerializeCosts(ar);
    m_settings->SerializeMomentary(ar);
}

// The cost curves follow everything else, and only when some load point has one: a file
// without costs keeps its bytes, and earlier versions, which stop reading after the settings,
// still open the others. Each entry names its load point by its place in the collection.
void COrvaneDoc::SerializeCosts(CArchive& ar) {
    const auto& loads = m_loadPoints->GetArray();
    if (ar.IsStoring()) {
        uint32_t curves = 0;
        for (const auto& load : loads) {
            curves += load->m_cost.empty() ? 0 : 1;
        }
        if (curves == 0) {
            return;
        }
        ar << kCostTag;
        ar.WriteCount(curves);
        for (size_t i = 0; i < loads.size(); ++i) {
            const CCostCurve& curve = loads[i]->m_cost;
            if (curve.empty()) {
                continue;
            }
            ar << static_cast<uint32_t>(i);
            ar.WriteCount(static_cast<uint32_t>(curve.size()));
            for (const CCostPoint& point : curve) {
                ar << point.hours << point.cost;
            }
        }
        return;
    }
    if (!ar.ReadTag(kCostTag)) {
        return;
    }
    const uint32_t curves = ar.ReadCount(kMinCostEntryBytes);
    for (uint32_t c = 0; c < curves; ++c) {
        const size_t start = ar.Position();
        const uint32_t index = ar.ReadUInt32();
        if (index >= loads.size()) {
            throw CArchiveError("it gives a cost curve at byte " + std::to_string(start) +
                                    " to load point number " + std::to_string(index) +
                                    ", but holds only " + std::to_string(loads.size()),
                                start);
        }
        const uint32_t count = ar.ReadCount(kCostPointBytes);
        CCostCurve curve;
        curve.reserve(count);
        for (uint32_t k = 0; k < count; ++k) {
            CCostPoint point;
            ar >> point.hours >> point.cost;
            curve.push_back(point);
        }
        loads[index]->m_cost = std::move(curve);
    }
}

void COrvaneDoc::LoadFrom(CArchive& ar) {
    int32_t regionalRedraw = 0;
    int32_t adaptiveDrawing = 0;
    int32_t toggle = 0;
    ar >> m_totalSize.cx >> m_totalSize.cy >> m_workspaceWidth >> m_workspaceHeight >> m_resultPath;
    ar >> regionalRedraw >> adaptiveDrawing >> toggle;
    m_regionalRedraw = regionalRedraw == kStoredTrue;
    m_adaptiveDrawing = adaptiveDrawing == kStoredTrue ? 1 : 0;
    m_toggle = toggle == kStoredTrue ? 1 : 0;
    const uint32_t entries = ar.ReadCount(1);
    std::vector<std::string> typeOrder;
    typeOrder.reserve(entries);
    for (uint32_t i = 0; i < entries; ++i) {
        typeOrder.push_back(ar.ReadString());
    }
    m_typeOrder = std::move(typeOrder);
    SerializeContents(ar);
}

std::string COrvaneDoc::StoreBytes() {
    CArchive ar;
    Store(ar);
    return ar.Bytes();
}

std::unique_ptr<COrvaneDoc> COrvaneDoc::LoadBytes(std::string_view bytes, std::string& error) {
    try {
        auto doc = std::make_unique<COrvaneDoc>();
        CArchive ar(bytes);
        doc->LoadFrom(ar);
        error.clear();
        return doc;
    } catch (const CArchiveError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory to hold it";
    }
    return nullptr;
}

std::unique_ptr<COrvaneDoc> COrvaneDoc::Load(const std::string& path, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = ReadFailure(path, "it is a directory");
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = ReadFailure(path, std::strerror(errno));
        return nullptr;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = ReadFailure(path, "reading it failed");
        return nullptr;
    }
    std::string reason;
    auto doc = LoadBytes(bytes, reason);
    if (!doc) {
        error = ReadFailure(path, reason);
        return nullptr;
    }
    error.clear();
    return doc;
}

bool COrvaneDoc::Save(const std::string& path, std::string& error) {
    // Mode bits rather than access(): root may write anything, but a read-only file is still
    // meant to stay as it is.
    constexpr auto kWriteBits = std::filesystem::perms::owner_write |
                                std::filesystem::perms::group_write |
                                std::filesystem::perms::others_write;
    std::error_code ec;
    const std::filesystem::file_status old = std::filesystem::status(path, ec);
    if (std::filesystem::is_regular_file(old) &&
        (old.permissions() & kWriteBits) == std::filesystem::perms::none) {
        error =
            SaveFailure(path, "it is read-only; save it under another name or make it writable");
        return false;
    }
    PendingFile file;
    if (!file.Open(path) || !file.Write(StoreBytes()) || !file.Commit()) {
        error = SaveFailure(path, file.Reason());
        return false;
    }
    error.clear();
    m_modified = false;
    return true;
}

} // namespace orvane
