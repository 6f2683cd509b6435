#pragma once

#include <QMdiSubWindow>

#include <functional>
#include <memory>
#include <string>

class QPlainTextEdit;

namespace orvane {

class CDocRecord;
class CHTMLView;
class CNetworkRunner;
class COrvaneView;

// A document window: a network's workspace view, the result viewer on the same document, or
// the read-only text of an NDL file (whose document stays empty and is never saved, and only
// records where the file's last run put its report).
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    enum class Kind { Network, Result, Text };

    CChildFrame(std::shared_ptr<CDocRecord> doc, COrvaneView* view);
    CChildFrame(std::shared_ptr<CDocRecord> doc, CHTMLView* view);
    // ndl: the file's bytes as read, which the checks go by (the window shows them as text).
    CChildFrame(std::shared_ptr<CDocRecord> doc, QPlainTextEdit* view, std::string ndl);
    // The view goes before the document it observes.
    ~CChildFrame() override;

    Kind GetKind() const { return m_kind; }
    const std::shared_ptr<CDocRecord>& Document() const { return m_doc; }
    COrvaneView* NetworkView() const { return m_network; }
    CHTMLView* ResultView() const { return m_result; }
    QPlainTextEdit* TextView() const { return m_text; }
    const std::string& NdlText() const { return m_ndl; }
    // The runs of the network the window shows: its view's, or the NDL file's own; nullptr for
    // a result viewer.
    CNetworkRunner* Runner() const;

    // Asked before the window closes: false keeps it open (the save question was cancelled).
    void SetCloseQuery(std::function<bool(CChildFrame*)> query) { m_closeQuery = std::move(query); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Init();

    std::shared_ptr<CDocRecord> m_doc;
    Kind m_kind;
    COrvaneView* m_network = nullptr;
    CHTMLView* m_result = nullptr;
    QPlainTextEdit* m_text = nullptr;
    std::string m_ndl;
    std::function<bool(CChildFrame*)> m_closeQuery;
    // Declared after the document, which it points at, so that it goes first.
    std::unique_ptr<CNetworkRunner> m_ndlRunner;
};

} // namespace orvane
