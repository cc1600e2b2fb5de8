#include "communication/DataTusin.h"

namespace communication {

TfmDataTusin::TfmDataTusin(QWidget* owner)
    : QWidget(owner)
{
    setObjectName(QStringLiteral("fmDataTusin"));
    setVisible(false);
}

int TfmDataTusin::CloudShareReceive(const QString&, int, int)
{
    return kTusinNotDone;
}

int TfmDataTusin::CloudShareReceiveNew(const QString&, int)
{
    return kTusinNotDone;
}

int TfmDataTusin::CloudShareRelease(const QString&)
{
    return kTusinNotDone;
}

int TfmDataTusin::CloudShareSend(const QString&, const QString&, int)
{
    return kTusinNotDone;
}

} // namespace communication
