// Minimal stand-ins so the window can be composed before the real controls exist.
#include "DsFancyButton.h"
#include "ImageShape.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

TDsEffect::TDsEffect(QObject* parent) : QObject(parent) {}
void TDsEffect::setShape(TBtnShape v) { FShape = v; emit OnEffectChange(this); }
void TDsEffect::setCornerRadius(int v) { FCornerRadius = v; emit OnEffectChange(this); }
void TDsEffect::setFrameWidth(int v) { FFrameWidth = v; emit OnEffectChange(this); }
void TDsEffect::setHoverColor(const QColor& v) { FHoverColor = v; emit OnEffectChange(this); }
void TDsEffect::setTextStyle(TTextStyle v) { FTextStyle = v; emit OnEffectChange(this); }
void TDsEffect::setFrameStyle(TFrameStyle v) { FFrameStyle = v; emit OnEffectChange(this); }

TDsGlyph::TDsGlyph(QObject* parent) : QObject(parent) {}
void TDsGlyph::setGlyph(const QImage& v) { FGlyph = v; emit OnGlyphChange(this); }
void TDsGlyph::setLayout(TBmpLayout v) { FLayout = v; emit OnGlyphChange(this); }
void TDsGlyph::setNumber(int v) { FNumber = v; emit OnGlyphChange(this); }
void TDsGlyph::setDistance(int v) { FDistance = v; emit OnGlyphChange(this); }
void TDsGlyph::setGlyphStyle(TGlyphStyle v) { FGlyphStyle = v; emit OnGlyphChange(this); }

TDsFancyButton::TDsFancyButton(QWidget* parent)
    : QWidget(parent), FFancyEffects(new TDsEffect(this)), FGlyphs(new TDsGlyph(this)),
      FColor(palette().color(QPalette::Button)) {
    resize(97, 25);
    setFocusPolicy(Qt::NoFocus);
}
void TDsFancyButton::setCaption(const QString& v) { FCaption = v; update(); }
void TDsFancyButton::setColor(const QColor& v) { FColor = v; update(); }
void TDsFancyButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setBrush(FPushed ? FColor.darker(130) : FColor);
    p.drawRoundedRect(rect().adjusted(0, 0, -1, -1), height() / 2, height() / 2);
    p.setPen(isEnabled() ? (FMouseInShape ? FFancyEffects->HoverColor() : palette().color(QPalette::WindowText))
                         : palette().color(QPalette::Button));
    p.drawText(rect(), Qt::AlignCenter, FCaption);
}
void TDsFancyButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::RightButton) { FPushed = true; update(); }
}
void TDsFancyButton::mouseReleaseEvent(QMouseEvent* e) {
    if (FPushed && rect().contains(e->position().toPoint())) emit OnClick();
    FPushed = false;
    update();
}
void TDsFancyButton::enterEvent(QEnterEvent*) { FMouseInShape = true; update(); }
void TDsFancyButton::leaveEvent(QEvent*) { FMouseInShape = false; FPushed = false; update(); }

TImageShape::TImageShape(QWidget* parent) : QWidget(parent) { resize(105, 105); }
void TImageShape::setPicture(const QImage& v) {
    FPicture = v;
    update();
    if (FPicture.isNull() || !window()) return;
    const QColor key = FPicture.pixelColor(0, FPicture.height() - 1);
    QBitmap keyMask = QBitmap::fromImage(FPicture.createMaskFromColor(key.rgb(), Qt::MaskOutColor));
    window()->setMask(QRegion(rect()).subtracted(QRegion(keyMask)).translated(pos()));
}
void TImageShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, FPicture);
}
void TImageShape::mousePressEvent(QMouseEvent* e) {
    FMoveActive = true;
    FLastCursorPos = e->globalPosition().toPoint();
}
void TImageShape::mouseMoveEvent(QMouseEvent* e) {
    if (!FMoveActive || !FMovable) return;
    const QPoint p = e->globalPosition().toPoint();
    window()->move(window()->pos() + (p - FLastCursorPos));
    FLastCursorPos = p;
}
void TImageShape::mouseReleaseEvent(QMouseEvent*) { FMoveActive = false; }
