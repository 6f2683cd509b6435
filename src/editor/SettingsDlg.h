#pragma once

#include "editor/DataDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace orvane {

struct CWorkspaceSettings;

// "Workspace options": workspace size, redraw choice, adaptive drawing and snap pitch of a
// document. OK writes the five values to the record it edits; the caller hands them to the
// document, resizes the workspace and repaints.
class CSettingsDlg : public CDataDialog {
    Q_OBJECT
public:
    explicit CSettingsDlg(CWorkspaceSettings& settings, QWidget* parent = nullptr);

    static constexpr int kMaxSize = 30000;
    static constexpr int kMaxSnap = 20;

    QLineEdit* WidthEdit() const { return m_width; }
    QLineEdit* HeightEdit() const { return m_height; }
    // "640*480" ... "1920*1440", then "&Default".
    const std::array<QRadioButton*, 8>& SizeButtons() const { return m_sizes; }
    QRadioButton* RegionalButton() const { return m_regional; }
    QRadioButton* FullButton() const { return m_full; }
    QCheckBox* AdaptiveCheck() const { return m_adaptive; }
    QComboBox* SnapList() const { return m_snap; }

protected:
    bool Store() override;

private:
    CWorkspaceSettings& m_settings;
    QLineEdit* m_width;
    QLineEdit* m_height;
    std::array<QRadioButton*, 8> m_sizes{};
    QRadioButton* m_regional;
    QRadioButton* m_full;
    QCheckBox* m_adaptive;
    QComboBox* m_snap;
};

} // namespace orvane
