#pragma once

#include <QFrame>
#include <QImage>

namespace wareloom {

// An item's picture, stretched over the whole frame (the aspect ratio is not
// kept); an empty frame when there is none. A file dropped on it is offered
// through fileDropped(), not shown: the dialog decides what happens to it.
class PicturePreview : public QFrame
{
    Q_OBJECT

public:
    explicit PicturePreview(QWidget* parent = nullptr);

    // The picture in the file, in any format Qt reads, recognised by its
    // content rather than its name (an item picture is always called .jpg).
    // None when the file cannot be read or holds no picture.
    void showFile(const QString& path);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

Q_SIGNALS:
    void fileDropped(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QImage m_picture;
};

} // namespace wareloom
