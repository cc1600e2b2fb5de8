#pragma once
// The cloud-share line of a company data set: ACCDEF1.CLOUD_LINE of data sets above schema
// 11.0.0, mirrored as CLOUD_SHARE into the information file of a local data folder.

#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"

#include <QString>

namespace core {
class TDM;
}

namespace companydata {

class TCloudShareIO {
public:
    // Works on the data module's company connection; without one, on core::RequireDM().
    explicit TCloudShareIO(core::TDM* dm = nullptr);
    ~TCloudShareIO();
    TCloudShareIO(const TCloudShareIO&) = delete;
    TCloudShareIO& operator=(const TCloudShareIO&) = delete;

    bool ClearSetting(const QString& host, const QString& folder) { return SetSetting(host, folder, 0); }
    // Stores the line; true also when the data set is too old to hold one (nothing changes).
    bool SetSetting(const QString& host, const QString& folder, int line);
    // The line of the data set; 0 when it has none, is too old or cannot be read.
    int GetSetting(const QString& host, const QString& folder);

private:
    // The company database connected for the folder when it is not; false when it cannot be.
    bool connect(const QString& host, const QString& folder, bool& connectedHere);
    QString companyVersion();

    core::TDM& dm_;
    core::TIBTransaction transaction_;
    core::TIBSQL query_;
};

} // namespace companydata
