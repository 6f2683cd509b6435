#include "editor/NDLDisplayDialog.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {

CNDLDisplayDialog::CNDLDisplayDialog(const std::string& text, TextSource source, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)), m_text(new QPlainTextEdit(this)),
      m_update(new QPushButton(tr("&Update"), this)) {
    setWindowTitle(tr("Network NDL"));
    setModal(false);
    m_text->setReadOnly(true);
    // The theme's fixed font, or any fixed font where the platform names none.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    m_text->setFont(font);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_update->setAutoDefault(false);
    connect(m_update, &QPushButton::clicked, this, &CNDLDisplayDialog::Update);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_update);

    // Narrow, and toward the right of the screen so that it leaves the drawing in view.
    resize(320, 560);
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - 24, area.top() + 80);
    }
    SetText(text);
}

void CNDLDisplayDialog::SetText(const std::string& text) {
    m_text->setPlainText(QString::fromStdString(text));
}

std::string CNDLDisplayDialog::Text() const {
    return m_text->toPlainText().toStdString();
}

void CNDLDisplayDialog::Update() {
    if (m_source)
        SetText(m_source());
}

} // namespace orvane
