#include "controls/dialogs/AnimeControl.h"

#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>

namespace controls {

AnimeControl::AnimeControl(QWidget* parent)
    : QWidget(parent), picture_(new QLabel(this)), busyBar_(new QProgressBar(this)) {
    picture_->setAlignment(Qt::AlignCenter);
    busyBar_->setTextVisible(false);
    busyBar_->setRange(0, 1);
    picture_->hide();
    busyBar_->hide();
}

bool AnimeControl::SetFile(const QString& path) {
    delete movie_;
    movie_ = nullptr;
    picture_->clear();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        auto* movie = new QMovie(path, QByteArray(), this);
        if (movie->isValid()) {
            movie_ = movie;
            picture_->setMovie(movie_);
        } else {
            delete movie;
        }
    }
    applyState();
    return movie_ != nullptr || path.isEmpty();
}

void AnimeControl::SetCommonAVI(TCommonAVI kind) {
    kind_ = kind;
    applyState();
}

void AnimeControl::SetActive(bool on) {
    active_ = on;
    applyState();
}

bool AnimeControl::HasAnimation() const {
    return movie_ != nullptr || kind_ != aviNone;
}

void AnimeControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picture_->setGeometry(rect());
    // The bar sits across the middle of the square.
    const int barHeight = qMin(height(), 12);
    busyBar_->setGeometry(0, (height() - barHeight) / 2, width(), barHeight);
}

void AnimeControl::applyState() {
    // The file wins over the system animation.
    picture_->setVisible(movie_ != nullptr);
    busyBar_->setVisible(movie_ == nullptr && kind_ != aviNone);
    if (movie_) {
        if (active_)
            movie_->start();
        else
            movie_->setPaused(true);
    }
    // A range of 0..0 makes the bar run; a stopped bar stands still and empty.
    busyBar_->setRange(0, active_ ? 0 : 1);
    busyBar_->setValue(0);
}

} // namespace controls
