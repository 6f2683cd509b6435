#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace orvane {

// "Network NDL": a narrow modeless window with the generated NDL text. "&Update" asks the source
// for a fresh text (the view passes one that checks and generates its document). Closing the
// window emits finished(), which tells the view that the next Generate NDL opens a new one.
class CNDLDisplayDialog : public QDialog {
    Q_OBJECT
public:
    using TextSource = std::function<std::string()>;

    CNDLDisplayDialog(const std::string& text, TextSource source, QWidget* parent = nullptr);

    void SetText(const std::string& text);
    std::string Text() const;
    QPlainTextEdit* TextBox() const { return m_text; }
    QPushButton* UpdateButton() const { return m_update; }

public slots:
    void Update();

private:
    TextSource m_source;
    QPlainTextEdit* m_text;
    QPushButton* m_update;
};

} // namespace orvane
