// The renderer: records of one page drawn with the library's mapping, colours and fonts.
#include "print/Renderer.h"

#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/Fields.h"
#include "print/Fonts.h"
#include "print/PgwDef.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"
#include "print/RenderState.h"
#include "print/SystemColours.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <stdexcept>

namespace print {

namespace {

// Nearest integer, halves to even.
int roundEven(double v) {
    return int(std::nearbyint(v));
}

QColor qColour(qint32 c) {
    const quint32 v = quint32(c);
    if (v > 0xFFFFFF)
        return SystemColour(v);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

Qt::PenStyle penStyle(int n) {
    switch (n) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyle(int n) {
    switch (n) {
    case 0: return Qt::SolidPattern;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::FDiagPattern;
    case 5: return Qt::BDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

class PageRenderer {
public:
    PageRenderer(QPainter& p, const TRenderCall& c) : painter(p), call(c), baseX(c.X0), baseY(c.Y0) {}

    int run(TPgwFile& file);

private:
    QPainter& painter;
    const TRenderCall& call;
    int baseX, baseY;      // the base point (origin), device units
    int ex = 0, ey = 0;    // margin offsets
    int startLeft = 0, startTop = 0;
    QPointF penPos;        // end of the last text
    QString currentKind;

    bool formGrey() const { return (call.Kind == u"FOM" || call.Kind == u"SUBFORM") && !PgwDef.PrintFom; }
    bool scaled() const { return !(call.Kind == u"SUBFORM" && !PgwDef.PrintFom); }
    int sx(double a) const { return scaled() && PaperRatioH != 0 ? roundEven(PaperRatioH * a * 0.001) : roundEven(a); }
    int sy(double a) const { return scaled() && PaperRatioV != 0 ? roundEven(PaperRatioV * a * 0.001) : roundEven(a); }
    int X(double x) const { return sx(roundEven(x * call.Fx) + ex + baseX); }
    int Y(double y) const { return sy(roundEven(y * call.Fy) + ey + baseY); }

    void margins();
    qint32 colour(const QString& field, bool formRule = true) const;
    QFont font(const QString& face, int size, const TTextStyle& style, bool textRecord) const;
    void draw(const QString& line);
    void text(const TPgwRecord& r);
    void drawField(const TPgwRecord& r);
    void drawText(const QString& kind, int x, int y, const QString& text, const QString& face, int size,
                  const QString& style, qint32 colour, qint32 background, int alignment, int width, int centring,
                  int offset);
    void line(const TPgwRecord& r, bool fine);
    void box(const TPgwRecord& r);
    void sline(const TPgwRecord& r);
    void rrect(const TPgwRecord& r);
    void frect(const TPgwRecord& r);
    void circle(const TPgwRecord& r);
    void marumoji(const TPgwRecord& r);
    void memo(const TPgwRecord& r);
    void image(const TPgwRecord& r);
    void form(const TPgwRecord& r);
    QPen pen(int width, int style, qint32 colour, bool fine = false) const;
};

qint32 PageRenderer::colour(const QString& field, bool formRule) const {
    if (formRule && formGrey())
        return field == u"白" ? 0xFFFFFF : 0xE6E6E6;
    const qint32 c = ResolveColour(field, PgwDef);
    if (PgwDef.GrayScale && c != 0 && c != 0xFFFFFF && quint32(c) <= 0xFFFFFF) {
        const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
        const int grey = roundEven(0.299 * r + 0.587 * g + 0.114 * b);
        return grey | (grey << 8) | (grey << 16);
    }
    return c;
}

void PageRenderer::margins() {
    const int l = LeftOffset + (call.EvenPage ? EvenOffset : 0);
    const int t = TopOffset;
    const bool fom = call.Kind == u"FOM";
    const int fl = fom ? PgwDef.FormLeftMargin : 0;
    const int ft = fom ? PgwDef.FormTopMargin : 0;
    const int lc = call.PrinterCanvas ? PgwDef.LeftCorrect : 0;
    const int tc = call.PrinterCanvas ? PgwDef.TopCorrect : 0;
    ex = roundEven((l + lc + fl) * call.Fx);
    ey = roundEven((t + tc + ft) * call.Fy);
}

QFont PageRenderer::font(const QString& face, int size, const TTextStyle& style, bool textRecord) const {
    int height = roundEven(double(size) * call.Resolution / 72.0);
    if (textRecord && PaperRatioV != 0 && PaperRatioV != 1000)
        height = int(roundEven(size * call.Resolution * PaperRatioV * 0.001) / 72);
    if (face == u"JAN" && !FontInstalled(face)) {
        static bool told = false; // one line a run is enough
        if (!told)
            WritePrintErrorLog(QStringLiteral("ImageOut.(JAN):バーコードのフォント JAN がありません。数字をゴシックで印字します。"));
        told = true;
    }
    QFont f = MakeFont(RecordFace(face), height);
    f.setBold(style.Bold);
    f.setItalic(style.Italic);
    f.setUnderline(style.Underline || style.DoubleUnderline);
    f.setStrikeOut(style.StrikeOut);
    return f;
}

QPen PageRenderer::pen(int width, int style, qint32 c, bool fine) const {
    const int w = fine ? roundEven(width * 0.1 * call.Fx) : roundEven(width * call.Fx);
    QPen p(qColour(c));
    p.setStyle(penStyle(style));
    p.setWidth(qMax(0, w));
    if (w > 1 && style != 0) {
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
    } else {
        p.setCapStyle(Qt::FlatCap);
    }
    return p;
}

int PageRenderer::run(TPgwFile& file) {
    int result = 1;
    startLeft = LeftOffset;
    startTop = TopOffset;
    PageMessageText.clear();
    if (call.Kind != u"SUBFORM") {
        ResetFieldFills(call.FieldSet);
        SubFormFieldsActive = false; // a sub-form's fields count up to the end of its page
    }
    QStringList lines;
    if (call.Kind == u"DAT") {
        const QString numberLine = PageNumberLine();
        if (!numberLine.isEmpty())
            lines << numberLine;
    }
    while (!file.AtEnd()) {
        const QString line = NormalizeRecordLine(file.ReadLine());
        lines << line;
        if (RecordKind(line) == u"E")
            break;
    }
    if (call.Kind == u"DAT" && PgwDef.PageNoSettings.Switch && lines.size() < 3) {
        if (lines.size() == 1 && lines.first().contains(QStringLiteral("*AUTO*")))
            lines.first().prepend(u'*');
        else if (lines.size() == 2 && lines.first().contains(QStringLiteral("*AUTO*")) &&
                 (lines.at(1).contains(QStringLiteral("ORIENTATION")) || lines.at(1).contains(QStringLiteral("LINE"))))
            lines.first().prepend(u'*');
    }
    painter.save();
    try {
        painter.scale(call.Zoom / 10.0, call.Zoom / 10.0);
        penPos = QPointF(call.X0, call.Y0);
        margins();
        for (const QString& line : lines) { // first pass: fills under everything
            const TPgwRecord r(line);
            currentKind = r.Kind;
            if (r.Kind == u"FRECT" && (r.Number(5) == 1 || r.Number(5) == 2))
                frect(r);
        }
        margins();
        for (const QString& line : lines) {
            const TPgwRecord r(line);
            currentKind = r.Kind;
            if (r.Kind == u"E") {
                result = 0;
                continue;
            }
            draw(line);
        }
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("ImageOut.(%1):%2").arg(currentKind, QString::fromUtf8(e.what())));
    }
    painter.restore();
    LeftOffset = startLeft;
    TopOffset = startTop;
    return result;
}

void PageRenderer::draw(const QString& recordLine) {
    const TPgwRecord r(recordLine);
    const QString& k = r.Kind;
    if (k.startsWith(u'*'))
        return;
    if (k == u"TEXT" || k == u"NTEXT" || k == u"UTEXT" || k == u"VTEXT")
        text(r);
    else if (k == u"@")
        drawField(r);
    else if (k == u"LINE")
        this->line(r, false);
    else if (k == u"ELINE")
        this->line(r, true);
    else if (k == u"BOX")
        box(r);
    else if (k == u"BP") {
        baseX = roundEven(r.Number(0) * call.Fx);
        baseY = roundEven(r.Number(1) * call.Fy);
        painter.setPen(pen(r.Number(2), r.Number(3), colour(r.Text(4))));
        penPos = QPointF(baseX + ex, baseY + ey);
    } else if (k == u"LINEB") {
        const QPointF to(baseX + roundEven(r.Number(0) * call.Fx) + ex, baseY + roundEven(r.Number(1) * call.Fy) + ey);
        painter.drawLine(penPos, to);
        penPos = to;
    } else if (k == u"SLINE")
        sline(r);
    else if (k == u"RRECT")
        rrect(r);
    else if (k == u"FRECT") {
        if (r.Number(5) == 0)
            frect(r);
    } else if (k == u"MARUMOJI")
        marumoji(r);
    else if (k == u"CIRCLE")
        circle(r);
    else if (k == u"MEMO")
        memo(r);
    else if (k == u"IMAGE")
        image(r);
    else if (k == u"FORM")
        form(r);
    else if (k == u"MESSAGE") {
        if (call.PrinterCanvas)
            PageMessageText = r.Text(0);
    } else if (k == u"LEFTMARGIN" || k == u"TOPMARGIN") {
        const int n = r.Number(0);
        if (n != 0) {
            (k == u"LEFTMARGIN" ? LeftOffset : TopOffset) = n + (k == u"LEFTMARGIN" ? startLeft : startTop);
            margins();
        }
    }
    // "CHART": no chart library here, so no chart is drawn; "ORIENTATION" draws nothing.
}

void PageRenderer::text(const TPgwRecord& r) {
    drawText(r.Kind, r.Number(0), r.Number(1), r.Text(2), r.Text(3), r.Number(4, 10), RecordKind(r.Text(5) + u';'),
             colour(r.Text(6)), ResolveBackground(r.Text(7), PgwDef), ParseAlignment(r.Text(8)), r.Number(9),
             r.Number(10), 0);
}

void PageRenderer::drawField(const TPgwRecord& r) {
    const QSizeF paper = PaperSizeMm(PgwDef.PaperSize, QSizeF(PgwDef.PaperWidth / 10.0, PgwDef.PaperLength / 10.0));
    const double heightMm = PgwDef.Orientation == 1 ? paper.width() : paper.height();
    const TFieldFill fill = FillField(call.FieldSet, r.Text(0), int(heightMm));
    if (fill.Blank)
        return;
    const TDataField& f = fill.Field;
    const int size = r.Number(2) == 0 ? f.Size : r.Number(2);
    const QString style = r.Text(3).isEmpty() ? f.Style : r.Text(3);
    qint32 c = f.Colour;
    if (formGrey())
        c = 0xE6E6E6;
    drawText(QStringLiteral("@"), f.X, f.Y, r.Text(1), f.FontName, size, style, c, f.Background, f.Alignment,
             f.Width, f.Centring, r.Number(4));
}

void PageRenderer::drawText(const QString& kind, int x, int y, const QString& text, const QString& face, int size,
                            const QString& styleText, qint32 c, qint32 background, int alignment, int width,
                            int centring, int offset) {
    const TTextStyle style = ParseStyle(styleText);
    QFont f = font(face, size, style, true);
    painter.setFont(f);
    QFontMetricsF fm(f, painter.device());
    const double height = f.pixelSize();
    const int q = centring == 1 ? roundEven(std::fabs(height) * 0.5 - 0.55) : 0;
    painter.setPen(QPen(qColour(c)));
    const bool opaque = DrawsBackground(background);
    auto put = [&](double left, double top, const QString& s) {
        const QRectF cell(left, top, fm.horizontalAdvance(s), fm.height());
        if (opaque)
            painter.fillRect(cell, qColour(background));
        painter.drawText(QPointF(left, top + fm.ascent()), s);
        penPos = QPointF(left + cell.width(), top);
    };
    const double textWidth = fm.horizontalAdvance(text);
    double anchor = sx(roundEven(x * call.Fx));
    if (alignment == 1)
        anchor -= roundEven(textWidth / 2);
    else if (alignment == 2)
        anchor -= textWidth;
    else if (centring == 1 && !text.isEmpty())
        anchor -= roundEven(fm.horizontalAdvance(text.left(1)) * 0.5);
    double left = sx(baseX + ex) + anchor;
    double top = Y(y) - q;

    const bool evenPitch = kind == u"UTEXT" || (kind == u"@" && width > 0) || (style.Compressed && width > 0);
    if (evenPitch && text.size() >= 2) {
        const QString last = text.right(1);
        const int n = int(platform::cp932Length(text) - platform::cp932Length(last));
        double p = (width - fm.horizontalAdvance(last) / call.Fx) / n;
        if (kind == u"@" && fm.horizontalAdvance(text.left(1)) / call.Fx > p && size > 1) {
            f = font(face, size - 1, style, true);
            painter.setFont(f);
            fm = QFontMetricsF(f, painter.device());
            p = (width - fm.horizontalAdvance(last) / call.Fx) / n;
        } else if (kind != u"@" && style.Compressed && fm.horizontalAdvance(text.left(1)) / call.Fx > p &&
                   textWidth > 0) {
            // Too wide for the pitch: the face is made narrower by the width's share of the text.
            const int k = roundEven(width * call.Fx / textWidth * 100);
            if (k > 0 && k != 100) {
                f.setStretch(qBound(1, k, 4000));
                painter.setFont(f);
                fm = QFontMetricsF(f, painter.device());
                p = (width - fm.horizontalAdvance(last) / call.Fx) / n;
            }
        }
        if (p > 0) {
            double pos = x;
            for (const QChar ch : text) {
                const QString s(ch);
                put(sx(baseX + ex) + sx(roundEven(pos * call.Fx)), Y(y) - q, s);
                pos += platform::cp932Length(s) == 2 ? 2 * p : p;
            }
            return;
        }
    }
    if (kind == u"VTEXT" && !text.isEmpty()) {
        const double h1 = fm.height() / call.Fx;
        const int chars = int(text.size());
        const double p = chars <= 2 ? width - h1 : roundEven((width - h1) / (chars - 1));
        if (p >= 1) {
            double pos = y;
            for (const QChar ch : text) {
                const double top = sy(roundEven(pos * call.Fx) + ey + baseY);
                if (ch == u'ー') {
                    QFont small = font(face, qMax(1, size - 1), style, true);
                    painter.save();
                    painter.setFont(small);
                    const QFontMetricsF sm(small, painter.device());
                    painter.translate(left + sm.horizontalAdvance(u'一') / 2, top + sm.height() / 2);
                    painter.rotate(90);
                    painter.drawText(QPointF(-sm.horizontalAdvance(u'一') / 2, -sm.height() / 2 + sm.ascent()), QStringLiteral("一"));
                    painter.restore();
                } else {
                    put(left, top, QString(ch));
                }
                pos += p;
            }
            return;
        }
    }
    if (style.DoubleUnderline) {
        const int bytes = int(qBound<qsizetype>(qsizetype(1), platform::cp932Length(text), qsizetype(126)));
        put(left, top + roundEven(4 * call.Fy), QString(bytes, u' '));
    }
    if (text.contains(u'\t')) {
        const QStringList parts = text.split(u'\t');
        double lineTop = sy(roundEven((offset < 0 ? y - std::abs(offset) : y) * call.Fy) + ey + baseY);
        for (int i = 0; i < parts.size(); ++i) {
            put(left, lineTop - (i == parts.size() - 1 ? q : 0), parts.at(i));
            lineTop += fm.height();
        }
        return;
    }
    if (x == 0)
        left = penPos.x();
    if (y == 0)
        top = penPos.y();
    if (style.Compressed && width > 0 && textWidth > 0) {
        const int k = roundEven(width * call.Fx / textWidth * 100);
        if (k != 100 && k > 0) {
            f.setStretch(qBound(1, k, 4000));
            painter.setFont(f);
            fm = QFontMetricsF(f, painter.device());
        }
    }
    put(left, top, text);
}

void PageRenderer::line(const TPgwRecord& r, bool fine) {
    painter.setPen(pen(r.Number(4, 1), r.Number(5), colour(r.Text(6)), fine));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawLine(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3))));
}

void PageRenderer::box(const TPgwRecord& r) {
    painter.setPen(pen(r.Number(4, 1), r.Number(5), colour(r.Text(6))));
    painter.setBrush(QBrush(qColour(colour(r.Text(7))), brushStyle(r.Number(8))));
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawRect(QRectF(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3)))));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
}

