#pragma once

#include "model/BusBarCollection.h"
#include "model/CircuitBreakerCollection.h"
#include "model/EquipmentCollection.h"
#include "model/FuseCollection.h"
#include "model/GenSourceCollection.h"
#include "model/Geometry.h"
#include "model/IsolatorCollection.h"
#include "model/LineCollection.h"
#include "model/LoadPointCollection.h"
#include "model/RecloserCollection.h"
#include "model/SimulationSettings.h"
#include "model/WorkspaceSettings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace orvane {

class CArchive;

// Anything that shows a document and wants to hear when it changes.
class CDocObserver {
public:
    virtual ~CDocObserver() = default;
    // sender is the observer that caused the update (it is not told); hint is a path or an
    // address for the result viewer, or nullptr.
    virtual void OnDocumentUpdate(CDocObserver* sender, const std::string* hint) = 0;
};

// One drawn network: workspace settings, simulation settings, the last report path, the nine
// component collections and the type-order list that records their creation order.
class COrvaneDoc {
public:
    CSize m_totalSize;
    uint32_t m_workspaceWidth = 1024;
    uint32_t m_workspaceHeight = 786;
    int32_t m_snapPixel = 10; // not stored in the file
    bool m_regionalRedraw = false;
    int32_t m_adaptiveDrawing = 0;
    int32_t m_toggle = 1;
    std::vector<std::string> m_typeOrder;

    COrvaneDoc();
    ~COrvaneDoc();
    COrvaneDoc(const COrvaneDoc&) = delete;
    COrvaneDoc& operator=(const COrvaneDoc&) = delete;

    // The step after construction for File New: the scroll extent follows the workspace size.
    void OnNewDocument();

    CLineCollection& GetLines() const { return *m_lines; }
    CCircuitBreakerCollection& GetCircuitBreakers() const { return *m_circuitBreakers; }
    CFuseCollection& GetFuses() const { return *m_fuses; }
    CRecloserCollection& GetReclosers() const { return *m_reclosers; }
    CIsolatorCollection& GetIsolators() const { return *m_isolators; }
    CBusBarCollection& GetBusBars() const { return *m_busBars; }
    CLoadPointCollection& GetLoadPoints() const { return *m_loadPoints; }
    CGenSourceCollection& GetGenSources() const { return *m_genSources; }
    CEquipmentCollection& GetEquipment() const { return *m_equipment; }
    const CSimulationSettings& GetSettings() const { return *m_settings; }
    CWorkspaceSettings GetWorkspaceSettings() const;

    // The collection of a component class: GetCollection<CFuse>() is GetFuses().
    template <class T> CComponentCollection<T>& GetCollection() const;

    // ---- Changes. Every edit of the drawing and its settings goes through one of these, so
    // that none forgets the modified mark; each sets it.

    // Creates a component with its creating constructor (two points or one, pen width, colour),
    // appends it to its collection and records it in the type-order list. nullptr when memory
    // runs out; nothing has changed then.
    template <class T, class... Args> T* Add(Args&&... args) {
        T* created = GetCollection<T>().Add(std::forward<Args>(args)...);
        if (created != nullptr) {
            Added(created->Type());
        }
        return created;
    }
    // Takes a component out of the drawing. It stays alive with the document, for the list of
    // components found not connected may still point at it. False when it is not in the drawing.
    bool Remove(CWidget& widget);
    // Adds a copy of a component, attributes, geometry and all (from the clipboard, or from
    // another drawing), as Add does. nullptr when memory runs out; nothing has changed then.
    CWidget* AddCopy(const CWidget& widget);
    // Puts a component's ends at p1 and p2; a one-point component goes to p2.
    void Move(CWidget& widget, CPoint p1, CPoint p2);
    // Gives a component the attributes of values, a component of the same type (usually an
    // edited copy); its geometry, pen and node numbers stay. False, changing nothing, when the
    // types differ.
    bool SetAttributes(CWidget& widget, const CWidget& values);
    // Replaces the simulation settings; marks the document only when they differ, so that OK on
    // an unchanged dialog does not ask to save. True when they differed.
    bool SetSettings(const CSimulationSettings& settings);
    // Replaces the workspace options; the scroll extent follows the workspace size.
    void SetWorkspaceSettings(const CWorkspaceSettings& settings);

