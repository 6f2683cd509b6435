#pragma once

#include <QString>

#include <cstdint>
#include <string>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace orvane {

// One optional attribute of a dialog: an enabling check box, a caption and an edit field in one
// grid row. The caption and the field are enabled exactly while the box is checked; a value equal
// to the not-set value opens unchecked, with the field showing 0 (a text row shows nothing).
class CAttributeRow {
public:
    CAttributeRow(const QString& caption, QGridLayout* grid, int row, QWidget* parent);
    CAttributeRow(const CAttributeRow&) = delete;
    CAttributeRow& operator=(const CAttributeRow&) = delete;

    void LoadNumber(double value, double notSet);
    void LoadInteger(int32_t value, int32_t notSet);
    void LoadText(const std::string& text);

    void SetChecked(bool checked);
    bool IsChecked() const;
    QString CaptionText() const;
    QString Text() const;

    QCheckBox* Check() const { return m_check; }
    QLabel* Caption() const { return m_caption; }
    QLineEdit* Edit() const { return m_edit; }

private:
    QCheckBox* m_check;
    QLabel* m_caption;
    QLineEdit* m_edit;
};

} // namespace orvane