void PageRenderer::sline(const TPgwRecord& r) {
    const QFont f = font(r.Text(7), r.Number(8, 10), TTextStyle{}, false);
    const double digits = QFontMetricsF(f, painter.device()).horizontalAdvance(QStringLiteral("000"));
    painter.setPen(pen(r.Number(4), r.Number(5), colour(r.Text(6))));
    for (int k = 1; k <= r.Number(3); ++k) {
        const double x = X(r.Number(0)) - (k * digits + 1);
        painter.drawLine(QPointF(x, Y(r.Number(1))), QPointF(x, Y(r.Number(2))));
    }
}

void PageRenderer::rrect(const TPgwRecord& r) {
    painter.setPen(pen(r.Number(6), r.Number(7), colour(r.Text(8))));
    painter.setBrush(QBrush(qColour(colour(r.Text(9), false)), brushStyle(r.Number(10))));
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const double cw = sx(roundEven(r.Number(4) * call.Fx) + 1);
    const double ch = sy(roundEven(r.Number(5) * call.Fy) + 1);
    painter.drawRoundedRect(QRectF(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3)))),
                            cw / 2, ch / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
}

void PageRenderer::frect(const TPgwRecord& r) {
    painter.fillRect(QRectF(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3)))),
                     qColour(colour(r.Text(4))));
}

