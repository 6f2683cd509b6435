#include "import/PandapowerImport.h"

#include "import/ImportError.h"
#include "import/PandapowerNet.h"
#include "import/ReliabilityData.h"

#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace orvane {

namespace {

using nlohmann::json;

// Tables the importer reads; every other one that holds rows is named in the notes.
const std::set<std::string> Read = {"bus",    "ext_grid", "line",      "trafo",
                                    "switch", "load",     "protection"};

const std::map<std::string, std::string> TableWords = {
    {"sgen", "static generators"},
    {"gen", "generators"},
    {"storage", "storage units"},
    {"motor", "motors"},
    {"shunt", "shunts"},
    {"ward", "ward equivalents"},
    {"xward", "extended ward equivalents"},
    {"impedance", "impedances"},
    {"dcline", "DC lines"},
    {"trafo3w", "three-winding transformers"},
    {"asymmetric_load", "asymmetric loads"},
    {"asymmetric_sgen", "asymmetric static generators"},
    {"svc", "static var compensators"},
    {"ssc", "static synchronous compensators"},
    {"tcsc", "thyristor-controlled series capacitors"},
    {"vsc", "voltage source converters"},
    {"bus_dc", "DC buses"},
    {"line_dc", "DC lines"},
    {"measurement", "measurements"},
    {"controller", "controllers"},
    {"poly_cost", "cost functions"},
    {"pwl_cost", "cost functions"},
};

// NDL cannot carry these in a name; they become '_'.
bool Forbidden(char c) {
    return c == '"' || c == '\\' || c == '#' || c == '$' || static_cast<unsigned char>(c) < 0x20 ||
           c == 0x7F;
}

std::string CleanName(const std::string& name) {
    std::string clean = name;
    for (char& c : clean)
        if (Forbidden(c))
            c = '_';
    return clean;
}

// Where a switch stands when it sits at a line or trafo end: between the bus and its own node.
struct SwitchEnd {
    int32_t bus = 0;
    int32_t element = 0;
};

class Importer {
public:
    Importer(const PandapowerNet& net, ReliabilityData& data) : net_(net), data_(data) {}

    Grid Run(const std::string& title) {
        grid_.title = title;
        Buses();
        Fuses();
        SwitchesAtEnds();
        Sources();
        Branches("line", 'l', "from_bus", "to_bus", GridElement::Line);
        Branches("trafo", 't', "hv_bus", "lv_bus", GridElement::Equipment);
        Switches();
        Loads();
        OtherTables();
        return std::move(grid_);
    }

private:
    void Note(const std::string& text) { grid_.notes.push_back(text); }

    const DataFrame* Table(const char* name) const { return net_.Table(name); }

    // "line 'Feeder A' (3)" or "line 3" when it has no name.
    static std::string Called(const DataFrame& t, size_t row, const char* what) {
        const std::string name = t.Text(row, "name");
        const std::string index = std::to_string(t.Index(row));
        return name.empty() ? std::string(what) + " " + index
                            : std::string(what) + " '" + name + "' (" + index + ")";
    }

    static std::string NameOf(const DataFrame& t, size_t row, const char* what) {
        const std::string name = t.Text(row, "name");
        return CleanName(name.empty() ? std::string(what) + " " + std::to_string(t.Index(row))
                                      : name);
    }

    static bool InService(const DataFrame& t, size_t row) {
        return t.Boolean(row, "in_service", true);
    }

    // The node of a bus; 0 for a bus that is out of service. A bus the table lacks is an error.
    int32_t Node(int64_t bus, const std::string& what) const {
        const auto found = busNode_.find(bus);
        if (found != busNode_.end())
            return found->second;
        if (outBuses_.count(bus) == 0)
            throw ImportError(what + " connects the bus " + std::to_string(bus) +
                              ", which the bus table does not have");
        return 0;
    }

    void Buses() {
        const DataFrame* buses = Table("bus");
        if (buses == nullptr || buses->Rows() == 0)
            throw ImportError("the network has no buses");
        for (size_t r = 0; r < buses->Rows(); ++r) {
            const int64_t index = buses->Index(r);
            if (busNode_.count(index) != 0 || outBuses_.count(index) != 0)
                throw ImportError("the bus table holds the index " + std::to_string(index) +
                                  " twice");
            if (InService(*buses, r))
                busNode_[index] = ++grid_.nodes;
            else
                outBuses_.insert(index);
        }
    }

