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

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
    CSimulationSettings& GetSettings() const { return *m_settings; }

    const std::string& GetResultPath() const { return m_resultPath; }
    // Stores the path and tells every observer except the sender, with the path as hint.
    void SetResultPath(CDocObserver* sender, const std::string& path);
    // Tells every observer except the sender, with the text as hint; stores nothing.
    void NotifyViews(CDocObserver* sender, const std::string& text);
    void AttachObserver(CDocObserver* observer);
    void DetachObserver(CDocObserver* observer);

    void SetModified(bool modified = true) { m_modified = modified; }
    bool IsModified() const { return m_modified; }

    // Components deleted from the drawing stay alive with the document: the list of components
    // found not connected may still point at them until the next check.
    void KeepRemoved(std::unique_ptr<CWidget> widget) { m_removed.push_back(std::move(widget)); }

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
    void Store(CArchive& ar);
    void LoadFrom(CArchive& ar);
    void SerializeContents(CArchive& ar);

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

} // namespace orvane
