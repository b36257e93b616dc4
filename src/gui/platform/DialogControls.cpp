#include "gui/platform/DialogControls.h"

#include "gui/platform/ListBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace wareloom {
namespace {

Qt::Alignment textAlignment(unsigned style)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if (style & ControlStyle::Centre)
        alignment = Qt::AlignHCenter;
    else if (style & ControlStyle::Right)
        alignment = Qt::AlignRight;
    return alignment | ((style & ControlStyle::VCentre) ? Qt::AlignVCenter : Qt::AlignTop);
}

void setEdge(QFrame* frame, unsigned style)
{
    const bool border = style & ControlStyle::Border;
    const bool sunken = style & ControlStyle::Sunken;
    if (border && sunken)
        frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else if (sunken)
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else if (border)
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
}

QLabel* createStatic(const ControlTemplate& control, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(control.text);
    label->setAlignment(textAlignment(control.style));
    label->setWordWrap(control.style & ControlStyle::WordWrap);
    unsigned style = control.style;
    if (control.kind == ControlKind::BorderedStatic)
        style |= ControlStyle::Border;
    setEdge(label, style);
    return label;
}

QFrame* createBlackFrame(const ControlTemplate& control, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    // A sunken edge keeps the black line on its shadowed side.
    const bool sunken = control.style & ControlStyle::Sunken;
    frame->setFrameStyle(QFrame::Box | (sunken ? QFrame::Sunken : QFrame::Plain));
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Dark, Qt::black);
    frame->setPalette(palette);
    return frame;
}

QLabel* createIcon(const ControlTemplate& control, QWidget* parent)
{
    auto* label = new QLabel(parent);
    if (control.image)
        label->setPixmap(control.image().pixmap(32, 32));
    return label;
}

QPushButton* createButton(const ControlTemplate& control, QWidget* parent)
{
    auto* button = new QPushButton(control.text, parent);
    button->setAutoDefault(true);
    button->setDefault(control.kind == ControlKind::DefaultPushButton);
    return button;
}

QProgressBar* createProgressBar(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

} // namespace

QWidget* createControl(const ControlTemplate& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
        return createButton(control, parent);
    case ControlKind::Edit:
        return new QLineEdit(control.text, parent);
    case ControlKind::Label:
    case ControlKind::BorderedStatic:
        return createStatic(control, parent);
    case ControlKind::BlackFrame:
        return createBlackFrame(control, parent);
    case ControlKind::Icon:
        return createIcon(control, parent);
    case ControlKind::ListBox:
        return new ListBox(parent);
    case ControlKind::ProgressBar:
        return createProgressBar(parent);
    }
    return new QWidget(parent);
}

} // namespace wareloom
