#pragma once

#include <QMdiSubWindow>

#include <functional>
#include <memory>

namespace orvane {

class CDocRecord;
class CHTMLView;
class COrvaneView;

// A document window: a network's workspace view, or the result viewer on the same document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    enum class Kind { Network, Result };

    CChildFrame(std::shared_ptr<CDocRecord> doc, COrvaneView* view);
    CChildFrame(std::shared_ptr<CDocRecord> doc, CHTMLView* view);
    // The view goes before the document it observes.
    ~CChildFrame() override;

    Kind GetKind() const { return m_kind; }
    const std::shared_ptr<CDocRecord>& Document() const { return m_doc; }
    COrvaneView* NetworkView() const { return m_network; }
    CHTMLView* ResultView() const { return m_result; }

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
    std::function<bool(CChildFrame*)> m_closeQuery;
};

} // namespace orvane