void PageRenderer::circle(const TPgwRecord& r) {
    painter.setPen(pen(r.Number(4), r.Number(5), colour(r.Text(6))));
    painter.setBrush(QBrush(qColour(colour(r.Text(7), false)), brushStyle(r.Number(8))));
    painter.drawEllipse(QRectF(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3)))));
    painter.setBrush(Qt::NoBrush);
}

void PageRenderer::marumoji(const TPgwRecord& r) {
    const QString styleText = RecordKind(r.Text(6) + u';');
    const qint32 c = colour(r.Text(7));
    QPen p(qColour(c));
    p.setWidth(roundEven((styleText == u"B" ? 2 : 1) * call.Fx));
    painter.setPen(p);
    painter.setBrush(Qt::NoBrush);
    const double cx = X(r.Number(0)), cy = Y(r.Number(1));
    const double radius = roundEven(r.Number(2) * 0.5 * call.Fy);
    painter.drawEllipse(QPointF(cx, cy), radius, radius);
    const QFont f = font(r.Text(4), r.Number(5, 10), ParseStyle(styleText), true);
    painter.setFont(f);
    const QFontMetricsF fm(f, painter.device());
    const QString t = r.Text(3);
    painter.drawText(QPointF(cx - fm.horizontalAdvance(t) / 2, cy - f.pixelSize() / 2.0 + fm.ascent()), t);
}

