#pragma once

#include "editor/AttributeRow.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

// Base of the property and settings dialogs. The dialog shows what its constructor loaded from
// the model; OK (or "Apply") calls Apply(), which reads every field and writes the model only
// when all of them are valid; otherwise the refusal is shown and the dialog stays open. Any
// other way of closing it changes nothing.
class CDataDialog : public QDialog {
    Q_OBJECT
public:
    // Shows a refusal. A warning message box unless replaced; tests record refusals instead.
    using MessageSink =
        std::function<void(QWidget* parent, const QString& title, const QString& text)>;
    static void SetMessageSink(MessageSink sink);

    // Reads the fields into the model; false, with the reason in Refusal(), when a field cannot
    // be stored. Nothing is written then.
    bool Apply();
    const QString& Refusal() const { return m_refusal; }

    // The optional-attribute rows from top to bottom.
    const std::vector<std::unique_ptr<CAttributeRow>>& Rows() const { return m_rows; }
    // The row with that caption, or nullptr.
    CAttributeRow* Row(const QString& caption) const;

public slots:
    void accept() override;

protected:
    explicit CDataDialog(const QString& title, QWidget* parent);

    // Apply() without the bookkeeping: validate everything first, then write.
    virtual bool Store() = 0;

    CAttributeRow& AddRow(const QString& caption, QGridLayout* grid);
    // "Notes" and its editor below the rows of a grid.
    QPlainTextEdit* AddNotes(QGridLayout* grid);
    // The frame of a property dialog: its group, the footnote, then "Apply".
    void LayOutPropertyDialog(QWidget* group);
    // The information icon with a text beside it.
    QWidget* MakeNote(const QString& text);
    // The confirming button of the property dialogs, wired to accept().
    QPushButton* MakeApplyButton();

    // Each reads a field, disabled or not, and refuses text that is not a whole value.
    bool ReadNumber(QLineEdit* edit, const QString& caption, double& value);
    bool ReadInteger(QLineEdit* edit, const QString& caption, int32_t& value);
    bool ReadInteger(QLineEdit* edit, const QString& caption, int32_t low, int32_t high,
                     int32_t& value);
    bool ReadNumber(const CAttributeRow& row, double& value);
    bool ReadInteger(const CAttributeRow& row, int32_t& value);
    // Records why the fields cannot be stored; the field gets the focus when it can take it.
    bool Refuse(QWidget* field, const QString& text);

private:
    std::vector<std::unique_ptr<CAttributeRow>> m_rows;
    QString m_refusal;
    QWidget* m_refusedField = nullptr;
};

// The notes text of a component as its editor holds it, and back.
void LoadNotes(QPlainTextEdit* edit, const std::string& notes);
std::string NotesText(const QPlainTextEdit* edit);

} // namespace orvane
