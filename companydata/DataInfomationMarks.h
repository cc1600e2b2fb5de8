#pragma once
// The company-data layer's answer to the data module opening and closing a data set: the
// in-use and closed states written into the data folder's information file.

#include "companydata/DataInfomationRec.h"
#include "core/dm/DataSetMarks.h"

#include <functional>

namespace companydata {

class DataInfomationMarks : public core::DataSetMarks {
public:
    // Copies the closed data set's information into its registry row; installed by the
    // registry of data sets. Unset, no row is updated.
    std::function<void(const QString& folder, const TDataInfomationRec& rec)> UpdateDataList;

    void MarkInUse(const QString& folder, bool writeInfoFile) override;
    void MarkClosed(const QString& folder, bool writeInfoFile, bool updateList) override;

private:
    void mark(const QString& folder, quint8 status, bool writeInfoFile, bool updateList);
};

} // namespace companydata