void PageRenderer::memo(const TPgwRecord& r) {
    const QRectF rect(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3))));
    const int frame = r.Number(5);
    const qint32 c = colour(r.Text(9));
    if (frame >= 0) {
        QPen p(qColour(c));
        p.setWidth(roundEven(frame * call.Fx));
        painter.setPen(p);
        painter.setBrush(Qt::white);
        painter.drawRect(rect.adjusted(-5, -5, 5, 5));
        painter.setBrush(Qt::NoBrush);
    }
    const QFont f = font(r.Text(6), r.Number(7, 10), ParseStyle(RecordKind(r.Text(8) + u';')), true);
    painter.setFont(f);
    painter.setPen(QPen(qColour(c)));
    const QFontMetricsF fm(f, painter.device());
    QStringList lines;
    QString current;
    for (const QChar ch : r.Text(4)) {
        if (!current.isEmpty() && fm.horizontalAdvance(current + ch) > rect.width()) {
            lines << current;
            current.clear();
        }
        current += ch;
    }
    if (!current.isEmpty())
        lines << current;
    double top = rect.top();
    for (const QString& l : lines) {
        if (top + fm.height() > rect.bottom())
            break;
        painter.drawText(QPointF(rect.left(), top + fm.ascent()), l);
        top += fm.height();
    }
}

