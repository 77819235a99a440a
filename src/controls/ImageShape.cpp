#include "controls/ImageShape.h"
#include "controls/sem_cor_chave.h"

#include <QCoreApplication>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTransform>
#include <QWindow>

#include "platform/forma_da_janela.h"

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Process-wide mark that some shaped image has already given a window its outline, kept on the
// application object. Never in the environment: other threads (the font list's, for one) read
// it, and adding a variable may move the whole environment under a reader.
constexpr char kShapeFlag[] = "wexor";

QImage withoutColour(const QImage& img, QRgb key) { return controles::SemCorChave(img, key); }

// The picture's own pixels per window pixel: 2 for a picture made for a screen scaled 2x.
int pictureScale(const QImage& img) { return std::max(1, qRound(img.devicePixelRatio())); }

// A picture k times the size brought down to window pixels: a pixel is on the outline when any of
// its k x k pixels is, so the window-pixel outline never cuts into the finer one. Two colours:
// index 0 is the key, index 1 anything else.
QImage coveringMask(const QImage& source, int k, QRgb key) {
    const QImage src = source.format() == QImage::Format_Indexed8 ||
                               source.format() == QImage::Format_RGB32 ||
                               source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    const bool indexed = src.format() == QImage::Format_Indexed8;
    std::array<bool, 256> keyIndex{};
    if (indexed) {
        const QList<QRgb> table = src.colorTable();
        for (int i = 0; i < table.size() && i < 256; ++i) keyIndex[i] = (table[i] & 0xFFFFFF) == key;
    }
    const int w = src.width() / k, h = src.height() / k;
    QImage out(w, h, QImage::Format_Indexed8);
    out.setColorTable({0xFF000000u | key, 0xFF000000u | (~key & 0xFFFFFF)});
    out.fill(0);
    for (int y = 0; y < h * k; ++y) {
        const uchar* line = src.constScanLine(y);
        uchar* o = out.scanLine(y / k);
        for (int x = 0; x < w * k; ++x) {
            const bool opaque =
                indexed ? !keyIndex[line[x]] : (reinterpret_cast<const QRgb*>(line)[x] & 0xFFFFFF) != key;
            if (opaque) o[x / k] = 1;
        }
    }
    return out;
}

}  // namespace

TImageShape::TImageShape(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
    setMouseTracking(true);  // OnMouseMove fires with no button held, too
    if (parent) parent->installEventFilter(this);
}

// The parent window keeps the mask it was last given.
TImageShape::~TImageShape() = default;

void TImageShape::setPicture(const QImage& v) {
    FPicture = v;
    PictureUpdated();
}

void TImageShape::setCenter(bool v) {
    if (v == FCenter) return;
    FCenter = v;
    PictureUpdated();
}

void TImageShape::setStretch(bool v) {
    if (v == FStretch) return;
    FStretch = v;
    PictureUpdated();
}

void TImageShape::setProportional(bool v) {
    if (v == FProportional) return;
    FProportional = v;
    PictureUpdated();
}

void TImageShape::setTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    PictureUpdated();
}

