#pragma once
// The parts of the panel button: its caption lines and its picture, and the geometry rules
// of its drawing (gradation rows, evenly spread characters, caption line tops), kept apart
// from the widget so that they can be checked on their own.

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QString>

#include <functional>

namespace controls {

enum TxPlBtnAlignment { taCenter, taLeft, taRight, taEven };

// One caption line. Every change calls the owner's repaint.
class TxPlBtnCaption {
public:
    explicit TxPlBtnCaption(std::function<void()> changed) : changed_(std::move(changed)) {}
    TxPlBtnCaption& operator=(const TxPlBtnCaption& other); // copies the four settings

    QString Caption() const { return caption_; }
    void SetCaption(const QString& text) { caption_ = text; changed_(); }
    TxPlBtnAlignment Alignment() const { return alignment_; }
    void SetAlignment(TxPlBtnAlignment alignment) { alignment_ = alignment; changed_(); }
    int Left() const { return left_; }
    void SetLeft(int pixels) { left_ = pixels; changed_(); }
    int Right() const { return right_; }
    void SetRight(int pixels) { right_ = pixels; changed_(); }

private:
    std::function<void()> changed_;
    QString caption_;
    TxPlBtnAlignment alignment_ = taCenter;
    int left_ = 0;
    int right_ = 0;
};

// The picture. Setting Left or Top switches the matching centring off.
class TxPlBtnImage {
public:
    explicit TxPlBtnImage(std::function<void()> changed) : changed_(std::move(changed)) {}
    TxPlBtnImage& operator=(const TxPlBtnImage& other); // copies the picture and all settings

    QPixmap Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture) { picture_ = picture; changed_(); }
    int Left() const { return left_; }
    void SetLeft(int pixels) { left_ = pixels; horzCenter_ = false; changed_(); }
    int Top() const { return top_; }
    void SetTop(int pixels) { top_ = pixels; vertCenter_ = false; changed_(); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; changed_(); }
    bool TransParent() const { return transParent_; }
    void SetTransParent(bool on) { transParent_ = on; changed_(); }
    bool VertCenter() const { return vertCenter_; }
    void SetVertCenter(bool on) { vertCenter_ = on; changed_(); }
    bool HorzCenter() const { return horzCenter_; }
    void SetHorzCenter(bool on) { horzCenter_ = on; changed_(); }

    // Centring writes the computed position back, as the drawing does.
    void placeIn(int width, int height);

private:
    std::function<void()> changed_;
    QPixmap picture_;
    int left_ = 10;
    int top_ = 0;
    bool visible_ = true;
    bool transParent_ = false;
    bool vertCenter_ = true;
    bool horzCenter_ = false;
};

// The colour of pixel row y of a vertical gradation over `height` rows: each channel runs from
// begin at the top to end at the bottom, integer division truncating towards zero. A button
// one row high gets the begin colour.
QColor GradationColorAt(const QColor& begin, const QColor& end, int y, int height);

// Left edges of the characters of a line spread evenly from `from` to `to`: each gap gets
// (free width) div (characters − 1) pixels, the remainder going one pixel per gap from the
// first gap on. One character is centred between the two.
QList<int> EvenCharPositions(const QList<int>& charWidths, int from, int to);

// Tops of the two caption lines of a button `height` high, centred vertically.
struct CaptionTops {
    int first;
    int second;
};
CaptionTops CenteredCaptionTops(int height, int lineHeight, int lineSpace, bool hasFirst, bool hasSecond);

} // namespace controls
