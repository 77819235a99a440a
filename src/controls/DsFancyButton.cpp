#include "controls/DsFancyButton.h"

#include <QTimer>
#include "controls/botao_acessivel.h"
#include "controls/sem_cor_chave.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <cfenv>
#include <span>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// TDsEffect

TDsEffect::TDsEffect(QObject* parent) : QObject(parent) {}

void TDsEffect::setShape(TBtnShape v) {
    FShape = v;
    NotifyEffectChange();
}

void TDsEffect::setCornerRadius(int v) {
    FCornerRadius = std::clamp(v, 0, 145);
    NotifyEffectChange();
}

void TDsEffect::setFrameWidth(int v) {
    FFrameWidth = std::clamp(v, 3, 14);
    NotifyEffectChange();
}

void TDsEffect::setHoverColor(const QColor& v) {
    FHoverColor = v;
    NotifyEffectChange();
}

void TDsEffect::setTextStyle(TTextStyle v) {
    FTextStyle = v;
    NotifyEffectChange();
}

void TDsEffect::setFrameStyle(TFrameStyle v) {
    FFrameStyle = v;
    NotifyEffectChange();
}

// ---------------------------------------------------------------------------------------------
// TDsGlyph

TDsGlyph::TDsGlyph(QObject* parent) : QObject(parent) {}

void TDsGlyph::setGlyph(const QImage& v) {
    FGlyph = v.copy();
    NotifyGlyphChange();
}

void TDsGlyph::setLayout(TBmpLayout v) {
    FLayout = v;
    NotifyGlyphChange();
}

void TDsGlyph::setNumber(int v) {
    // Stored in one byte, as the strip never holds more than four images.
    FNumber = static_cast<unsigned char>(std::clamp(v, 1, 4));
    NotifyGlyphChange();
}

void TDsGlyph::setDistance(int v) {
    FDistance = std::max(v, 0);
    NotifyGlyphChange();
}

void TDsGlyph::setGlyphStyle(TGlyphStyle v) {
    FGlyphStyle = v;
    NotifyGlyphChange();
}

// ---------------------------------------------------------------------------------------------
// Geometry helpers

namespace {

// Pixels left out at each end of row `row` (0-based from the top) of a rounded rectangle of
// `height` rows whose corners are quarters of an ew x eh ellipse. A pixel belongs to the shape
// when its centre lies inside; rows are mirrored so the shape is exactly symmetric.
int rowInset(int row, int height, int ew, int eh) {
    if (ew <= 0 || eh <= 0) return 0;
    const int k = std::min(row, height - 1 - row);
    const double a = ew / 2.0;
    const double b = eh / 2.0;
    const double cy = k + 0.5;
    if (cy >= b) return 0;
    const double dy = (b - cy) / b;
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    return std::max(0, static_cast<int>(std::ceil(a - dx - 0.5 - 1e-9)));
}

// Round half to even, as the colour blend of the rings does.
int roundHalfEven(double v) {
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(old);
    return static_cast<int>(r);
}

// A line from (x0, y0) up to, not including, (x1, y1); horizontal or vertical only.
void lineTo(QPainter& p, int x0, int y0, int x1, int y1) {
    if (x0 == x1 && y0 == y1) return;
    if (x0 == x1) {
        const int end = y1 > y0 ? y1 - 1 : y1 + 1;
        p.drawLine(x0, y0, x0, end);
    } else if (y0 == y1) {
        const int end = x1 > x0 ? x1 - 1 : x1 + 1;
        p.drawLine(x0, y0, end, y0);
    }
}

// The pixels lineTo sets, each as a k x k block (a straight line gains nothing finer).
void lineTo(QPainter& p, int x0, int y0, int x1, int y1, int k, const QColor& c) {
    if (x0 == x1 && y0 == y1) return;
    if (x0 == x1) {
        const int a = y1 > y0 ? y0 : y1 + 1, b = y1 > y0 ? y1 - 1 : y0;
        p.fillRect(QRect(x0 * k, a * k, k, (b - a + 1) * k), c);
    } else if (y0 == y1) {
        const int a = x1 > x0 ? x0 : x1 + 1, b = x1 > x0 ? x1 - 1 : x0;
        p.fillRect(QRect(a * k, y0 * k, (b - a + 1) * k, k), c);
    }
}

void fillSpans(QPainter& p, const std::vector<TDsFancyButton::Span>& spans, const QColor& c) {
    for (const auto& s : spans) p.fillRect(QRect(s.x0, s.y, s.x1 - s.x0, 1), c);
}

using controles::SemCorChave;

// Kept on the window: whether the focus was ever moved there with Tab or Shift+Tab.
constexpr char kFocoVisivel[] = "focoVisivelPeloTeclado";

}  // namespace

