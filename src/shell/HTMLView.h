#pragma once

#include "model/OrvaneDoc.h"

#include <QTextBrowser>

namespace orvane {

// The result viewer: the HTML report of the document's last simulation, with its histogram bars,
// in a document window. It follows the addresses the workspace view sends through the
// document: the report when a run starts, report#anchor when a load point is clicked.
class CHTMLView : public QTextBrowser, public CDocObserver {
    Q_OBJECT
public:
    explicit CHTMLView(COrvaneDoc* doc, QWidget* parent = nullptr);
    ~CHTMLView() override;

    COrvaneDoc* GetDocument() const { return m_doc; }

    // Shows the document's last report, if it has one.
    void OnInitialUpdate();
    // A path or path#anchor. A path that does not exist shows a page saying so.
    void Navigate(const QString& address);
    // What Navigate was last asked for.
    QString Address() const { return m_address; }
    // The anchor the view last scrolled to; empty when none.
    QString CurrentAnchor() const { return m_anchor; }

    void OnDocumentUpdate(CDocObserver* sender, const std::string* hint) override;

    static QString MissingPage(const QString& path);
    // Whether the shown page defines the anchor.
    bool HasAnchor(const QString& anchor) const;

private:
    COrvaneDoc* m_doc;
    QString m_address;
    QString m_anchor;
};

} // namespace orvane
