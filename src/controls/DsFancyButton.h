// TDsFancyButton: a self-drawn push button (capsule, oval or rounded rectangle).
// Stand-in with the final interface; the full drawing and interaction come with the controls work.
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QWidget>

enum TFrameStyle : unsigned char { fmNone, fmGradient };
enum TBtnShape : unsigned char { btnCapsule, btnOval, btnRectangle };
enum TTextStyle : unsigned char { txPlain, txLowered, txRaised, txShadowed };
enum TGlyphStyle : unsigned char { gsNormal, gsRaised, gsLowered };
enum TBmpLayout : unsigned char { lyLeft, lyTop, lyRight, lyBottom, lyCenter };

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
    void setCornerRadius(int v);
    void setFrameWidth(int v);
    void setHoverColor(const QColor& v);
    void setTextStyle(TTextStyle v);
    void setFrameStyle(TFrameStyle v);
signals:
    void OnEffectChange(QObject* Sender);

private:
    TBtnShape FShape = btnRectangle;
    int FCornerRadius = 3;
    int FFrameWidth = 6;
    QColor FHoverColor = QColor(0, 0, 255);
    TTextStyle FTextStyle = txLowered;
    TFrameStyle FFrameStyle = fmGradient;
};

class TDsGlyph : public QObject {
    Q_OBJECT
public:
    explicit TDsGlyph(QObject* parent = nullptr);
    const QImage& Glyph() const { return FGlyph; }
    TBmpLayout Layout() const { return FLayout; }
    int Number() const { return FNumber; }
    int Distance() const { return FDistance; }
    TGlyphStyle GlyphStyle() const { return FGlyphStyle; }
    void setGlyph(const QImage& v);
    void setLayout(TBmpLayout v);
    void setNumber(int v);
    void setDistance(int v);
    void setGlyphStyle(TGlyphStyle v);
signals:
    void OnGlyphChange(QObject* Sender);

private:
    QImage FGlyph;
    TBmpLayout FLayout = lyLeft;
    int FNumber = 1;
    int FDistance = 0;
    TGlyphStyle FGlyphStyle = gsNormal;
};

class TDsFancyButton : public QWidget {
    Q_OBJECT
public:
    explicit TDsFancyButton(QWidget* parent = nullptr);
    TDsEffect* FancyEffects() const { return FFancyEffects; }
    TDsGlyph* Glyphs() const { return FGlyphs; }
    QString Caption() const { return FCaption; }
    void setCaption(const QString& v);
    QColor Color() const { return FColor; }
    void setColor(const QColor& v);
    bool Pushed() const { return FPushed; }
    bool MouseInShape() const { return FMouseInShape; }
signals:
    void OnClick();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    TDsEffect* FFancyEffects;
    TDsGlyph* FGlyphs;
    QString FCaption;
    QColor FColor;
    bool FPushed = false;
    bool FMouseInShape = false;
};