std::vector<TDsFancyButton::Span> TDsFancyButton::RoundRectSpans(int left, int top, int right, int bottom,
                                                                 int ew, int eh) {
    std::vector<Span> spans;
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0) return spans;
    ew = std::min(ew, w);
    eh = std::min(eh, h);
    spans.reserve(h);
    for (int row = 0; row < h; ++row) {
        const int inset = rowInset(row, h, ew, eh);
        if (2 * inset >= w) continue;
        spans.push_back({top + row, left + inset, right - inset});
    }
    return spans;
}

// ---------------------------------------------------------------------------------------------
// TDsFancyButton

TDsFancyButton::TDsFancyButton(QWidget* parent)
    : QWidget(parent),
      FFancyEffects(new TDsEffect(this)),
      FGlyphs(new TDsGlyph(this)),
      FColor(QGuiApplication::palette().color(QPalette::Button)) {
    controles::InstalarAcessibilidadeDoBotao();
    connect(FFancyEffects, &TDsEffect::OnEffectChange, this, &TDsFancyButton::PartsChanged);
    connect(FGlyphs, &TDsGlyph::OnGlyphChange, this, &TDsFancyButton::PartsChanged);
    resize(97, 25);
    setMouseTracking(true);  // hover follows the outline, so every move matters
    // Reached by Tab, never by a click: a player who plays with the mouse moves no focus.
    setFocusPolicy(Qt::TabFocus);
}

TDsFancyButton::~TDsFancyButton() = default;

void TDsFancyButton::setCaption(const QString& v) {
    FCaption = v;
    UpdateAccelerator();
    update();
    // The caption is the button's name to a screen reader, unless a name of its own was given.
    // (Qt itself reports the enabled state changing.)
    if (accessibleName().isEmpty()) {
        QAccessibleEvent e(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&e);
    }
}

void TDsFancyButton::setColor(const QColor& v) {
    FColor = v.toRgb();
    update();
}

void TDsFancyButton::PartsChanged(QObject*) {
    if (!FLoading) update();
}

QColor TDsFancyButton::ShiftColor(const QColor& colour, int amount) {
    const QColor c = colour.toRgb();
    const auto shift = [amount](int v) {
        v += amount;
        return amount > 0 ? std::min(v, 255) : std::max(v, 0);
    };
    return QColor(shift(c.red()), shift(c.green()), shift(c.blue()));
}

void TDsFancyButton::CornerEllipse(int w, int h, int& ew, int& eh, int k) const {
    switch (FFancyEffects->Shape()) {
        case btnCapsule: ew = eh = std::min(w, h); break;
        case btnOval:
            ew = w;
            eh = h;
            break;
        default: ew = eh = 2 * FFancyEffects->CornerRadius() * k; break;
    }
}

bool TDsFancyButton::PointInShape(int x, int y) const {
    const int w = width(), h = height();
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    int ew, eh;
    CornerEllipse(w, h, ew, eh);
    const int inset = rowInset(y, h, std::min(ew, w), std::min(eh, h));
    return x >= inset && x < w - inset;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TDsFancyButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int number = std::max(1, FGlyphs->Number());
    FCellWidth = FGlyphs->Glyph().width() / number;
    p.setFont(font());
    if (FFancyEffects->FrameStyle() == fmGradient) {
        // Painted in the device's own pixels: on a screen scaled 2x the outline and the rings are
        // drawn at that resolution, not as 1x pixels blown up. A fractional ratio rounds to the
        // nearest whole one and the picture is fitted to the button.
        const qreal razao = p.device() ? p.device()->devicePixelRatioF() : devicePixelRatioF();
        const ChaveDaMoldura chave{size(),
                                   FColor.rgba(),
                                   FPushed,
                                   FMouseInShape,
                                   int(FFancyEffects->Shape()),
                                   FFancyEffects->FrameWidth(),
                                   FFancyEffects->CornerRadius(),
                                   razao};
        if (FMoldura.isNull() || !(chave == FChaveDaMoldura)) {
            // Every pixel of the face and rings is painted solid, without antialiasing, so the
            // picture laid over the button gives exactly the pixels of painting them in place.
            const int k = std::max(1, qRound(razao));
            FMoldura = QImage(size() * k, QImage::Format_ARGB32_Premultiplied);
            FMoldura.fill(Qt::transparent);
            QPainter m(&FMoldura);
            m.setRenderHint(QPainter::Antialiasing, false);
            DrawFace(m, k);
            m.setBrush(Qt::NoBrush);
            DrawGradientFrame(m, k);
            m.end();
            FMoldura.setDevicePixelRatio(k);
            FChaveDaMoldura = chave;
        }
        if (FMoldura.devicePixelRatio() == razao)
            p.drawImage(QPoint(0, 0), FMoldura);
        else
            p.drawImage(rect(), FMoldura);
    }
    p.setBrush(Qt::NoBrush);
    if (FocusShown()) DrawFocusRing(p);
    const QFontMetrics fm(font());
    const QSize caption(fm.horizontalAdvance(FCaption), fm.height());
    ArrangeContent(caption);
    if (FCellWidth > 0) DrawGlyph(p);
    DrawCaption(p, caption);
}

