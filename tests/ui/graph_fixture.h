#pragma once

#include "support/config_text.h"
#include "support/test_folder.h"
#include "ui/graph.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::test {

// A log viewer opened on the logs folder of a temporary program folder.
class GraphTest : public ::testing::Test {
protected:
    GraphTest();

    // Writes prog as prog.cfg, makes the viewer and runs its open step.
    void open();
    void writeDay(const QByteArray& content, const QString& name = kDayFile) const;
    QByteArray readLogs(const QString& name = kDayFile) const;
    // Picks the file in the file list and clicks it (which loads it).
    void choose(const QString& name = kDayFile);
    // The four time boxes joined: "00:01-23:58".
    QString timeBoxes() const;

    static inline const QString kDayFile = QStringLiteral("P_2010_03_07.txt");

    TestFolder folder;
    ProgConfig prog;
    std::unique_ptr<Graph> graph;
};

}  // namespace corvane::test
