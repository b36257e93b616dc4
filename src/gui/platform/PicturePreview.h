#pragma once

#include <QImage>
#include <QWidget>

namespace wareloom {

// A picture kept on a window: it paints its picture stretched over its whole
// rectangle, and nothing at all when it has none. Clicks go through it to
// whatever lies below.
class PicturePreview : public QWidget
{
    Q_OBJECT

public:
    explicit PicturePreview(QWidget* parent);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace wareloom
