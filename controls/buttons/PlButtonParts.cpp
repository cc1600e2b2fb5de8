#include "controls/buttons/PlButtonParts.h"

namespace controls {

TxPlBtnCaption& TxPlBtnCaption::operator=(const TxPlBtnCaption& other) {
    caption_ = other.caption_;
    alignment_ = other.alignment_;
    left_ = other.left_;
    right_ = other.right_;
    changed_();
    return *this;
}

TxPlBtnImage& TxPlBtnImage::operator=(const TxPlBtnImage& other) {
    picture_ = other.picture_;
    left_ = other.left_;
    top_ = other.top_;
    visible_ = other.visible_;
    transParent_ = other.transParent_;
    vertCenter_ = other.vertCenter_;
    horzCenter_ = other.horzCenter_;
    changed_();
    return *this;
}

void TxPlBtnImage::placeIn(int width, int height) {
    if (vertCenter_)
        top_ = (height - picture_.height()) / 2;
    if (horzCenter_)
        left_ = (width - picture_.width()) / 2;
}

QColor GradationColorAt(const QColor& begin, const QColor& end, int y, int height) {
    if (height <= 1)
        return begin;
    const auto channel = [&](int b, int e) { return b + y * (e - b) / (height - 1); };
    return QColor(channel(begin.red(), end.red()), channel(begin.green(), end.green()),
                  channel(begin.blue(), end.blue()));
}

QList<int> EvenCharPositions(const QList<int>& charWidths, int from, int to) {
    const int n = int(charWidths.size());
    if (n == 0)
        return {};
    int total = 0;
    for (int w : charWidths)
        total += w;
    if (n == 1)
        return {from + (to - from - total) / 2};
    const int free = to - from - total;
    const int gap = free / (n - 1);
    int remainder = free % (n - 1);
    QList<int> left;
    int x = from;
    for (int i = 0; i < n; ++i) {
        left << x;
        x += charWidths.at(i) + gap;
        if (remainder > 0) {
            ++x;
            --remainder;
        } else if (remainder < 0) {
            --x;
            ++remainder;
        }
    }
    return left;
}

CaptionTops CenteredCaptionTops(int height, int lineHeight, int lineSpace, bool hasFirst, bool hasSecond) {
    CaptionTops tops{};
    if (hasSecond)
        tops.first = (height - 2 * lineHeight - lineSpace) / 2;
    else
        tops.first = (height - lineHeight) / 2 + 1;
    tops.second = hasFirst ? tops.first + lineHeight + lineSpace : (height - lineHeight) / 2;
    return tops;
}

} // namespace controls
