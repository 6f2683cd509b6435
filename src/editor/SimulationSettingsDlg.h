#pragma once

#include "editor/DataDialog.h"

class QCheckBox;
class QLineEdit;

namespace orvane {

class CSimulationSettings;

// "Simulation settings": edits a document's CSimulationSettings; OK writes every field back,
// Cancel leaves the record as it was. An unchecked optional value is stored as 0 (not set).
class CSimulationSettingsDlg : public CDataDialog {
    Q_OBJECT
public:
    explicit CSimulationSettingsDlg(CSimulationSettings& settings, QWidget* parent = nullptr);

    QLineEdit* QuantsEdit() const { return m_quants; }
    QCheckBox* FusesCheck() const { return m_fuses; }
    QCheckBox* IsolatorsCheck() const { return m_isolators; }
    QCheckBox* ReclosersCheck() const { return m_reclosers; }
    QCheckBox* MaxFlowCheck() const { return m_maxFlow; }
    QLineEdit* SeedEdit() const { return m_seed; }
    QLineEdit* ReplicasEdit() const { return m_replicas; }
    QLineEdit* MomentaryEdit() const { return m_momentary; }

protected:
    bool Store() override;

private:
    CSimulationSettings& m_settings;
    QLineEdit* m_quants;
    CAttributeRow* m_yearMin;
    CAttributeRow* m_yearMax;
    CAttributeRow* m_yearStep;
    CAttributeRow* m_accuracy;
    QCheckBox* m_fuses;
    QCheckBox* m_isolators;
    QCheckBox* m_reclosers;
    QCheckBox* m_maxFlow;
    QLineEdit* m_seed;
    QLineEdit* m_replicas;
    QLineEdit* m_momentary;
};

} // namespace orvane
