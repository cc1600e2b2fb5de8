#pragma once
// The animation of the progress window: an animation file (a GIF) when one is given, else a
// busy bar standing in for the system's animations, else nothing.

#include <QWidget>

class QLabel;
class QMovie;
class QProgressBar;

namespace controls {

// The system animations a caller may ask for; each is shown as the busy bar.
enum TCommonAVI {
    aviNone,
    aviFindFolder,
    aviFindFile,
    aviFindComputer,
    aviCopyFiles,
    aviCopyFile,
    aviRecycleFile,
    aviEmptyRecycle,
    aviDeleteFile,
};

class AnimeControl : public QWidget {
public:
    explicit AnimeControl(QWidget* parent = nullptr);

    // Shows the file's animation; false (and nothing shown) when the file cannot be played.
    bool SetFile(const QString& path);
    void SetCommonAVI(TCommonAVI kind);
    bool Active() const { return active_; }
    void SetActive(bool on);
    bool HasAnimation() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyState();

    QLabel* picture_;
    QMovie* movie_ = nullptr;
    QProgressBar* busyBar_;
    TCommonAVI kind_ = aviNone;
    bool active_ = false;
};

} // namespace controls