// The base face under the rings: a one-pixel outline and a fill over (0, 0) - (W - 1, H - 1).
// k device pixels per button pixel; the painter draws in device pixels.
void TDsFancyButton::DrawFace(QPainter& p, int k) {
    const QColor fill = FPushed ? ShiftColor(FColor, -65) : FColor;
    const QColor outline = FPushed ? ShiftColor(FColor, -5) : FColor;
    const int W = width() * k, H = height() * k;
    int ew, eh;
    CornerEllipse(W, H, ew, eh, k);
    const auto spans = RoundRectSpans(0, 0, W - k, H - k, ew, eh);
    fillSpans(p, spans, fill);
    if (outline == fill) return;
    // Outline: the pixels of each row that are not covered by both neighbouring rows.
    for (size_t i = 0; i < spans.size(); ++i) {
        const Span& s = spans[i];
        int in0 = s.x0 + 1, in1 = s.x1 - 1;
        if (i == 0 || i + 1 == spans.size()) {
            in0 = in1 = s.x0;
        } else {
            in0 = std::max({in0, spans[i - 1].x0, spans[i + 1].x0});
            in1 = std::min({in1, spans[i - 1].x1, spans[i + 1].x1});
        }
        if (in1 <= in0) {
            p.fillRect(QRect(s.x0, s.y, s.x1 - s.x0, 1), outline);
        } else {
            p.fillRect(QRect(s.x0, s.y, in0 - s.x0, 1), outline);
            p.fillRect(QRect(in1, s.y, s.x1 - in1, 1), outline);
        }
    }
}

// Rings one device pixel wide, k per button pixel: finer steps of the same gradient.
void TDsFancyButton::DrawGradientFrame(QPainter& p, int k) {
    const QColor face = FPushed ? FColor : (FMouseInShape ? ShiftColor(FColor, 10) : FColor);
    const QColor edge = ShiftColor(face, -80);
    const int n = FFancyEffects->FrameWidth() * k;
    const int o = FPushed ? 2 * k : 0;
    const int w = width() * k, h = height() * k;
    const TBtnShape shape = FFancyEffects->Shape();
    const int d = shape == btnCapsule ? std::min(w, h) : 2 * FFancyEffects->CornerRadius() * k;
    for (int i = 0; i < n; ++i) {
        if (FPushed && i > n / 3) break;
        const double t = std::sqrt(double(n * n - (n - i) * (n - i))) / n;
        const auto blend = [t](int e, int f) { return e + roundHalfEven((f - e) * t); };
        const QColor ring(blend(edge.red(), face.red()), blend(edge.green(), face.green()),
                          blend(edge.blue(), face.blue()));
        const int l = i + k + o, tp = i + k + o, r = w - i - k + o, b = h - i - k + o;
        int ew = 0, eh = 0;
        if (shape == btnOval) {
            ew = r - l;
            eh = b - tp;
        } else if (d - 2 * i > 0) {
            ew = eh = d - 2 * i;
        }
        fillSpans(p, RoundRectSpans(l, tp, r, b, ew, eh), ring);
    }
    DrawInnerEdge(p, k);
}

