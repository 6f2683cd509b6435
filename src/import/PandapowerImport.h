#pragma once

#include "import/Grid.h"

#include <string>

namespace orvane {

class PandapowerNet;
class ReliabilityData;

// The Orvane network of a pandapower network, with the reliability data it lacks:
//
//   bus      a node (an out-of-service bus is left out with what stands on it)
//   ext_grid a source
//   line     a line of length_km, with the line rows' failure rate per km and year, repair and
//            switching (isolation) hours; "parallel" lines become that many lines
//   trafo    equipment with the trafo rows' failure rate per year, repair and switching hours
//   switch   closed: a breaker (type CB), a fuse (a Fuse of the protection table acts on it) or
//            an isolator (LS, LBS, DS); open: a recloser that closes after the switch rows'
//            switching time once one side has lost its supply, as a normally open tie is
//            closed by hand. A switch at a line or trafo end stands between the bus and a node
//            of its own at that end.
//   load     a load point with the load rows' customers and average = p_mw x scaling
//
// Elements follow in that order (sources, lines, trafos, switches, loads), each table in its
// own order, so that an NDL text written the same way simulates identically. Out-of-service
// elements, every other table that holds rows (sgen, gen, trafo3w, ...; not the res_ results)
// and whatever is taken otherwise than the file says go to the notes, never silently away.
// Throws ImportError for a network that cannot be read as one.
Grid ImportPandapower(const PandapowerNet& net, ReliabilityData& data, const std::string& title);

} // namespace orvane
