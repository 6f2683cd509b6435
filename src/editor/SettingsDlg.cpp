#include "editor/SettingsDlg.h"

#include "model/WorkspaceSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

struct SizeChoice {
    const char* caption;
    int width;
    int height;
};

// "1024*786" and "1290*960" are the sizes these buttons have always set.
constexpr SizeChoice kSizeChoices[] = {
    {"640*480", 640, 480},     {"800*600", 800, 600},   {"1024*786", 1024, 786},
    {"1152*864", 1152, 864},   {"1290*960", 1290, 960}, {"1600*1200", 1600, 1200},
    {"1920*1440", 1920, 1440}, {"&Default", 780, 430},
};

QLabel* WrappedText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CSettingsDlg::CSettingsDlg(CWorkspaceSettings& settings, QWidget* parent)
    : CDataDialog(tr("Workspace options"), parent), m_settings(settings) {
    auto* sizeGroup = new QGroupBox(tr("Workspace size"), this);
    auto* sizeForm = new QFormLayout(sizeGroup);
    m_width = new QLineEdit(QString::number(settings.width), sizeGroup);
    m_height = new QLineEdit(QString::number(settings.height), sizeGroup);
    sizeForm->addRow(tr("Horizontal (pixels)"), m_width);
    sizeForm->addRow(tr("Verticle (pixels)"), m_height);

    auto* optionsGroup = new QGroupBox(tr("Size options"), this);
    auto* optionsGrid = new QGridLayout(optionsGroup);
    auto* sizeButtons = new QButtonGroup(this);
    for (size_t i = 0; i < m_sizes.size(); ++i) {
        const SizeChoice& choice = kSizeChoices[i];
        m_sizes[i] = new QRadioButton(tr(choice.caption), optionsGroup);
        sizeButtons->addButton(m_sizes[i]);
        optionsGrid->addWidget(m_sizes[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
        connect(m_sizes[i], &QRadioButton::clicked, this, [this, choice] {
            m_width->setText(QString::number(choice.width));
            m_height->setText(QString::number(choice.height));
        });
    }

    auto* redrawGroup = new QGroupBox(tr("Screen redraw"), this);
    auto* redrawLayout = new QVBoxLayout(redrawGroup);
    m_regional = new QRadioButton(tr("&Regional redraw"), redrawGroup);
    m_full = new QRadioButton(tr("&Full screen redraw (Default)"), redrawGroup);
    (settings.regionalRedraw ? m_regional : m_full)->setChecked(true);
    redrawLayout->addWidget(m_regional);
    redrawLayout->addWidget(m_full);
    redrawLayout->addWidget(WrappedText(
        tr("Regional screen redraw only update a particular area as opposed to full screen redraw "
           "that update the whole screen. Regional redraw might cause artifacts while full screen "
           "redraw is much slower."),
        redrawGroup));

    auto* adaptiveGroup = new QGroupBox(tr("Adaptive drawing"), this);
    auto* adaptiveLayout = new QVBoxLayout(adaptiveGroup);
    adaptiveLayout->addWidget(WrappedText(tr("Adaptive drawing help user to precisely draw widgets "
                                             "such as cricuit breaker on screen."),
                                          adaptiveGroup));
    m_adaptive = new QCheckBox(tr("&Enable"), adaptiveGroup);
    m_adaptive->setChecked(settings.adaptiveDrawing != 0);
    adaptiveLayout->addWidget(m_adaptive);

    auto* snapGroup = new QGroupBox(tr("Snap Drawing"), this);
    auto* snapLayout = new QVBoxLayout(snapGroup);
    snapLayout->addWidget(WrappedText(
        tr("Snap drawing create a virtual grid behind the workspace so widgets would be properly "
           "placed on workspace. Higher px value will waste more workspace while setting it to 0 "
           "px to disable snap drawing."),
        snapGroup));
    m_snap = new QComboBox(snapGroup);
    for (int pitch = 0; pitch <= kMaxSnap; ++pitch)
        m_snap->addItem(QString::number(pitch));
    // A pitch set beyond the list opens with no entry chosen and is kept unless one is.
    m_snap->setCurrentIndex(
        settings.snapPixel >= 0 && settings.snapPixel <= kMaxSnap ? settings.snapPixel : -1);
    auto* snapForm = new QFormLayout;
    snapForm->addRow(tr("Snap pixel"), m_snap);
    snapLayout->addLayout(snapForm);

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSettingsDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(sizeGroup);
    left->addWidget(optionsGroup);
    left->addWidget(adaptiveGroup);
    auto* right = new QVBoxLayout;
    right->addWidget(redrawGroup);
    right->addWidget(snapGroup);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

bool CSettingsDlg::Store() {
    int32_t width = 0;
    int32_t height = 0;
    if (!ReadInteger(m_width, tr("Horizontal (pixels)"), 0, kMaxSize, width) ||
        !ReadInteger(m_height, tr("Verticle (pixels)"), 0, kMaxSize, height))
        return false;
    m_settings.width = static_cast<uint32_t>(width);
    m_settings.height = static_cast<uint32_t>(height);
    m_settings.regionalRedraw = m_regional->isChecked();
    m_settings.adaptiveDrawing = m_adaptive->isChecked() ? 1 : 0;
    if (m_snap->currentIndex() >= 0)
        m_settings.snapPixel = m_snap->currentIndex();
    return true;
}

} // namespace orvane
