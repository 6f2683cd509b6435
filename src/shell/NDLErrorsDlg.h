#pragma once

#include "model/WidgetCollection.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

namespace orvane {

// The list inside the "NDL Errors" bar: one line per component the connection check refused, or
// the error a run found in the network. A double click hands the component to the view the list
// was filled for.
class CNDLErrorsDlg : public QWidget {
    Q_OBJECT
public:
    using SelectHandler = std::function<void(CWidget*)>;

    explicit CNDLErrorsDlg(QWidget* parent = nullptr);

    // The view to select in: the handler runs only while `view` exists.
    void SetView(QObject* view, SelectHandler select);
    // Fills the list: widgets and lines at the same positions (the generator's lists).
    void ShowNotConnected(const CWidgetCollection& widgets, const std::vector<std::string>& lines);
    // One line that stands for no component.
    void ShowLine(const QString& line);
    void Clear();

    QListWidget* List() const { return m_list; }
    int Count() const;
    QString LineAt(int row) const;
    CWidget* WidgetAt(int row) const;
    // What a double click on the row does.
    void Activate(int row);

private:
    QListWidget* m_list;
    std::vector<CWidget*> m_widgets;
    QPointer<QObject> m_view;
    SelectHandler m_select;
};

} // namespace orvane
