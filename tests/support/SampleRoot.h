#pragma once
// Sample data sets for a test suite's set-up: the system database of the root and one data set
// per kind, numbered from 1. A failure comes back as text, so that each test of the suite
// reports it instead of the whole executable stopping.

#include "schema/DataRoot.h"
#include "schema/sample/SampleDataSet.h"

#include <QString>

#include <exception>
#include <initializer_list>

namespace testsupport {

inline QString createSampleRoot(schema::DataRoot& root,
                                std::initializer_list<schema::sample::SampleKind> kinds) {
    try {
        root.create();
        int rec = 1;
        for (const schema::sample::SampleKind kind : kinds)
            schema::sample::createSampleDataSet(root, rec++, kind);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace testsupport
