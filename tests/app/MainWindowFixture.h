#pragma once
// The real main window, built from its form description and shown, as on
// a first run: without a settings file, and leaving none behind.
#include "app/MainForm.h"
#include "support/RecordingServer.h"
#include "support/SettingsFile.h"
#include "toolkit/forms/Application.h"

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::removeSettingsFile();
        // Owned by the application object, as the program's main window is.
        form = std::make_unique<app::TForm1>(toolkit::Application::instance(), module);
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        testing_support::removeSettingsFile();
    }

    // One polling cycle, as a tick of the refresh timer runs it.
    void cycle() { form->Timer1Timer(*form->Timer1); }
    // The message of the error that ended the cycle; "no error" if none.
    std::string cycleError()
    {
        try {
            cycle();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    }

    app::MainModule module;
    std::unique_ptr<app::TForm1> form;
};

// The main window with the recording server standing in for the test tool.
class MainWindowWithServerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        server.run();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        module.currentObject = automation::OleVariant();
        server.stop();
    }

    testing_support::RecordingServer server;
};