void TDsFancyButton::DrawInnerEdge(QPainter& p, int k) {
    const int w = width(), h = height();
    const QColor cor = ShiftColor(FColor, FPushed ? -10 : -15);
    p.setPen(QPen(cor, 1));
    p.setBrush(Qt::NoBrush);
    int rx, ry;
    switch (FFancyEffects->Shape()) {
        case btnOval:
            rx = w / 2;
            ry = h / 2;
            break;
        case btnCapsule: rx = ry = std::min(w, h) / 2; break;
        default: rx = ry = FFancyEffects->CornerRadius(); break;
    }
    if (k == 1) {
        // The top-left quarter of the ellipse bounded by (2, 2) - (2rx + 2, 2ry + 2), exclusive.
        if (rx > 0 && ry > 0) p.drawArc(QRect(2, 2, 2 * rx - 1, 2 * ry - 1), 90 * 16, 90 * 16);
        lineTo(p, 2, ry + 1, 2, h - ry - 1);
        lineTo(p, rx + 1, 2, w - rx - 1, 2);
        return;
    }
    // The same edge k device pixels thick: k nested one-pixel arcs, and the straight parts as
    // bands k pixels wide.
    for (int j = 0; j < k; ++j)
        if (rx > 0 && ry > 0)
            p.drawArc(QRect(2 * k + j, 2 * k + j, 2 * rx * k - 1 - 2 * j, 2 * ry * k - 1 - 2 * j), 90 * 16,
                      90 * 16);
    lineTo(p, 2, ry + 1, 2, h - ry - 1, k, cor);
    lineTo(p, rx + 1, 2, w - rx - 1, 2, k, cor);
}

// A ring in the hover colour just inside the outline, fading inwards: it follows the shape, and
// is drawn with antialiasing in the button's own coordinates, so a screen scaled 2x gets it as
// fine as its own pixels.
void TDsFancyButton::DrawFocusRing(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    const QRectF r = QRectF(rect()).adjusted(0, 0, -1, -1);  // the face ends a pixel short
    QColor cor = FFancyEffects->HoverColor();
    // Solid, then two fainter strokes further in: a glow rather than a drawn line. A small
    // button keeps the solid one alone, or the glow would cover its face.
    const struct {
        qreal dentro, largura;
        int alfa;
    } tracos[] = {{1.5, 2.0, 255}, {3.5, 2.0, 110}, {5.5, 2.0, 45}};
    const int quantos = std::clamp(std::min(width(), height()) / 20, 1, 3);
    for (const auto& t : std::span(tracos, size_t(quantos))) {
        const QRectF a = r.adjusted(t.dentro, t.dentro, -t.dentro, -t.dentro);
        if (a.width() <= 0 || a.height() <= 0) break;
        qreal rx, ry;
        switch (FFancyEffects->Shape()) {
            case btnCapsule: rx = ry = std::min(a.width(), a.height()) / 2; break;
            case btnOval:
                rx = a.width() / 2;
                ry = a.height() / 2;
                break;
            default: rx = ry = std::max<qreal>(0, FFancyEffects->CornerRadius() - t.dentro); break;
        }
        cor.setAlpha(t.alfa);
        p.setPen(QPen(cor, t.largura));
        p.drawRoundedRect(a, rx, ry);
    }
    p.restore();
}

bool TDsFancyButton::FocusShown() const {
    const QWidget* janela = window();
    return hasFocus() && janela && janela->property(kFocoVisivel).toBool();
}

void TDsFancyButton::focusInEvent(QFocusEvent* e) {
    // The ring shows once the player has moved the focus with the keyboard in this window, and
    // from then on wherever the focus goes (back after a spin, back from a dialog).
    if (e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason)
        window()->setProperty(kFocoVisivel, true);
    QWidget::focusInEvent(e);
    update();
}

void TDsFancyButton::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    update();
}