    // A Fuse of the protection table makes the switch it acts on a fuse.
    void Fuses() {
        const DataFrame* protection = Table("protection");
        if (protection == nullptr)
            return;
        for (size_t r = 0; r < protection->Rows(); ++r) {
            const json& object = protection->Cell(r, "object");
            const std::string index = std::to_string(protection->Index(r));
            const std::string kind = object.is_object() ? object.value("_class", "") : "";
            if (kind != "Fuse") {
                Note("left out: protection " + index + " (" +
                     (kind.empty() ? std::string("not a device") : kind) +
                     "); only fuses are read");
                continue;
            }
            json fuse = object.contains("_object") ? object["_object"] : json();
            if (fuse.is_string()) {
                try {
                    fuse = json::parse(fuse.get_ref<const std::string&>());
                } catch (const json::exception&) {
                    throw ImportError("protection " + index + " holds a fuse that is not JSON");
                }
            }
            if (!fuse.is_object() || !fuse.contains("switch_index") ||
                !fuse["switch_index"].is_number_integer())
                throw ImportError("protection " + index + " holds a fuse without its switch_index");
            const bool inService =
                protection->Boolean(r, "in_service", true) && fuse.value("in_service", true);
            const int64_t sw = fuse["switch_index"].get<int64_t>();
            if (inService)
                fused_.insert(sw);
            else
                Note("protection " + index + " is a fuse out of service: switch " +
                     std::to_string(sw) + " is imported by its type");
        }
    }

    // Switches at line and trafo ends, by (element type, element, bus).
    void SwitchesAtEnds() {
        const DataFrame* switches = Table("switch");
        if (switches == nullptr)
            return;
        for (size_t r = 0; r < switches->Rows(); ++r) {
            const std::string et = switches->Text(r, "et");
            if (et == "l" || et == "t")
                atEnds_[{et[0], switches->Integer(r, "element"), switches->Integer(r, "bus")}]
                    .push_back(r);
        }
    }

    void Sources() {
        const DataFrame* grids = Table("ext_grid");
        if (grids != nullptr) {
            for (size_t r = 0; r < grids->Rows(); ++r) {
                const std::string called = Called(*grids, r, "ext_grid");
                if (!InService(*grids, r)) {
                    Note("left out: " + called + " is out of service");
                    continue;
                }
                const int32_t node = Node(grids->Integer(r, "bus"), called);
                if (node == 0) {
                    Note("left out: " + called + " stands on a bus that is out of service");
                    continue;
                }
                GridElement source;
                source.kind = GridElement::Source;
                source.name = NameOf(*grids, r, "ext_grid");
                source.a = node;
                grid_.elements.push_back(source);
                ++sources_;
            }
        }
        if (sources_ == 0)
            Note("the network has no external grid in service: nothing supplies it");
    }

    // The node at one end of a line or trafo: the bus's, or behind the switches at that end.
    int32_t EndNode(char et, int64_t element, int64_t bus, int32_t busNode) {
        int32_t node = busNode;
        const auto found = atEnds_.find({et, element, bus});
        if (found == atEnds_.end())
            return node;
        for (size_t sw : found->second) {
            const int32_t own = ++grid_.nodes;
            switchEnds_[sw] = SwitchEnd{node, own};
            node = own;
        }
        return node;
    }

    void Branches(const char* table, char et, const char* from, const char* to,
                  GridElement::Kind kind) {
        const DataFrame* t = Table(table);
        if (t == nullptr)
            return;
        size_t withoutFailure = 0;
        size_t imported = 0;
        for (size_t r = 0; r < t->Rows(); ++r) {
            const std::string called = Called(*t, r, table);
            if (!InService(*t, r)) {
                Note("left out: " + called + " is out of service");
                continue;
            }
            const int64_t fromBus = t->Integer(r, from);
            const int64_t toBus = t->Integer(r, to);
            const int32_t a = Node(fromBus, called);
            const int32_t b = Node(toBus, called);
            if (a == 0 || b == 0) {
                Note("left out: " + called + " connects a bus that is out of service");
                continue;
            }
            const int64_t index = t->Index(r);
            GridElement e;
            e.kind = kind;
            e.name = NameOf(*t, r, table);
            e.a = EndNode(et, index, fromBus, a);
            e.b = EndNode(et, index, toBus, b);
            const ReliabilityValues values = data_.For(table, index, t->Text(r, "name"));
            e.failure = values.failure.value_or(-1.0);
            e.repair = values.repair.value_or(-1.0);
            e.isolation = values.switching.value_or(-1.0);
            if (!values.failure)
                ++withoutFailure;
            if (kind == GridElement::Line) {
                const double length = t->Number(r, "length_km", -1.0);
                if (length > 0.0)
                    e.length = length;
                else
                    Note(called + " has no positive length_km: its failure rate counts for a "
                                  "length of 1");
            }
            const double parallel = t->Number(r, "parallel", 1.0);
            if (!(parallel >= 1.0 && parallel <= 1000.0 && parallel == std::floor(parallel)))
                throw ImportError(called + " has " + t->Cell(r, "parallel").dump() +
                                  " parallel systems; give a whole number from 1 to 1000");
            const auto copies = static_cast<int64_t>(parallel);
            if (copies > 1)
                Note(called + " stands for " + std::to_string(copies) +
                     " parallel systems: imported as as many " + table + "s");
            for (int64_t k = 0; k < copies; ++k) {
                GridElement copy = e;
                if (k > 0)
                    copy.name += " (" + std::to_string(k + 1) + ")";
                grid_.elements.push_back(copy);
            }
            ++imported;
        }
        if (withoutFailure > 0)
            Note(std::to_string(withoutFailure) + " of " + std::to_string(imported) + " " + table +
                 "s have no failure rate in the reliability data: they practically never fail");
    }