void PageRenderer::image(const TPgwRecord& r) {
    const QString path = r.Text(4);
    if (!QFileInfo::exists(path))
        return;
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == u"WMF" || ext == u"EMF") {
        WritePrintErrorLog(QStringLiteral("%1:%2").arg(QStringLiteral("IMAGE"), QStringLiteral("メタファイルは描画できません。 ") + path));
        return;
    }
    QImageReader reader(path);
    QImage img = reader.read();
    if (img.isNull()) {
        WritePrintErrorLog(QStringLiteral("IMAGE ビットマップイメージの取得ができない　GETDIB()"));
        return;
    }
    if (r.Number(5) != 0) { // combined with what is under it: white lets it show through
        img = img.convertToFormat(QImage::Format_ARGB32);
        for (int yy = 0; yy < img.height(); ++yy) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(yy));
            for (int xx = 0; xx < img.width(); ++xx)
                if ((row[xx] & 0xFFFFFF) == 0xFFFFFF)
                    row[xx] = 0;
        }
    }
    painter.drawImage(QRectF(QPointF(X(r.Number(0)), Y(r.Number(1))), QPointF(X(r.Number(2)), Y(r.Number(3)))), img);
}

void PageRenderer::form(const TPgwRecord& r) {
    if (call.PrinterCanvas && !PgwDef.PrintFom)
        return;
    const QString path = r.Text(0);
    if (!QFileInfo::exists(path))
        return;
    if (r.Text(1).compare(u"TRUE", Qt::CaseInsensitive) == 0) {
        HensuuYomikomi(path, r.Number(2), r.Number(3), SubFormFields);
        SubFormFieldsActive = true;
    }
    TPgwFile sub;
    if (!sub.Open(path))
        return;
    TRenderCall subCall = call;
    subCall.Kind = QStringLiteral("SUBFORM");
    subCall.X0 = roundEven(r.Number(2) * call.Fx);
    subCall.Y0 = roundEven(r.Number(3) * call.Fy);
    subCall.FieldSet = 0;
    painter.save();
    painter.scale(10.0 / call.Zoom, 10.0 / call.Zoom); // the sub-page sets the mapping again
    RenderPage(sub, painter, subCall);
    painter.restore();
}

} // namespace

int RenderPage(TPgwFile& file, QPainter& painter, const TRenderCall& call) {
    PageRenderer page(painter, call);
    return page.run(file);
}

} // namespace print
