// TImageShape: a picture control that gives its top-level window the picture's outline and lets
// the user drag the window by it. Stand-in with the final interface.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

class TImageShape : public QWidget {
    Q_OBJECT
public:
    explicit TImageShape(QWidget* parent = nullptr);
    const QImage& Picture() const { return FPicture; }
    void setPicture(const QImage& v);  // copies; rebuilds the window shape
    bool Movable() const { return FMovable; }
    void setMovable(bool v) { FMovable = v; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QImage FPicture;
    bool FMovable = true;
    bool FMoveActive = false;
    QPoint FLastCursorPos;
};
