#pragma once
// A paint device that records what is drawn on it, in device units: texts with their left edge,
// top, pixel size, colour and decorations; lines with pen width and colour; rectangles, ellipses,
// paths and images with their bounds. It has the resolution of a 254 dpi printer, so one device
// unit is 0.1 mm. The engine declares every feature, so that QPainter hands over shapes and
// texts unchanged in logical units with the transform in the state; each entry is mapped
// through that transform here.

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextItem>
#include <QTransform>

#include <cmath>
#include <stdexcept>

namespace printtest {

// A number as the log writes it: whole numbers plain, others with one decimal.
inline QString num(double v) {
    const double r = std::round(v * 10) / 10;
    return r == std::floor(r) ? QString::number(qint64(r)) : QString::number(r, 'f', 1);
}

inline QString pt(const QPointF& p) {
    return num(p.x()) + u',' + num(p.y());
}

inline QString rect(const QRectF& r) {
    return pt(r.topLeft()) + u'-' + pt(r.bottomRight());
}

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    QStringList log;
    // A text drawn with this content makes the device fail, as a printer that went away would.
    QString failOnText;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        if (!failOnText.isEmpty() && item.text() == failOnText)
            throw std::runtime_error("device lost");
        const QTransform t = transform();
        const QFont f = item.font();
        const QFontMetricsF fm(f, paintDevice());
        const QPointF topLeft = t.map(QPointF(p.x(), p.y() - fm.ascent()));
        QString line = QStringLiteral("text %1 %2 %3").arg(pt(topLeft), num(f.pixelSize() * scale(t)),
                                                             painter()->pen().color().name());
        if (f.underline())
            line += QStringLiteral(" U");
        if (f.bold())
            line += QStringLiteral(" B");
        if (!t.isAffine() || t.m12() != 0)
            line += QStringLiteral(" rotated");
        log << line + QStringLiteral(" '") + item.text() + u'\'';
    }

    void drawLines(const QLineF* lines, int count) override {
        const QTransform t = transform();
        for (int i = 0; i < count; ++i)
            log << QStringLiteral("line %1 %2 w%3 %4")
                       .arg(pt(t.map(lines[i].p1())), pt(t.map(lines[i].p2())), penWidth(), penColour());
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            log << QStringLiteral("rect %1 w%2 %3 fill %4").arg(rect(transform().mapRect(rects[i])), penWidth(),
                                                              penColour(), brushColour());
    }

    void drawEllipse(const QRectF& r) override {
        log << QStringLiteral("ellipse %1 w%2 %3 fill %4").arg(rect(transform().mapRect(r)), penWidth(), penColour(),
                                                             brushColour());
    }

    void drawPath(const QPainterPath& path) override {
        log << QStringLiteral("path %1 w%2 %3 fill %4").arg(rect(transform().map(path).boundingRect()), penWidth(),
                                                          penColour(), brushColour());
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        log << QStringLiteral("polygon %1 w%2 %3 fill %4")
                   .arg(rect(transform().map(QPolygonF(QList<QPointF>(points, points + count))).boundingRect()),
                        penWidth(), penColour(), brushColour());
    }

    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override {
        log << QStringLiteral("pixmap %1").arg(rect(transform().mapRect(r)));
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override {
        log << QStringLiteral("image %1 %2x%3 alpha %4")
                   .arg(rect(transform().mapRect(r)))
                   .arg(image.width())
                   .arg(image.height())
                   .arg(image.hasAlphaChannel() ? 1 : 0);
    }

private:
    QTransform transform() const { return painter()->combinedTransform(); }
    // The length factor of a transform, rotated or not.
    static double scale(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }
    QString penWidth() const {
        const QPen pen = painter()->pen();
        if (pen.style() == Qt::NoPen)
            return QStringLiteral("-");
        return num(pen.widthF() * scale(transform()));
    }
    QString penColour() const { return painter()->pen().color().name(); }
    QString brushColour() const {
        const QBrush b = painter()->brush();
        return b.style() == Qt::NoBrush ? QStringLiteral("none") : b.color().name();
    }
};

// An A4 page at 254 dpi (2100 × 2970 device units).
class RecordingDevice : public QPaintDevice {
public:
    RecordingEngine engine;
    QPaintEngine* paintEngine() const override { return const_cast<RecordingEngine*>(&engine); }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth: return 2100;
        case PdmHeight: return 2970;
        case PdmWidthMM: return 210;
        case PdmHeightMM: return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 254;
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }
};

} // namespace printtest