    void Switches() {
        const DataFrame* switches = Table("switch");
        if (switches == nullptr)
            return;
        for (size_t r = 0; r < switches->Rows(); ++r) {
            const std::string called = Called(*switches, r, "switch");
            const std::string et = switches->Text(r, "et");
            const int64_t index = switches->Index(r);
            GridElement e;
            e.name = NameOf(*switches, r, "switch");
            if (et == "b") {
                e.a = Node(switches->Integer(r, "bus"), called);
                e.b = Node(switches->Integer(r, "element"), called);
                if (e.a == 0 || e.b == 0) {
                    Note("left out: " + called + " connects a bus that is out of service");
                    continue;
                }
            } else if (et == "l" || et == "t") {
                const auto found = switchEnds_.find(r);
                if (found == switchEnds_.end()) {
                    Note("left out: " + called + " sits on " + (et == "l" ? "line " : "trafo ") +
                         std::to_string(switches->Integer(r, "element")) +
                         ", which is left out or does not end at bus " +
                         std::to_string(switches->Integer(r, "bus")));
                    continue;
                }
                e.a = found->second.bus;
                e.b = found->second.element;
            } else {
                Note("left out: " + called + " sits on " +
                     (et == "t3" ? std::string("a three-winding transformer")
                                 : "an element of type '" + et + "'"));
                continue;
            }
            const ReliabilityValues values = data_.For("switch", index, switches->Text(r, "name"));
            const std::string type = switches->Text(r, "type");
            if (!switches->Boolean(r, "closed", true)) {
                e.kind = GridElement::Recloser;
                e.reclose = values.switching.value_or(-1.0);
                Note(called + " is open: imported as a tie (recloser) that closes " +
                     (values.switching ? "after the switching time" : "after NDL's 1 hour") +
                     " once one side has lost its supply");
            } else if (fused_.count(index) != 0) {
                e.kind = GridElement::Fuse;
            } else if (type == "CB") {
                e.kind = GridElement::Breaker;
            } else {
                e.kind = GridElement::Isolator;
                if (type != "LS" && type != "LBS" && type != "DS")
                    Note(called + " has " +
                         (type.empty() ? std::string("no type") : "the type '" + type + "'") +
                         ": imported as an isolator");
            }
            grid_.elements.push_back(e);
        }
    }

    void Loads() {
        const DataFrame* loads = Table("load");
        std::set<std::string> names;
        size_t imported = 0;
        for (size_t r = 0; loads != nullptr && r < loads->Rows(); ++r) {
            const std::string called = Called(*loads, r, "load");
            if (!InService(*loads, r)) {
                Note("left out: " + called + " is out of service");
                continue;
            }
            GridElement e;
            e.kind = GridElement::Load;
            e.a = Node(loads->Integer(r, "bus"), called);
            if (e.a == 0) {
                Note("left out: " + called + " stands on a bus that is out of service");
                continue;
            }
            const std::string given = loads->Text(r, "name");
            e.name = NameOf(*loads, r, "load");
            if (!given.empty() && e.name != given)
                Note(called + " is named '" + e.name +
                     "': NDL names cannot hold '\"', '\\', "
                     "'#', '$' or control characters");
            if (!names.insert(e.name).second) {
                e.name += " (" + std::to_string(loads->Index(r)) + ")";
                names.insert(e.name);
                Note(called + " shares its name with an earlier load: named '" + e.name + "'");
            }
            const ReliabilityValues values = data_.For("load", loads->Index(r), given);
            e.customers = values.customers.value_or(-1);
            const double p = loads->Number(r, "p_mw", 0.0) * loads->Number(r, "scaling", 1.0);
            if (p > 0.0)
                e.average = p;
            else
                Note(called + " draws no power (p_mw x scaling is not positive): its energy not "
                              "supplied is counted at NDL's default demand of 1");
            grid_.elements.push_back(e);
            ++imported;
        }
        if (imported == 0)
            Note("the network has no load in service: there is nothing to measure");
    }

    void OtherTables() {
        for (const auto& [name, table] : net_.Tables()) {
            if (Read.count(name) != 0 || table.Rows() == 0 || name.rfind("res_", 0) == 0 ||
                (name.size() > 8 && name.compare(name.size() - 8, 8, "_geodata") == 0))
                continue;
            const auto words = TableWords.find(name);
            Note("left out: " + std::to_string(table.Rows()) + " " +
                 (table.Rows() == 1 ? "row" : "rows") + " of " + name +
                 (words == TableWords.end() ? std::string() : " (" + words->second + ")") +
                 ", which Orvane does not model");
        }
    }

    const PandapowerNet& net_;
    ReliabilityData& data_;
    Grid grid_;
    std::map<int64_t, int32_t> busNode_;
    std::set<int64_t> outBuses_;
    std::set<int64_t> fused_;
    std::map<std::tuple<char, int64_t, int64_t>, std::vector<size_t>> atEnds_;
    std::map<size_t, SwitchEnd> switchEnds_;
    size_t sources_ = 0;
};

} // namespace

Grid ImportPandapower(const PandapowerNet& net, ReliabilityData& data, const std::string& title) {
    return Importer(net, data).Run(title);
}

} // namespace orvane