    // ---- The inverses, for undo. Each puts back exactly what its change took, type-order list
    // included, so that undoing a change leaves the file bytes as they were before it.

    // Where a component stands in its collection; -1 when it is not in the drawing.
    int IndexOf(const CWidget& widget) const;
    // Undoes Remove: puts the component back at the collection index it had, so that it stands
    // for the same type-order entry again. False, changing nothing, when Remove did not take it
    // out or the index lies past the end of its collection.
    bool Reinsert(CWidget& widget, int index);
    // Undoes Add (or AddCopy): takes out the component added last and drops the last type-order
    // entry of its type, the one Add appended. False, changing nothing, unless the component is
    // the last of its collection.
    bool Withdraw(CWidget& widget);
    // Redoes Add after Withdraw: the same component at the end of its collection, with a new
    // type-order entry. False, changing nothing, when Withdraw did not take it out.
    bool AddAgain(CWidget& widget);

    const std::string& GetResultPath() const { return m_resultPath; }
    // Stores the path, which the network file keeps, and tells every observer except the sender,
    // with the path as hint.
    void SetResultPath(CDocObserver* sender, const std::string& path);
    // Tells every observer except the sender, with the text as hint; stores nothing.
    void NotifyViews(CDocObserver* sender, const std::string& text);
    void AttachObserver(CDocObserver* observer);
    void DetachObserver(CDocObserver* observer);

    void SetModified(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }

    // The whole network file, in either direction. Loading throws CArchiveError.
    void Serialize(CArchive& ar);

    std::string StoreBytes();
    // A document read from file bytes, or nullptr with the reason in `error`.
    static std::unique_ptr<COrvaneDoc> LoadBytes(std::string_view bytes, std::string& error);

    // Reads a network file; on failure nullptr and a message naming the file and the fault.
    static std::unique_ptr<COrvaneDoc> Load(const std::string& path, std::string& error);
    // Writes a temporary file beside the target and renames it over the target, so that a
    // failed save leaves the previous file as it was. Clears the modified flag on success.
    bool Save(const std::string& path, std::string& error);

private:
    void Added(WidgetType type);
    // Moves a component taken out by Remove or Withdraw back into its collection at index
    // (the end when -1).
    bool PutBack(CWidget& widget, int index, bool newEntry);
    void Store(CArchive& ar);
    void LoadFrom(CArchive& ar);
    void SerializeContents(CArchive& ar);
    void SerializeCosts(CArchive& ar);

    std::vector<std::unique_ptr<CWidget>> m_removed;
    std::unique_ptr<CLineCollection> m_lines;
    std::unique_ptr<CCircuitBreakerCollection> m_circuitBreakers;
    std::unique_ptr<CFuseCollection> m_fuses;
    std::unique_ptr<CRecloserCollection> m_reclosers;
    std::unique_ptr<CIsolatorCollection> m_isolators;
    std::unique_ptr<CBusBarCollection> m_busBars;
    std::unique_ptr<CLoadPointCollection> m_loadPoints;
    std::unique_ptr<CGenSourceCollection> m_genSources;
    std::unique_ptr<CEquipmentCollection> m_equipment;
    std::unique_ptr<CSimulationSettings> m_settings;
    std::string m_resultPath;
    std::vector<CDocObserver*> m_observers;
    bool m_modified = false;
};

template <class T> CComponentCollection<T>& COrvaneDoc::GetCollection() const {
    if constexpr (std::is_same_v<T, CLine>) {
        return *m_lines;
    } else if constexpr (std::is_same_v<T, CCircuitBreaker>) {
        return *m_circuitBreakers;
    } else if constexpr (std::is_same_v<T, CFuse>) {
        return *m_fuses;
    } else if constexpr (std::is_same_v<T, CRecloser>) {
        return *m_reclosers;
    } else if constexpr (std::is_same_v<T, CIsolator>) {
        return *m_isolators;
    } else if constexpr (std::is_same_v<T, CBusBar>) {
        return *m_busBars;
    } else if constexpr (std::is_same_v<T, CLoadPoint>) {
        return *m_loadPoints;
    } else if constexpr (std::is_same_v<T, CGenSource>) {
        return *m_genSources;
    } else {
        static_assert(std::is_same_v<T, CEquipment>, "not a component class");
        return *m_equipment;
    }
}

} // namespace orvane