void TDsFancyButton::ArrangeContent(const QSize& caption) {
    const int w = width(), h = height();
    const int gw = FGlyphs->Glyph().width() / std::max(1, FGlyphs->Number());
    const int gh = FGlyphs->Glyph().isNull() ? 0 : FGlyphs->Glyph().height();
    const int tw = caption.width(), th = caption.height();
    const int d = FGlyphs->Distance();
    switch (FGlyphs->Layout()) {
        case lyLeft:
            FGlyphX = d + gw + tw < w ? (w - gw - d - tw) / 2 : 0;
            FGlyphY = h > gh ? (h - gh) / 2 - 1 : 0;
            FCaptionX = FGlyphX + gw + d;
            FCaptionY = (h - th) / 2 - 1;
            break;
        case lyRight: {
            const int m = d + gw + tw < w ? (w - gw - d - tw) / 2 : 0;
            FGlyphX = w - gw - m;
            FGlyphY = h > gh ? (h - gh) / 2 - 1 : 0;
            FCaptionX = FGlyphX - tw - d;
            FCaptionY = (h - th) / 2 - 1;
            break;
        }
        case lyTop:
            FGlyphX = gw < w ? (w - gw) / 2 : 0;
            FGlyphY = gh + d + th < h ? (h - gh - d - th) / 2 - 1 : 0;
            FCaptionX = (w - tw) / 2;
            FCaptionY = FGlyphY + gh + d;
            break;
        case lyBottom: {
            FGlyphX = gw < w ? (w - gw) / 2 : 0;
            const int m = gh + d + th < h ? (h - gh - d - th) / 2 : 0;
            FGlyphY = h - gh - m;
            FCaptionX = (w - tw) / 2;
            FCaptionY = FGlyphY - d - th;
            break;
        }
        case lyCenter:
            FGlyphX = gw < w ? (w - gw) / 2 : 0;
            FGlyphY = h > gh ? (h - gh) / 2 : 0;
            FCaptionX = (w - tw) / 2;
            FCaptionY = (h - th) / 2;
            break;
    }
}

void TDsFancyButton::DrawGlyph(QPainter& p) {
    const QImage& strip = FGlyphs->Glyph();
    const int gh = strip.height();
    QRect r(FGlyphX, FGlyphY, FCellWidth, gh);
    if (FPushed) r.translate(1, 1);
    const int image = FImageState <= FGlyphs->Number() ? FImageState : 1;
    const QImage cell =
        strip.copy((image - 1) * FCellWidth, 0, FCellWidth, gh).convertToFormat(QImage::Format_RGB32);
    const QRgb key = cell.pixel(0, gh - 1) & 0xFFFFFF;

    const TGlyphStyle style = FGlyphs->GlyphStyle();
    if (FPushed || style != gsNormal) {
        QColor first = style == gsRaised ? ShiftColor(FColor, 20) : ShiftColor(FColor, -30);
        if (FPushed) first = ShiftColor(FColor, -50);
        QColor second = style == gsRaised    ? ShiftColor(FColor, -50)
                        : style == gsLowered ? ShiftColor(FColor, 25)
                                             : first;
        if (FPushed) second = ShiftColor(FColor, 20);
        // A silhouette: every pixel that is not the key takes one colour; the key stays out.
        const auto silhouette = [&](const QColor& c) {
            QImage s(cell.size(), QImage::Format_ARGB32);
            const QRgb v = c.rgb();
            for (int y = 0; y < gh; ++y) {
                const auto* src = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
                auto* dst = reinterpret_cast<QRgb*>(s.scanLine(y));
                for (int x = 0; x < FCellWidth; ++x) dst[x] = (src[x] & 0xFFFFFF) == key ? 0 : v;
            }
            return s;
        };
        p.drawImage(r.left() - 1, r.top() - 1, silhouette(first));
        p.drawImage(r.left() + 1, r.top() + 1, silhouette(second));
    }
    // The strip's own transparent colour is the bottom-left pixel of image 1.
    FGlyphKeyColor = QColor::fromRgb(strip.pixel(0, gh - 1)).toRgb();
    p.drawImage(r.topLeft(), SemCorChave(cell, FGlyphKeyColor.rgb()));
}

void TDsFancyButton::DrawCaption(QPainter& p, const QSize& caption) {
    p.setBrush(Qt::NoBrush);
    p.setFont(font());
    const QColor main =
        FMouseInShape && !FPushed ? FFancyEffects->HoverColor() : palette().color(QPalette::WindowText);
    const QRect t(FCaptionX, FCaptionY, caption.width(), caption.height());
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const TTextStyle style = FFancyEffects->TextStyle();
    const int push = FPushed ? 1 : 0;
    if (style != txPlain) {
        QColor shadow;
        QPoint off;
        switch (style) {
            case txLowered:
                shadow = ShiftColor(FColor, 25);
                off = QPoint(1, 1);
                break;
            case txRaised:
                shadow = ShiftColor(FColor, 25);
                off = QPoint(-1, -1);
                break;
            default:
                shadow = ShiftColor(FColor, -50);
                off = QPoint(2, 2);
                break;
        }
        p.setPen(shadow);
        p.drawText(t.translated(off + QPoint(push, push)), flags, FCaption);
    }
    QColor colour = main;
    if (!isEnabled()) {
        const QPalette& sys = QGuiApplication::palette();
        colour = style == txShadowed ? sys.color(QPalette::Button) : sys.color(QPalette::Dark);
    }
    p.setPen(colour);
    p.drawText(t.translated(push, push), flags, FCaption);
}

