// TDsFancyButton: a self-drawn push button (capsule, oval or rounded rectangle) whose face is a
// set of concentric gradient rings, with a shadowed caption and an optional glyph strip.
// The shape is the hit area: the button lights up and goes down only over its outline.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <vector>

class QPainter;
class QShortcut;
class QTimer;

enum TFrameStyle : unsigned char { fmNone, fmGradient };
enum TBtnShape : unsigned char { btnCapsule, btnOval, btnRectangle };
enum TTextStyle : unsigned char { txPlain, txLowered, txRaised, txShadowed };
enum TGlyphStyle : unsigned char { gsNormal, gsRaised, gsLowered };
enum TBmpLayout : unsigned char { lyLeft, lyTop, lyRight, lyBottom, lyCenter };

// Appearance of a fancy button. Every setter fires OnEffectChange, also when the value is the
// one already stored (a form writes each property once and expects one repaint per write).
class TDsEffect : public QObject {
    Q_OBJECT
public:
    explicit TDsEffect(QObject* parent = nullptr);
    TBtnShape Shape() const { return FShape; }
    int CornerRadius() const { return FCornerRadius; }
    int FrameWidth() const { return FFrameWidth; }
    QColor HoverColor() const { return FHoverColor; }
    TTextStyle TextStyle() const { return FTextStyle; }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void setShape(TBtnShape v);
    void setCornerRadius(int v);  // kept in 0..145
    void setFrameWidth(int v);    // kept in 3..14
    void setHoverColor(const QColor& v);
    void setTextStyle(TTextStyle v);
    void setFrameStyle(TFrameStyle v);
signals:
    void OnEffectChange(QObject* Sender);

private:
    void NotifyEffectChange() { emit OnEffectChange(this); }

    TBtnShape FShape = btnRectangle;
    int FCornerRadius = 3;
    int FFrameWidth = 6;
    QColor FHoverColor = QColor(0, 0, 255);
    TTextStyle FTextStyle = txLowered;
    TFrameStyle FFrameStyle = fmGradient;
};

// Glyph strip of a fancy button: Number images of equal width side by side
// (1 normal, 2 disabled, 3 down, 4 hover).
class TDsGlyph : public QObject {
    Q_OBJECT
public:
    explicit TDsGlyph(QObject* parent = nullptr);
    const QImage& Glyph() const { return FGlyph; }
    TBmpLayout Layout() const { return FLayout; }
    int Number() const { return FNumber; }
    int Distance() const { return FDistance; }
    TGlyphStyle GlyphStyle() const { return FGlyphStyle; }
    void setGlyph(const QImage& v);  // copied into the owned strip
    void setLayout(TBmpLayout v);
    void setNumber(int v);    // kept in 1..4
    void setDistance(int v);  // kept >= 0
    void setGlyphStyle(TGlyphStyle v);
signals:
    void OnGlyphChange(QObject* Sender);

private:
    void NotifyGlyphChange() { emit OnGlyphChange(this); }

    QImage FGlyph;
    TBmpLayout FLayout = lyLeft;
    unsigned char FNumber = 1;
    int FDistance = 0;
    TGlyphStyle FGlyphStyle = gsNormal;
};

class TDsFancyButton : public QWidget {
    Q_OBJECT
public:
    explicit TDsFancyButton(QWidget* parent = nullptr);
    ~TDsFancyButton() override;

    TDsEffect* FancyEffects() const { return FFancyEffects; }
    TDsGlyph* Glyphs() const { return FGlyphs; }
    QString Caption() const { return FCaption; }
    void setCaption(const QString& v);
    QColor Color() const { return FColor; }
    void setColor(const QColor& v);
    bool Pushed() const { return FPushed; }
    bool MouseInShape() const { return FMouseInShape; }
    int ImageState() const { return FImageState; }
    int CellWidth() const { return FCellWidth; }
    QPoint GlyphPos() const { return {FGlyphX, FGlyphY}; }
    QPoint CaptionPos() const { return {FCaptionX, FCaptionY}; }
    QColor GlyphKeyColor() const { return FGlyphKeyColor; }

    // While a form is still being composed, property writes on the sub-objects do not repaint.
    bool Loading() const { return FLoading; }
    void setLoading(bool v) { FLoading = v; }

    // Adds amount to each of red, green and blue, clamped to 255 (amount > 0) or 0 (otherwise).
    static QColor ShiftColor(const QColor& colour, int amount);
    // Whether the client point lies on the button's outline (its hit area).
    bool PointInShape(int x, int y) const;

    // Draws the button down for `ms` milliseconds, as a key standing for it does. A mouse press
    // in that time takes over: the button then stays down until the mouse lets it go.
    void ShowPushedBriefly(int ms = 120);
    // What a click does, for a key standing for the button: when the button is enabled, shows it
    // down for a moment and fires OnClick; a disabled button does nothing. True when it clicked.
    bool AnimateClick();

    // Whether the button shows that it has the focus: it has it, and the focus has been moved
    // with Tab or Shift+Tab in its window (a window played with the mouse alone shows nothing).
    bool FocusShown() const;

    // One horizontal run [x0, x1) of pixels on row y.
    struct Span {
        int y, x0, x1;
    };
    // Pixels of a rounded rectangle over [r.left, r.right) x [r.top, r.bottom) (right and bottom
    // exclusive) whose corners are quarters of an ew x eh ellipse; ew = width and eh = height
    // gives the ellipse in the rectangle. Row by row, symmetric left-right and top-bottom.
    static std::vector<Span> RoundRectSpans(int left, int top, int right, int bottom, int ew, int eh);

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

public slots:
    void PartsChanged(QObject* Sender);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void changeEvent(QEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void MouseLeft();
    void Click();
    void UpdateAccelerator();
    void DrawFace(QPainter& p, int k);
    void DrawGradientFrame(QPainter& p, int k);
    void DrawInnerEdge(QPainter& p, int k);
    void ArrangeContent(const QSize& caption);
    void DrawGlyph(QPainter& p);
    void DrawCaption(QPainter& p, const QSize& caption);
    void DrawFocusRing(QPainter& p);
    // Corner ellipse of the base face and of PointInShape for a W x H rectangle, with k pixels
    // per button pixel.
    void CornerEllipse(int w, int h, int& ew, int& eh, int k = 1) const;

    TDsEffect* FFancyEffects;
    TDsGlyph* FGlyphs;
    QString FCaption;
    QColor FColor;
    bool FPushed = false;
    bool FMouseInShape = false;
    bool FMouseInRect = false;
    bool FInClick = false;        // the click's handler is running
    bool FPushedBriefly = false;  // down for a moment by ShowPushedBriefly, not by the mouse
    QTimer* FBriefTimer = nullptr;
    bool FLoading = false;
    int FCellWidth = 0;
    int FImageState = 1;
    int FGlyphX = 0, FGlyphY = 0;
    QColor FGlyphKeyColor;
    int FCaptionX = 0, FCaptionY = 0;
    QShortcut* FAccelerator = nullptr;
    // The face and gradient rings drawn last, with what they were drawn from: they change only
    // with the state, the colour, the shape and the size, while hover and the counters repaint
    // the button far more often.
    struct ChaveDaMoldura {
        QSize tamanho;
        QRgb cor = 0;
        bool apertado = false, mouseNaForma = false;
        int forma = 0, largura = 0, raio = 0;
        qreal escala = 1;
        bool operator==(const ChaveDaMoldura&) const = default;
    };
    ChaveDaMoldura FChaveDaMoldura;
    QImage FMoldura;
};
