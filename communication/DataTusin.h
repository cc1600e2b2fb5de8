#pragma once
// The data-communication form as the main form and the data-selection dialogs use it: the
// cloud-share transfers of one data folder. The relay-server and cloud-share connection is not
// part of this program yet, so every transfer reports "not done" (result 1) without touching
// the data folder. The calls are virtual so that a caller's tests can watch them.

#include <QString>
#include <QWidget>

namespace communication {

// Transfer results: 0 done or nothing to do, 1 to 9 not done.
inline constexpr int kTusinDone = 0;
inline constexpr int kTusinNotDone = 1;

class TfmDataTusin : public QWidget {
    Q_OBJECT
public:
    explicit TfmDataTusin(QWidget* owner = nullptr);

    // Receives the cloud-share line's data set into the folder.
    virtual int CloudShareReceive(const QString& dataFolder, int silent, int check);
    // Receives the cloud-share line's data into a new local folder.
    virtual int CloudShareReceiveNew(const QString& sharePath, int flag);
    // Releases the cloud-share line's in-use flag.
    virtual int CloudShareRelease(const QString& dataFolder);
    // Sends the folder's data set to its cloud-share line.
    virtual int CloudShareSend(const QString& dataFolder, const QString& callerTag, int silent);

    // The folder that the last cloud reception filled; empty until one did.
    QString ReceivedDataFolder() const { return receivedDataFolder_; }

protected:
    QString receivedDataFolder_;
};

} // namespace communication
