#pragma once
// The real main window, built from its form description and shown.
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<app::TForm1>(nullptr, module);
        form->show();
    }

    app::MainModule module;
    std::unique_ptr<app::TForm1> form;
};
