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

// Installs the registry's update of a closed data set's row: the data set's names, period,
// kinds and versions are copied from its information into its DATALIST row (a child's into its
// CHILD_DATALIST row) of the session's data place. A failure there does not stop the close.
void InstallRegistryRowUpdate(DataInfomationMarks& marks);

} // namespace companydata