// ---------------------------------------------------------------------------------------------
// Interaction

void TDsFancyButton::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TDsFancyButton> self(this);
    emit OnMouseDown(e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    // The press itself says where the pointer is: after a modal dialog closes no enter or move
    // event arrives until the pointer moves, and a player clicks again where they are.
    FMouseInRect = rect().contains(pos);
    FMouseInShape = PointInShape(pos.x(), pos.y());
    if ((e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton) && FMouseInShape) {
        FPushedBriefly = false;  // the mouse holds it now
        FPushed = true;
        FImageState = 3;
        update();
    }
}

// A double click is a second press.
void TDsFancyButton::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void TDsFancyButton::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TDsFancyButton> self(this);
    emit OnMouseMove(e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    // The toolkit holds the mouse for us while a button is down, so leaving the rectangle shows
    // up here rather than as a leave event; it cancels a press exactly like leaving does.
    const bool inRect = rect().contains(pos);
    if (!inRect && FMouseInRect) {
        FMouseInRect = false;
        MouseLeft();
        return;
    }
    if (inRect) FMouseInRect = true;
    if (FPushed) return;  // hover is frozen while held
    if (PointInShape(pos.x(), pos.y())) {
        FMouseInShape = true;
        if (FImageState != 4) {
            FImageState = 4;
            update();
        }
    } else {
        FMouseInShape = false;
        if (FImageState != 1) {
            FImageState = 1;
            update();
        }
    }
}

void TDsFancyButton::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TDsFancyButton> self(this);
    emit OnMouseUp(e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    if ((e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton) && FMouseInShape) {
        // The handler runs while the button is still drawn down, even when it opens a modal
        // dialog (whose opening sends this button a leave event).
        FInClick = true;
        Click();
        if (!self) return;
        FInClick = false;
        FPushed = false;
        update();
    }
}

void TDsFancyButton::enterEvent(QEnterEvent*) { FMouseInRect = true; }

void TDsFancyButton::leaveEvent(QEvent*) {
    FMouseInRect = false;
    MouseLeft();
}

void TDsFancyButton::MouseLeft() {
    FMouseInShape = false;
    if (FInClick) return;  // stays down until its own handler returns
    FImageState = isEnabled() ? 1 : 2;
    FPushed = false;
    FPushedBriefly = false;
    update();
}

void TDsFancyButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        FImageState = isEnabled() ? 1 : 2;
        // A disabled button takes no mouse input at all: it goes to whatever lies beneath.
        setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
        if (FAccelerator) FAccelerator->setEnabled(isEnabled());
        update();
    }
    QWidget::changeEvent(e);
}

void TDsFancyButton::Click() { emit OnClick(); }

void TDsFancyButton::ShowPushedBriefly(int ms) {
    if (FPushed && !FPushedBriefly) return;  // already held down by the mouse
    if (!FBriefTimer) {
        FBriefTimer = new QTimer(this);
        FBriefTimer->setSingleShot(true);
        connect(FBriefTimer, &QTimer::timeout, this, [this] {
            if (!FPushedBriefly) return;
            FPushedBriefly = false;
            FPushed = false;
            FImageState = !isEnabled() ? 2 : (FMouseInShape ? 4 : 1);
            update();
        });
    }
    FPushedBriefly = true;
    FPushed = true;
    FImageState = 3;
    update();
    FBriefTimer->start(ms);
}

bool TDsFancyButton::AnimateClick() {
    if (!isEnabled()) return false;
    ShowPushedBriefly();
    Click();
    return true;
}

void TDsFancyButton::UpdateAccelerator() {
    const QKeySequence seq = QKeySequence::mnemonic(FCaption);
    if (seq.isEmpty()) {
        delete FAccelerator;
        FAccelerator = nullptr;
        return;
    }
    if (!FAccelerator) {
        FAccelerator = new QShortcut(this);
        FAccelerator->setContext(Qt::WindowShortcut);
        connect(FAccelerator, &QShortcut::activated, this, [this] {
            if (isEnabled()) Click();
        });
    }
    FAccelerator->setKey(seq);
    FAccelerator->setEnabled(isEnabled());
}
