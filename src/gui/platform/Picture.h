#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;

namespace wareloom {

// Every picture is drawn at this size, stretched: the aspect ratio is not kept.
inline constexpr QSize PictureDrawSize{350, 150};

// The picture in the file at path, in any format Qt reads, recognised by its
// content rather than its name (an item picture is always called .jpg).
// Null when the file cannot be read, is empty or holds no picture.
QImage LoadPictureFile(const QString& path);

// Shows the whole picture stretched to PictureDrawSize with its top-left
// corner at position in window's coordinates, on top of window's controls.
// The window keeps the picture and draws it again whenever it repaints; one
// picture per window, so a later call replaces it and a null picture removes it.
void DrawPicture(const QImage& picture, QWidget* window, QPoint position);

} // namespace wareloom