QRect TImageShape::PictureRect() const {
    const int k = pictureScale(FPicture);
    int w = FPicture.width() / k, h = FPicture.height() / k;
    const int cw = width(), ch = height();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double ratio = double(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(std::trunc(cw / ratio));
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(std::trunc(ch * ratio));
                }
            } else {
                h = ch;
                w = static_cast<int>(std::trunc(ch * ratio));
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(std::trunc(cw / ratio));
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    QRect r(0, 0, w, h);
    if (FCenter) r.translate((cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImageShape::paintEvent(QPaintEvent* event) {
    struct Restore {
        bool& flag;
        bool saved;
        ~Restore() { flag = saved; }
    } restore{FPaintActive, FPaintActive};
    FPaintActive = true;
    if (FPicture.isNull()) return;
    QPainter p(this);
    // A compositor that ignores the window's mask still shows only the outline: the window is
    // translucent there and we paint nothing outside the shape.
    // A picture finer than the window's pixels has its surround keyed out instead (see
    // PictureUpdated): a clip in window pixels would leave a fringe of it.
    const int k = pictureScale(FPicture);
    if (OnWayland() && !FOwnShape.isEmpty() && k == 1) p.setClipRegion(FOwnShape);
    const QImage& imagem = FDisplayPicture.isNull() ? FPicture : FDisplayPicture;
    const QRect destino = PictureRect();
    if (destino.size() * k != imagem.size() || !event || p.hasClipping()) {
        p.drawImage(destino, imagem);
        return;
    }
    // Unscaled, the picture is copied rectangle by rectangle of what needs painting. Drawn at
    // once under a clip of many rectangles (the lamps' and displays' corners at every tick of
    // the idle cabinet), Qt blends it scanline by scanline and wakes its thread pool to help.
    for (const QRect& r : event->region()) {
        const QRect parte = r & destino;
        if (!parte.isEmpty()) {
            p.setClipRect(parte);
            const QRect fonte = parte.translated(-destino.topLeft());
            p.drawImage(parte.topLeft(), imagem, QRect(fonte.topLeft() * k, fonte.size() * k));
        }
    }
}

void TImageShape::PictureUpdated() {
    const int k = pictureScale(FPicture);
    if (FAutoSize && FPicture.width() > 0 && FPicture.height() > 0)
        setGeometry(x(), y(), FPicture.width() / k, FPicture.height() / k);
    const bool graphic = !FPicture.isNull();
    if (graphic) {
        const bool keyOut = FTransparent || (k > 1 && OnWayland());
        // Kept in the painter's own format: a 256-colour picture would otherwise be converted
        // again at every paint, and the reels repaint over the cabinet a hundred times a second.
        FDisplayPicture =
            keyOut ? withoutColour(FPicture, FPicture.pixel(0, FPicture.height() - 1))
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   : FPicture.convertToFormat(FPicture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                         : QImage::Format_RGB32);
        FDisplayPicture.setDevicePixelRatio(k);
        // Opaque and nothing keyed out, the painter's copy holds the very colours: one image serves
        // both, and a 256-colour cabinet does not stay in memory beside its full-colour copy.
        if (!keyOut && !FPicture.hasAlphaChannel()) FPicture = FDisplayPicture;
        setAttribute(Qt::WA_OpaquePaintEvent, !keyOut && FStretch && !FProportional);
    } else {
        FDisplayPicture = QImage();
        setAttribute(Qt::WA_OpaquePaintEvent, false);
    }
    if (!FPaintActive) update();
    if (graphic && parentWidget()) ApplyShape();
}

void TImageShape::ApplyShape() {
    QWidget* parent = parentWidget();
    const int k = pictureScale(FPicture);
    const QRect pictureRect = PictureRect();
    QRegion region;
    FDeviceShape = QRegion();
    if (k == 1) {
        region = BuildOpaqueRegion(FPicture, rect(), pictureRect);
    } else {
        const QRgb key = FPicture.pixel(0, FPicture.height() - 1) & 0xFFFFFF;
        region = OpaqueRegion(coveringMask(FPicture, k, key), key, rect(), pictureRect);
        if (pictureRect.size() * k == FPicture.size())
            FDeviceShape = OpaqueRegion(FPicture, key, QRect(QPoint(0, 0), size() * k),
                                        QRect(pictureRect.topLeft() * k, FPicture.size()));
    }
    FOwnShape = region;

    // The shape is placed from the parent's outer and client rectangles, taking the bottom border
    // as thick as the side ones: in outer coordinates it lies at (border + Left, caption + border
    // + Top). Our mask is in client coordinates, so take the client's offset in the frame away
    // again; for a frameless window (or a child widget) both rectangles coincide.
    const QRect outer = parent->isWindow() ? parent->frameGeometry() : parent->geometry();
    const QRect client = parent->geometry();
    const int border = (outer.width() - client.width()) / 2;
    const QPoint inOuter(border + x(), (outer.height() - client.height()) - border + y());
    region.translate(inOuter - (client.topLeft() - outer.topLeft()));
    FDeviceShape.translate((inOuter - (client.topLeft() - outer.topLeft())) * k);

    if (qApp->property(kShapeFlag).toByteArray() != "set") {
        FShapeRegion = region;
        qApp->setProperty(kShapeFlag, QByteArray("set"));
    } else {
        // Only this control's previous part is replaced, so several shaped images on one window
        // add up to the union of their outlines.
        QRegion current = parent->mask();
        current -= FShapeRegion;
        FShapeRegion = region;
        region = current.united(region);
    }

    if (OnWayland() && parent->isWindow()) {
        parent->setAttribute(Qt::WA_TranslucentBackground, true);
        parent->setAutoFillBackground(false);
    }
    // An empty mask means "no mask" to Qt; a window whose picture is all key colour is cut away
    // entirely instead, with a mask that lies outside it.
    parent->setMask(region.isEmpty() ? QRegion(-1, -1, 1, 1) : region);
    ApplyDeviceShape();
    // A mask set on a visible window reaches the X server with the next event.
    parent->update();
}

void TImageShape::ApplyDeviceShape() {
    QWidget* parent = parentWidget();
    if (FDeviceShape.isEmpty() || !parent || !parent->isWindow() || !parent->windowHandle()) return;
    // Only where the window's pixels are as fine as the picture's; on another ratio the Qt mask
    // (built from the covering outline) stands.
    const int k = pictureScale(FPicture);
    if (parent->windowHandle()->devicePixelRatio() != k) return;
    const QRegion others = QTransform::fromScale(k, k).map(parent->mask() - FShapeRegion);
    plataforma::DefinirContornoEmPixelsDoDispositivo(parent->windowHandle(), others.united(FDeviceShape));
}

bool TImageShape::eventFilter(QObject* watched, QEvent* event) {
    // Qt gives a newly created native window the mask scaled from window pixels; the finer
    // outline goes on over it once the window is there.
    if (watched == parentWidget() && event->type() == QEvent::Show) ApplyDeviceShape();
    return QWidget::eventFilter(watched, event);
}

QRegion TImageShape::BuildOpaqueRegion(const QImage& source, const QRect& clientRect,
                                       const QRect& pictureRect) {
    if (source.isNull()) return {};
    return OpaqueRegion(source, source.pixel(0, source.height() - 1) & 0xFFFFFF, clientRect, pictureRect);
}

QRegion TImageShape::OpaqueRegion(const QImage& source, QRgb key, const QRect& clientRect,
                                  const QRect& pictureRect) {
    if (source.isNull()) return {};
    const QRect frame = QRect(QPoint(0, 0), clientRect.size()).intersected(pictureRect);
    if (frame.isEmpty()) return {};

    // The picture as it lies in the picture rectangle (plain colour copy, nearest pixel).
    QImage scan = pictureRect.size() == source.size()
                      ? source
                      : source.scaled(pictureRect.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (scan.format() != QImage::Format_Indexed8 && scan.format() != QImage::Format_RGB32 &&
        scan.format() != QImage::Format_ARGB32)
        scan = scan.convertToFormat(QImage::Format_RGB32);
    std::array<bool, 256> keyIndex{};
    const bool indexed = scan.format() == QImage::Format_Indexed8;
    if (indexed) {
        const QList<QRgb> table = scan.colorTable();
        for (int i = 0; i < table.size() && i < 256; ++i) keyIndex[i] = (table[i] & 0xFFFFFF) == key;
    }

    // Runs of non-key pixels, collected row by row and handed over once; rows with the same runs
    // as the row above extend its band, which keeps the region in its compact form.
    std::vector<QRect> rects;
    rects.reserve(1024);
    std::vector<std::pair<int, int>> runs, previous;
    size_t bandStart = 0;
    const int x0 = frame.left() - pictureRect.left();
    const int x1 = frame.right() + 1 - pictureRect.left();
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        runs.clear();
        const int sy = y - pictureRect.top();
        const uchar* line = scan.constScanLine(sy);
        int x = x0;
        while (x < x1) {
            if (indexed) {
                while (x < x1 && keyIndex[line[x]]) ++x;
                const int start = x;
                while (x < x1 && !keyIndex[line[x]]) ++x;
                if (x > start) runs.emplace_back(start, x);
            } else {
                const auto* px = reinterpret_cast<const QRgb*>(line);
                while (x < x1 && (px[x] & 0xFFFFFF) == key) ++x;
                const int start = x;
                while (x < x1 && (px[x] & 0xFFFFFF) != key) ++x;
                if (x > start) runs.emplace_back(start, x);
            }
        }
        if (!runs.empty() && runs == previous) {
            for (size_t i = bandStart; i < rects.size(); ++i) rects[i].setBottom(rects[i].bottom() + 1);
        } else {
            bandStart = rects.size();
            for (const auto& [a, b] : runs) rects.emplace_back(a + pictureRect.left(), y, b - a, 1);
        }
        std::swap(runs, previous);
    }
    QRegion result;
    if (!rects.empty()) result.setRects(rects.data(), static_cast<int>(rects.size()));
    return result;
}

bool TImageShape::CanAutoSize(int& NewWidth, int& NewHeight) const {
    if (FAlign == alNone || FAlign == alLeft || FAlign == alRight) NewWidth = FPicture.width();
    if (FAlign == alNone || FAlign == alTop || FAlign == alBottom) NewHeight = FPicture.height();
    return true;
}

void TImageShape::PictureProgress(QObject* Sender, TProgressStage Stage, unsigned char PercentDone,
                                  bool RedrawNow, const QRect& R, const QString& Msg) {
    if (FIncrementalDisplay && RedrawNow) repaint();
    emit OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

bool TImageShape::OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// ---------------------------------------------------------------------------------------------
// Dragging the parent window by the picture, with any mouse button. The displacement is taken
// from screen positions: client coordinates shift with the window itself.

void TImageShape::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TImageShape> self(this);
    emit OnMouseDown(e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    FMoveActive = true;
    FLastCursorPos = e->globalPosition().toPoint();
    // Where the platform does not let a client place its windows (Wayland), the compositor
    // carries out the drag.
    QWidget* parent = parentWidget();
    if (FMovable && OnWayland() && parent && parent->isWindow() && parent->windowHandle()) {
        if (parent->windowHandle()->startSystemMove()) {
            FMoveActive = false;
            // The compositor keeps the button's release for itself; without a release Qt goes on
            // believing the button is held, and hover (which the capsule buttons live on) stops.
            QMouseEvent soltar(QEvent::MouseButtonRelease, e->position(), e->scenePosition(),
                               e->globalPosition(), e->button(), Qt::NoButton, e->modifiers());
            QCoreApplication::sendEvent(parent->windowHandle(), &soltar);
        }
    }
}

void TImageShape::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TImageShape> self(this);
    emit OnMouseMove(e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    QWidget* parent = parentWidget();
    if (FMoveActive && FMovable && parent) {
        const QPoint p = e->globalPosition().toPoint();
        parent->move(parent->pos() + (p - FLastCursorPos));
        FLastCursorPos = p;
    }
}

void TImageShape::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    QPointer<TImageShape> self(this);
    emit OnMouseUp(e->button(), e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    FMoveActive = false;
}
