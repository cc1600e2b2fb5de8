#pragma once
// TfrmTusinSettei, the communication settings dialog, in the one use the data selection makes
// of it so far: the cloud-share settings of a data set. Until the settings dialog itself is
// built this class only says so and answers "cancelled"; the call is virtual so that callers'
// tests can answer it.

#include "controls/forms/TBSDI.h"

#include <QString>

namespace communication {

class TfrmTusinSettei : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TfrmTusinSettei(QWidget* owner = nullptr);

    // The cloud-share settings of the data folder: 0 saved, 9 cancelled or refused, 1 no folder.
    virtual int ExecuteCloudShareSettei(const QString& dataFolder);

    // Results of a saved setting: the cloud line (0 none) and whether the data set is to be sent
    // now (the line holds no data yet).
    int NewCloudLine = 0;
    bool LineEmpty = false;
};

} // namespace communication
