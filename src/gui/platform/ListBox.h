#pragma once

#include <QListWidget>

namespace wareloom {

// A single-selection list box that tells its dialog when the user changes the
// selection with the mouse or the keyboard, and also when the user clicks the
// line that is already selected. Changes the program makes itself, and the
// focus cursor the view places on its own, are not told.
class ListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // The selected line, or -1.
    int selectedRow() const;

Q_SIGNALS:
    void selectionChangedByUser();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace wareloom
