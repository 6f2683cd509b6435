#pragma once

#include "engine/CostCurve.h"
#include "engine/DistributionWeibull.h"
#include "engine/ElementKind.h"
#include "engine/Estimate.h"
#include "engine/LoadProfile.h"
#include "engine/RatioInterval.h"

#include <cstdint>
#include <string>

namespace orvane {

// The five yearly estimates of one load point.
struct LoadEstimates {
    Estimate frequency;
    Estimate interruptedYear;
    Estimate outageTime;
    Estimate outageDuration;
    Estimate energyNotSupplied;
};

// One load point's counts for one simulated year.
struct LoadYear {
    uint32_t interruptions = 0;
    uint32_t outageQuanta = 0;
    double energyNotSupplied = 0.0; // demand summed quantum by quantum, not yet in hours
    // Interruptions by what they turned out to be: ended within the momentary limit (momentary;
    // the first of a momentary event also counted as an event), or outlasted it.
    uint32_t momentary = 0;
    uint32_t momentaryEvents = 0;
    uint32_t sustained = 0;
    uint8_t longOutages = 0; // bit t: an outage grew longer than CelidHours[t] this year
    double cost = 0.0;       // of this year's outage quanta
};

// A load point's indices with their 95% intervals over the yearly samples.
struct LoadIntervals {
    RatioInterval frequency;      // interruptions per year
    RatioInterval duration;       // hours per interruption that ended
    RatioInterval unavailability; // hours per year
    RatioInterval energy;         // energy not supplied per year
    RatioInterval momentary;      // momentary interruptions per year
    RatioInterval sustained;      // sustained interruptions per year
    RatioInterval cost;           // interruption cost per year
    RatioInterval iear;           // cost per unit of energy not supplied
};

struct SimElement {
    ElementKind kind = ElementKind::Supply;
    std::string name;     // its component's; reports name load points only
    uint32_t a = 0;       // terminal A (node index); positive flow runs from A to B
    uint32_t b = 0;       // terminal B
    double rating = -1.0; // -1.0: unlimited until the run replaces it
    uint32_t customers = 0;
    DistributionWeibull failure;
    DistributionWeibull isolation;
    DistributionWeibull repair;
    DistributionWeibull reclose;
    uint32_t priority = 1;
    LoadProfile profile; // load points only
    CostCurve damage;    // load points only: the cost of an interruption per kW

    ElementState state = ElementState::Working;
    // Quanta to the next failure. 64 bits, so that a long time to failure at a fine time step is
    // held exactly; a draw too large even for that means not within this run.
    uint64_t failureCountdown = 0;
    uint32_t unisolatedCountdown = 0;
    uint32_t isolatedCountdown = 0;
    uint32_t recloseCountdown = 0;

    double capacity = 0.0; // present capacity, 0.0 is open; a load's demand in this quantum
    double allowed = 0.0;  // capacity offered to the flow search
    double flow = 0.0;     // signed flow from A to B

    bool supplied = true;
    uint64_t currentOutage = 0;       // may outlast many years; never wraps
    LoadYear year;                    // load points only: the counts of the year being simulated
    double interruptedDemand = 0.0;   // the demand when the present interruption began
    double damageSoFar = 0.0;         // the damage function at the present outage's length
    uint64_t eventStart = UINT64_MAX; // when the last event began, in quanta of the run
    bool opensEvent = false;          // the present interruption began an event
    LoadEstimates estimates;

    bool Fails() const { return kind == ElementKind::Equipment || kind == ElementKind::Line; }
};

} // namespace orvane
