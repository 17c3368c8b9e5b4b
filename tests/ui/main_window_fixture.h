#pragma once

#include "support/config_text.h"
#include "support/test_folder.h"
#include "ui/corvane_main.h"

#include <gtest/gtest.h>
#include <memory>

namespace corvane::test {

// A main window in a temporary program folder with fake port, clock and user.
class MainWindowTest : public ::testing::Test {
protected:
    // Writes prog and calibration as the two configuration files, makes the window
    // and runs its start-up.
    void start();
    // Makes the window without running the start-up.
    void create();
    void writeConfiguration();

    FakeSerialPort& port() const { return *folder.ports.at(0); }
    QByteArray errorLog() const { return folder.read(QStringLiteral("errorlog.txt")); }
    // The value and unit texts of every live-list row.
    QStringList liveRows() const;

    TestFolder folder;
    ProgConfig prog;
    CalibrationConfig calibration;
    std::unique_ptr<CorvaneMain> window;
};

}  // namespace corvane::test
