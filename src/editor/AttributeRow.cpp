#include "editor/AttributeRow.h"

#include "editor/FieldText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace orvane {

CAttributeRow::CAttributeRow(const QString& caption, QGridLayout* grid, int row, QWidget* parent)
    : m_check(new QCheckBox(parent)), m_caption(new QLabel(caption, parent)),
      m_edit(new QLineEdit(parent)) {
    m_caption->setBuddy(m_edit);
    grid->addWidget(m_check, row, 0);
    grid->addWidget(m_caption, row, 1);
    grid->addWidget(m_edit, row, 2);
    QObject::connect(m_check, &QCheckBox::toggled, m_edit, [this](bool on) {
        m_caption->setEnabled(on);
        m_edit->setEnabled(on);
    });
    SetChecked(false);
}

void CAttributeRow::LoadNumber(double value, double notSet) {
    const bool set = value != notSet;
    m_edit->setText(QString::fromStdString(FieldNumber(set ? value : 0.0)));
    SetChecked(set);
}

void CAttributeRow::LoadInteger(int32_t value, int32_t notSet) {
    const bool set = value != notSet;
    m_edit->setText(QString::number(set ? value : 0));
    SetChecked(set);
}

void CAttributeRow::LoadText(const std::string& text) {
    m_edit->setText(QString::fromStdString(text));
    SetChecked(!text.empty());
}

void CAttributeRow::SetChecked(bool checked) {
    m_check->setChecked(checked);
    // toggled() does not fire when the state stays the same.
    m_caption->setEnabled(checked);
    m_edit->setEnabled(checked);
}

bool CAttributeRow::IsChecked() const {
    return m_check->isChecked();
}

QString CAttributeRow::CaptionText() const {
    return m_caption->text();
}

QString CAttributeRow::Text() const {
    return m_edit->text();
}

} // namespace orvane
