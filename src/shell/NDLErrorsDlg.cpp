#include "shell/NDLErrorsDlg.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace orvane {

CNDLErrorsDlg::CNDLErrorsDlg(QWidget* parent) : QWidget(parent), m_list(new QListWidget) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Activate(m_list->row(item)); });
}

void CNDLErrorsDlg::SetView(QObject* view, SelectHandler select) {
    m_view = view;
    m_select = std::move(select);
}

void CNDLErrorsDlg::ShowNotConnected(const CWidgetCollection& widgets,
                                     const std::vector<std::string>& lines) {
    Clear();
    for (int i = 0; i < widgets.GetSize(); ++i) {
        m_widgets.push_back(widgets.GetAt(i));
        const auto at = static_cast<size_t>(i);
        m_list->addItem(at < lines.size() ? QString::fromStdString(lines[at]) : QString());
    }
}

void CNDLErrorsDlg::ShowLine(const QString& line) {
    Clear();
    m_widgets.push_back(nullptr);
    m_list->addItem(line);
}

void CNDLErrorsDlg::Clear() {
    m_list->clear();
    m_widgets.clear();
}

int CNDLErrorsDlg::Count() const {
    return m_list->count();
}

QString CNDLErrorsDlg::LineAt(int row) const {
    const QListWidgetItem* item = m_list->item(row);
    return item ? item->text() : QString();
}

CWidget* CNDLErrorsDlg::WidgetAt(int row) const {
    return row >= 0 && static_cast<size_t>(row) < m_widgets.size()
               ? m_widgets[static_cast<size_t>(row)]
               : nullptr;
}

void CNDLErrorsDlg::Activate(int row) {
    CWidget* widget = WidgetAt(row);
    // The list outlives its view when the network window is closed.
    if (widget && m_view && m_select)
        m_select(widget);
}

} // namespace orvane
