#include "editor/DataDialog.h"

#include "editor/FieldText.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orvane {

namespace {

CDataDialog::MessageSink& Sink() {
    static CDataDialog::MessageSink sink = [](QWidget* parent, const QString& title,
                                              const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
    return sink;
}

} // namespace

void CDataDialog::SetMessageSink(MessageSink sink) {
    Sink() = std::move(sink);
}

CDataDialog::CDataDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
}

CAttributeRow* CDataDialog::Row(const QString& caption) const {
    for (const auto& row : m_rows)
        if (row->CaptionText() == caption)
            return row.get();
    return nullptr;
}

bool CDataDialog::Apply() {
    m_refusal.clear();
    m_refusedField = nullptr;
    return Store();
}

void CDataDialog::accept() {
    if (Apply()) {
        QDialog::accept();
        return;
    }
    Sink()(this, windowTitle(), m_refusal);
    if (m_refusedField && m_refusedField->isEnabled()) {
        m_refusedField->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(m_refusedField))
            edit->selectAll();
    }
}

CAttributeRow& CDataDialog::AddRow(const QString& caption, QGridLayout* grid) {
    m_rows.push_back(std::make_unique<CAttributeRow>(caption, grid, grid->rowCount(), this));
    return *m_rows.back();
}

QPlainTextEdit* CDataDialog::AddNotes(QGridLayout* grid) {
    QWidget* owner = grid->parentWidget();
    auto* caption = new QLabel(tr("Notes"), owner);
    auto* edit = new QPlainTextEdit(owner);
    caption->setBuddy(edit);
    grid->addWidget(caption, grid->rowCount(), 1, 1, 2);
    grid->addWidget(edit, grid->rowCount(), 1, 1, 2);
    return edit;
}

void CDataDialog::LayOutPropertyDialog(QWidget* group) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(MakeApplyButton());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(MakeNote(tr("Check the check box to enable the attribute.")));
    layout->addLayout(buttons);
}

QWidget* CDataDialog::MakeNote(const QString& text) {
    auto* note = new QWidget(this);
    auto* layout = new QHBoxLayout(note);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel(note);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(text, note);
    label->setWordWrap(true);
    layout->addWidget(icon);
    layout->addWidget(label, 1);
    return note;
}

QPushButton* CDataDialog::MakeApplyButton() {
    auto* button = new QPushButton(tr("Apply"), this);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &CDataDialog::accept);
    return button;
}

bool CDataDialog::ReadNumber(QLineEdit* edit, const QString& caption, double& value) {
    const auto parsed = ParseNumber(edit->text().toStdString());
    if (!parsed)
        return Refuse(edit, tr("Please enter a number in \"%1\".").arg(caption));
    value = *parsed;
    return true;
}

bool CDataDialog::ReadInteger(QLineEdit* edit, const QString& caption, int32_t& value) {
    const auto parsed = ParseInteger(edit->text().toStdString());
    if (!parsed)
        return Refuse(edit, tr("Please enter an integer in \"%1\".").arg(caption));
    value = *parsed;
    return true;
}

bool CDataDialog::ReadInteger(QLineEdit* edit, const QString& caption, int32_t low, int32_t high,
                              int32_t& value) {
    const auto parsed = ParseInteger(edit->text().toStdString());
    if (!parsed || *parsed < low || *parsed > high)
        return Refuse(edit, tr("Please enter an integer between %1 and %2 in \"%3\".")
                                .arg(low)
                                .arg(high)
                                .arg(caption));
    value = *parsed;
    return true;
}

bool CDataDialog::ReadNumber(const CAttributeRow& row, double& value) {
    return ReadNumber(row.Edit(), row.CaptionText(), value);
}

bool CDataDialog::ReadInteger(const CAttributeRow& row, int32_t& value) {
    return ReadInteger(row.Edit(), row.CaptionText(), value);
}

bool CDataDialog::Refuse(QWidget* field, const QString& text) {
    m_refusal = text;
    m_refusedField = field;
    return false;
}

void LoadNotes(QPlainTextEdit* edit, const std::string& notes) {
    edit->setPlainText(QString::fromStdString(notes));
}

std::string NotesText(const QPlainTextEdit* edit) {
    return edit->toPlainText().toStdString();
}

} // namespace orvane
