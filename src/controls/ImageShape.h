// TImageShape: a picture control that gives its parent window the picture's outline (every pixel
// whose colour differs from the picture's bottom-left pixel) and lets the user drag the window
// by the picture. A picture with a device pixel ratio of 2 is drawn and outlined at that
// resolution.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

enum TAlign : unsigned char { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TProgressStage : unsigned char { psStarting, psRunning, psEnding };

class TImageShape : public QWidget {
    Q_OBJECT
public:
    explicit TImageShape(QWidget* parent = nullptr);
    ~TImageShape() override;

    const QImage& Picture() const { return FPicture; }
    void setPicture(const QImage& v);  // shared, as Qt images are; rebuilds the window shape
    bool Movable() const { return FMovable; }
    void setMovable(bool v) { FMovable = v; }

    bool Center() const { return FCenter; }
    void setCenter(bool v);
    bool Stretch() const { return FStretch; }
    void setStretch(bool v);
    bool Proportional() const { return FProportional; }
    void setProportional(bool v);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool v);
    bool IncrementalDisplay() const { return FIncrementalDisplay; }
    void setIncrementalDisplay(bool v) { FIncrementalDisplay = v; }
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool v) { FAutoSize = v; }
    TAlign Align() const { return FAlign; }
    void setAlign(TAlign v) { FAlign = v; }

    bool MoveActive() const { return FMoveActive; }
    bool PaintActive() const { return FPaintActive; }
    // This control's part of the parent window's mask, in the parent's client coordinates.
    const QRegion& ShapeRegion() const { return FShapeRegion; }

    // The rectangle, in client coordinates, into which the picture is drawn.
    QRect PictureRect() const;
    // Every pixel inside `pictureRect` whose colour differs from the key colour (the bottom-left
    // pixel of `source` at its natural size), with `source` scaled into `pictureRect`; clipped to
    // the client rectangle. Client coordinates.
    static QRegion BuildOpaqueRegion(const QImage& source, const QRect& clientRect, const QRect& pictureRect);
    // The same with the key colour given, in the picture's own pixels.
    static QRegion OpaqueRegion(const QImage& source, QRgb key, const QRect& clientRect,
                                const QRect& pictureRect);
    // Answer to the auto-size query: the picture's width and/or height, according to Align.
    bool CanAutoSize(int& NewWidth, int& NewHeight) const;
    // Forwarded loading progress of the picture.
    void PictureProgress(QObject* Sender, TProgressStage Stage, unsigned char PercentDone, bool RedrawNow,
                         const QRect& R, const QString& Msg);

signals:
    void OnProgress(QObject* Sender, TProgressStage Stage, unsigned char PercentDone, bool RedrawNow,
                    const QRect& R, const QString& Msg);
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyDeviceShape();
    void PictureUpdated();
    void ApplyShape();
    static bool OnWayland();

    QPoint FLastCursorPos;
    bool FMoveActive = false;
    bool FMovable = true;
    QImage FPicture;
    QImage FDisplayPicture;  // the picture ready to paint (key colour left out when Transparent)
    bool FStretch = false;
    bool FCenter = false;
    bool FIncrementalDisplay = false;
    bool FTransparent = false;
    bool FPaintActive = false;
    bool FProportional = false;
    bool FAutoSize = false;
    TAlign FAlign = alNone;
    QRegion FShapeRegion;
    QRegion FOwnShape;  // the last shape built, in client coordinates (for translucent windows)
    QRegion FDeviceShape;
};
