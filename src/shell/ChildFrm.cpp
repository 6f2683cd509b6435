#include "shell/ChildFrm.h"

#include "editor/NetworkRunner.h"
#include "editor/OrvaneView.h"
#include "shell/DocRecord.h"
#include "shell/HTMLView.h"
#include "shell/ToolbarIcons.h"

#include <QCloseEvent>
#include <QPlainTextEdit>

namespace orvane {

CChildFrame::CChildFrame(std::shared_ptr<CDocRecord> doc, COrvaneView* view)
    : m_doc(std::move(doc)), m_kind(Kind::Network), m_network(view) {
    Init();
    setWidget(view);
}

CChildFrame::CChildFrame(std::shared_ptr<CDocRecord> doc, CHTMLView* view)
    : m_doc(std::move(doc)), m_kind(Kind::Result), m_result(view) {
    Init();
    setWidget(view);
}

CChildFrame::CChildFrame(std::shared_ptr<CDocRecord> doc, QPlainTextEdit* view, std::string ndl)
    : m_doc(std::move(doc)), m_kind(Kind::Text), m_text(view), m_ndl(std::move(ndl)),
      m_ndlRunner(std::make_unique<CNetworkRunner>(m_doc->Doc(), nullptr)) {
    Init();
    setWidget(view);
}

CNetworkRunner* CChildFrame::Runner() const {
    if (m_network)
        return &m_network->Runner();
    return m_ndlRunner.get();
}

void CChildFrame::Init() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(MakeProgramIcon());
}

CChildFrame::~CChildFrame() {
    // Members are destroyed before the base class deletes its children, so the view, which
    // points at the document, is deleted here while the document still exists.
    delete widget();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_closeQuery && !m_closeQuery(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace orvane
