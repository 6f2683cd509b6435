#include "shell/HTMLView.h"

#include "engine/Report.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace orvane {

CHTMLView::CHTMLView(COrvaneDoc* doc, QWidget* parent) : QTextBrowser(parent), m_doc(doc) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
    if (m_doc)
        m_doc->AttachObserver(this);
}

CHTMLView::~CHTMLView() {
    if (m_doc)
        m_doc->DetachObserver(this);
}

void CHTMLView::OnInitialUpdate() {
    if (m_doc && !m_doc->GetResultPath().empty())
        Navigate(QString::fromStdString(m_doc->GetResultPath()));
}

void CHTMLView::OnDocumentUpdate(CDocObserver* /*sender*/, const std::string* hint) {
    if (hint && !hint->empty())
        Navigate(QString::fromStdString(*hint));
}

QString CHTMLView::MissingPage(const QString& path) {
    return QStringLiteral("<h3>The page cannot be displayed</h3><p>The report <tt>%1</tt> does "
                          "not exist yet. It is written when the simulation ends.</p>")
        .arg(path.toHtmlEscaped());
}

void CHTMLView::Navigate(const QString& address) {
    m_address = address;
    // A report directory may carry '#' in its name; the anchor is what follows the last one,
    // and only when the whole address is not itself a file.
    QString path = address;
    QString anchor;
    const qsizetype hash = address.lastIndexOf(QLatin1Char('#'));
    if (hash >= 0 && !QFileInfo(address).isFile()) {
        path = address.left(hash);
        anchor = address.mid(hash + 1);
    }
    if (!QFileInfo(path).isFile()) {
        setHtml(MissingPage(path));
        m_anchor.clear();
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    // The same report is read again: a run may have rewritten it since.
    if (source().adjusted(QUrl::RemoveFragment) == url)
        reload();
    else
        setSource(url);
    // A plain load point name also finds its section.
    if (!anchor.isEmpty() && !HasAnchor(anchor)) {
        const QString encoded = QString::fromStdString(AnchorName(anchor.toStdString()));
        if (HasAnchor(encoded))
            anchor = encoded;
    }
    m_anchor = anchor;
    if (anchor.isEmpty())
        verticalScrollBar()->setValue(0);
    else
        scrollToAnchor(anchor);
}

bool CHTMLView::HasAnchor(const QString& anchor) const {
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().anchorNames().contains(anchor))
                return true;
        }
    }
    return false;
}

} // namespace orvane
