#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

// Dialogs, menus and toolbars described as data, the way resource templates
// describe them; ResourceDialog turns them into windows.
namespace wareloom {

// A rectangle in dialog units: left, top, width, height.
struct DialogRect
{
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

enum class ControlKind {
    PushButton,
    DefaultPushButton,
    Edit,           // single line, bordered, scrolls horizontally
    Label,          // static text
    BorderedStatic, // static text in a thin border
    BlackFrame,     // empty rectangle drawn in black
    Icon,           // static showing ControlTemplate::image
    ListBox,        // single selection, not sorted, notifies its dialog
    ProgressBar,
};

// Style bits of a control; combine with |.
namespace ControlStyle {
enum : unsigned {
    None = 0,
    Centre = 1u << 0,   // text centred horizontally
    Right = 1u << 1,    // text right-aligned
    VCentre = 1u << 2,  // text centred vertically
    Border = 1u << 3,   // thin border
    Sunken = 1u << 4,   // sunken edge
    WordWrap = 1u << 5, // text wraps at word boundaries
};
}

struct ControlTemplate
{
    int id = -1; // IDC_STATIC for controls nothing refers to
    ControlKind kind = ControlKind::Label;
    QString text;
    DialogRect rect;
    unsigned style = ControlStyle::None;
    QIcon (*image)() = nullptr; // for ControlKind::Icon
};

// One line of a template each, in the manner of a resource script.
inline ControlTemplate defPushButton(int id, const QString& text, DialogRect rect)
{
    return {id, ControlKind::DefaultPushButton, text, rect, ControlStyle::None, nullptr};
}
inline ControlTemplate pushButton(int id, const QString& text, DialogRect rect)
{
    return {id, ControlKind::PushButton, text, rect, ControlStyle::None, nullptr};
}
inline ControlTemplate editText(int id, DialogRect rect)
{
    return {id, ControlKind::Edit, QString(), rect, ControlStyle::None, nullptr};
}
inline ControlTemplate label(int id, const QString& text, DialogRect rect,
                             unsigned style = ControlStyle::None)
{
    return {id, ControlKind::Label, text, rect, style, nullptr};
}
inline ControlTemplate borderedStatic(int id, const QString& text, DialogRect rect,
                                      unsigned style = ControlStyle::None)
{
    return {id, ControlKind::BorderedStatic, text, rect, style, nullptr};
}
inline ControlTemplate blackFrame(int id, DialogRect rect, unsigned style = ControlStyle::None)
{
    return {id, ControlKind::BlackFrame, QString(), rect, style, nullptr};
}
inline ControlTemplate iconStatic(int id, QIcon (*image)(), DialogRect rect)
{
    return {id, ControlKind::Icon, QString(), rect, ControlStyle::None, image};
}
inline ControlTemplate listBox(int id, DialogRect rect)
{
    return {id, ControlKind::ListBox, QString(), rect, ControlStyle::None, nullptr};
}
inline ControlTemplate progressBar(int id, DialogRect rect)
{
    return {id, ControlKind::ProgressBar, QString(), rect, ControlStyle::None, nullptr};
}

struct DialogTemplate
{
    QString caption;
    QString fontFamily;
    int pointSize = 8;
    QSize size;                            // client area in dialog units
    std::vector<ControlTemplate> controls; // in tab order
};

struct MenuEntry
{
    QString text;
    int commandId = 0;
};

struct MenuPopup
{
    QString text;
    std::vector<MenuEntry> entries;
};

using MenuTemplate = std::vector<MenuPopup>;

// A toolbar: one image strip cut into equal square-or-not buttons, left to
// right, each sending its command id.
struct ToolbarTemplate
{
    QImage strip;
    QSize buttonImage;
    std::vector<int> commandIds;
};

} // namespace wareloom
